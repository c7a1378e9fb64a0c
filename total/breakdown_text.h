// breakdown_text.h - the texts of the total's breakdown: the lines above its
// tables, one row per chart, and the whole of it as tab-separated text (the
// clipboard) or as a CSV file (UTF-8 with a byte-order mark, written through
// the crash-safe replace of the score file).
//
// The window only shows these; it builds no text of its own.
#pragma once

#include "data/display_text.h"
#include "data/sheet_catalogue.h"
#include "platform/file_replace.h"
#include "data/chart_changes.h"
#include "total/total_breakdown.h"

#include <cstdint>
#include <string>
#include <vector>

namespace nk {

// "総合得点 N点", digits grouped in the window, plain in the CSV and the
// clipboard (display_text.h).
std::string breakdownTotalLine(const TotalBreakdown& b, Digits digits = Digits::Grouped);

// The level's lowest counted score, "N点"; without one, why: "－" alone (no
// charts), "－（全曲対象）" or "－（対象枠なし）".
std::string cutOffText(const LevelBreakdown& level, Digits digits = Digits::Grouped);

// "☆×10　収録曲 12曲／課題曲 9曲　対象合計 N点　最低対象点 N点　入力済み 10曲";
// a level without a cut-off says why: "－" alone (no charts), "－（全曲対象）"
// or "－（対象枠なし）".
std::string levelSummaryLine(const LevelBreakdown& level, Digits digits = Digits::Grouped);

// One chart of a level's table.
struct BreakdownRow {
  int64_t rank = 0;
  int32_t score = 0;
  std::string title;
  Chart chart = Chart::Normal;
  bool counts = false;
  // The points needed; for sorting, 0 for a chart that counts and the
  // largest value for one that cannot count.
  int64_t neededKey = 0;
  std::string neededText;  // "あと N点", empty when it counts, or why it cannot
  int16_t displayPosition = -1;  // of its entry on the sheet
  size_t target = 0;             // number in the target list
  bool tried = false;            // its score is a trial's (score_trial.h)
  // The date its score last changed ("2026-11-02"), and the moment for
  // sorting (0 when it never changed since the log of improvements began).
  std::string changed;
  int64_t changedKey = 0;
};

// The columns of a level's table, in order: those the clipboard and the CSV
// keep (BreakdownColumns of them), then, in the window only, the date of the
// chart's last change.
enum BreakdownColumn { ColRank, ColScore, ColTitle, ColUra, ColCounts, ColNeeded, BreakdownColumns,
                       ColChanged = BreakdownColumns, BreakdownTableColumns };
const char* breakdownColumnName(int column);
inline const char* const CountsMark = "対象";

// A level's rows in ranking order, with the dates of the charts' last
// changes where changes are given.
std::vector<BreakdownRow> breakdownRows(const ScoreSheetState& s, const LevelBreakdown& level,
                                        const std::vector<int16_t>& positions,
                                        const LastChanges* changes = nullptr);

// The whole breakdown: the total line, the four level lines, then a table of
// every chart (level, rank, score, title, 裏, counts, points needed). Cells are
// separated by a tab and lines end in LF; tabs and line breaks inside a title
// become blanks.
std::string breakdownTabText(const ScoreSheetState& s, const TotalBreakdown& b);

// The same as CSV: cells quoted where they hold a comma, a quote or a line
// break, lines ending in CR LF, the whole preceded by the UTF-8 byte-order mark.
std::string breakdownCsv(const ScoreSheetState& s, const TotalBreakdown& b);

// Writes breakdownCsv to path, replacing an old file only once the new one is
// complete (see file_replace.h); the failure text is ready for the player.
FileWriteResult saveBreakdownCsv(const std::string& path, const ScoreSheetState& s, const TotalBreakdown& b);

}  // namespace nk
