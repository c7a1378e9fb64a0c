// chart_changes.h - what a save adds to the log of improvements
// (improvement_log.h), and what the sheet shows of it: when each chart's score
// last changed and from what.
//
// Like the history, the log is the player's own addition beside the score
// file: a log that cannot be written costs a warning, never the save.
#pragma once

#include "data/improvement_log.h"
#include "data/moment.h"
#include "data/score_state.h"
#include "data/sheet_catalogue.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nk {

// The records of a save at the moment now: one per chart whose score differs
// between before (the scores the file held until the save) and the sheet's
// scores, in entry order, 表 before 裏.
std::vector<Improvement> improvementsOf(const ScoreSheetState& s, const SheetScores& before, const Moment& now);

// The last record of every chart of a sheet of `entries` entries.
class LastChanges {
public:
  LastChanges() = default;
  explicit LastChanges(size_t entries) : normal_(entries), ura_(entries) {}

  // Takes records in file order: a later one replaces an earlier one of its
  // chart. Records of entries the sheet does not have are passed over.
  void take(const std::vector<Improvement>& records);
  // Takes a record older than every one taken: only a chart without one yet
  // keeps it. True when it did.
  bool takeOlder(const Improvement& record);
  // The last change of entry e's chart (an index, not the entry number);
  // nothing when it never changed since the log began.
  const Improvement* of(size_t e, Chart chart) const;
  size_t charts() const { return 2 * normal_.size(); }

private:
  Improvement* slotOf(const Improvement& record);

  // entryNo 0: no change.
  std::vector<Improvement> normal_;
  std::vector<Improvement> ura_;
};

// How far back from the log's end the sheet's opening looks for the charts'
// last changes: its newest 4 MiB, about 90,000 records of 47 bytes. The log is
// read backward in blocks and the search stops as soon as every chart of the
// sheet has its last change, so the opening costs a few milliseconds and the
// charts' records in memory at any length of the log. A player who saves
// daily writes a few thousand records a year, so only a log grown by some
// fault or by hand goes past it; a chart whose last change lies further back
// then shows no tooltip and no date in the breakdown's "更新日".
inline constexpr uint64_t LastChangesWindow = 4 << 20;

// The last changes of the sheet's charts, from the newest `window` bytes of
// its version's log; none when the log is missing or cannot be read (the
// history window says why).
LastChanges lastChangesFor(const ScoreSheetState& s, uint64_t window = LastChangesWindow);

// The tooltips of the current page's score boxes, [row][0] 表 and [row][1]
// 裏: changeTip of the chart's last change, empty for a chart never changed.
std::array<std::array<std::string, 2>, RowsPerPage> pageChangeTips(const ScoreSheetState& s,
                                                                    const LastChanges& changes);

// "2026-11-02 更新（+12,345）": when the chart's score was set, and by how much it moved.
std::string changeTip(const Improvement& change);

}  // namespace nk
