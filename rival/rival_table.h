// rival_table.h - the side by side as the rivals' tab shows it: the lines
// above its table, one row of cells per chart, and the whole as tab-separated
// text (the clipboard) or as a CSV file (UTF-8 with a byte-order mark,
// written crash-safe), as the breakdown's other tabs do (total/breakdown_text.h).
#pragma once

#include "data/display_text.h"
#include "platform/file_replace.h"
#include "rival/rival_compare.h"

#include <string>
#include <vector>

namespace nk {

// "総合得点　あなた N点　たろう N点　差 +N点" (the difference: the rival's lead).
std::string rivalTotalLine(const std::string& name, const RivalComparison& c, Digits digits = Digits::Grouped);
// "☆×10　課題曲 9曲　あなた 対象合計 N点・最低対象点 N点・入力済み N曲　たろう …　差 +N点".
std::string rivalLevelLine(const std::string& name, const LevelSideBySide& level, Digits digits = Digits::Grouped);
// "目標 N点で、たろうを抜けます": the total that passes the rival; for a rival
// at the highest total, that none does; once passed, "たろうを N点 上回っています".
std::string passingTotalLine(const std::string& name, const RivalComparison& c);

// The columns of the charts' table, in order; the rival's column bears its name.
enum RivalColumn { RivalColTitle, RivalColChart, RivalColLevel, RivalColRanked, RivalColMine, RivalColRival,
                   RivalColLead, RivalColumns };
std::string rivalColumnName(int column, const std::string& name);
// One chart's cells, scores written as digits.
std::vector<std::string> rivalRowCells(const ScoreSheetState& s, const ChartSideBySide& chart,
                                       Digits digits = Digits::Grouped);

// The whole: the total line, the four level lines, the passing total, then the
// table in the comparison's order. Cells separated by a tab, lines ending in
// LF; tabs and line breaks in a title become blanks.
std::string rivalTabText(const ScoreSheetState& s, const std::string& name, const RivalComparison& c);
// The same as CSV: quoted cells, CR LF, the UTF-8 byte-order mark in front.
std::string rivalCsv(const ScoreSheetState& s, const std::string& name, const RivalComparison& c);
// Writes rivalCsv to path crash-safe; the failure text is ready for the player.
FileWriteResult saveRivalCsv(const std::string& path, const ScoreSheetState& s, const std::string& name,
                             const RivalComparison& c);

}  // namespace nk
