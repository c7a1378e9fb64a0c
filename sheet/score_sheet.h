// score_sheet.h - one open score sheet without its window: its state, the
// scores its last load or save left, when each chart last changed, and what a
// save does and reports.
//
// How an opening and a save flow through the house. The window (ui/) takes
// the version's lock and runs the load (load/), which downloads and reads the
// master lists and the score file into state() and shows page 1 through a
// callback; then the window calls opened(): the scores as they stand become
// the base that the unsaved rule and the merge compare with, and each chart's
// last change is read from the improvements log (chart_changes.h) for the
// boxes' tooltips. Every change of a box's text goes through store(). A save
// (save(now)) merges what another window or program wrote to the score file
// since the base (score_merge.h), writes the file crash-safe, appends to the
// history and the improvements log (save_records.h), takes the new last
// changes, and returns one report: whether the sheet's scores changed under
// the player (the page is shown again), whether the file was written, and the
// boxes to show in their order, each with the debug-log line that precedes
// it. The window shows the page and the report; the order is decided here.
#pragma once

#include "data/moment.h"
#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "diag/debug_log.h"
#include "data/chart_changes.h"
#include "sheet/score_entry.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

// A message box of a save, with the line the debug log gets just before it.
struct SheetNotice {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::None;
  std::string logLine;  // empty: none
  bool operator==(const SheetNotice&) const = default;
};

struct SaveReport {
  bool saved = false;         // the score file was written
  bool sheetChanged = false;  // scores of the sheet now hold the file's values
  std::vector<SheetNotice> notices;  // in the order they are shown
};

class ScoreSheet {
public:
  ScoreSheetState& state() { return state_; }
  const ScoreSheetState& state() const { return state_; }

  // Run once the load has shown page 1 (or given up): from now on the boxes
  // store what they are given, and the unsaved rule compares with the scores
  // as they stand.
  void opened();
  bool isOpen() const { return open_; }

  // A box's whole text for row r of the current page; nothing is stored
  // before opened().
  EntryResult store(int row, Chart chart, std::string_view text);
  // True when a score differs from what the last load or save left.
  bool hasUnsavedScores() const;
  // The scores the last load or save left: what the score file holds.
  const SheetScores& savedScores() const { return base_; }

  // Saves at the moment now, as the comment at the top says.
  SaveReport save(const Moment& now);
  // After the program itself rewrote the score file (an import of the
  // player's data): the charts the player left alone take the file's scores,
  // which become the base; typed scores stay typed and unsaved. False, with
  // nothing changed, when the file cannot be read; the next save then says so.
  bool takeFileScores();

  // When each chart's score last changed, from the log of improvements.
  const LastChanges& lastChanges() const { return lastChanges_; }
  // The current page's tooltips of those changes, [row][0] 表, [row][1] 裏.
  std::array<std::array<std::string, 2>, RowsPerPage> pageTips() const;

private:
  ScoreSheetState state_;
  SheetScores base_;
  LastChanges lastChanges_;
  bool open_ = false;
};

// Shows a save's boxes in their order, writing each one's log line first.
void showSaveReport(const DebugLog& log, const SaveReport& report);

// The question before unsaved scores would be lost (leaving or closing).
enum UnsavedAnswer : std::size_t { SaveScores, DiscardScores, StayOnSheet };
Question unsavedScoresQuestion();

}  // namespace nk
