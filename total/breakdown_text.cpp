// breakdown_text.cpp - lines, rows and the copied and saved forms of the
// total's breakdown.
#include "total/breakdown_text.h"

#include "data/delimited_text.h"
#include "data/display_text.h"
#include "data/numeric.h"
#include "data/sheet_catalogue.h"

#include <array>
#include <limits>

namespace nk {
namespace {

const std::array<const char*, BreakdownTableColumns> ColumnNames = {"順位", "点数", "曲名", "裏",
                                                                    "対象", "あと", "更新日"};


// A spreadsheet cell that cannot break the table's lines or columns.
std::string tabCell(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return text;
}

// The breakdown as lines of cells: what the tab text and the CSV share.
std::vector<std::vector<std::string>> breakdownCells(const ScoreSheetState& s, const TotalBreakdown& b) {
  std::vector<std::vector<std::string>> lines;
  lines.push_back({breakdownTotalLine(b, Digits::Plain)});
  for (const LevelBreakdown& level : b.levels) lines.push_back({levelSummaryLine(level, Digits::Plain)});
  lines.emplace_back();
  std::vector<std::string> heading = {"レベル"};
  for (int c = 0; c < BreakdownColumns; ++c) heading.emplace_back(breakdownColumnName(c));
  heading.back() = "あと必要な点数";
  lines.push_back(std::move(heading));
  for (const LevelBreakdown& level : b.levels)
    for (const ChartStanding& c : level.charts) {
      std::string needed = c.pointsNeeded ? decimalText(*c.pointsNeeded) : std::string();
      lines.push_back({decimalText(level.level), decimalText(c.rank), decimalText(c.score), targetTitle(s, c.target),
                       targetChart(s, c.target) == Chart::Ura ? UraChartMark : "", c.counts ? CountsMark : "", std::move(needed)});
    }
  return lines;
}

}  // namespace

std::string breakdownTotalLine(const TotalBreakdown& b, Digits digits) {
  return "総合得点 " + pointsText(b.total, digits);
}

std::string cutOffText(const LevelBreakdown& level, Digits digits) {
  if (level.cutOffScore) return pointsText(*level.cutOffScore, digits);
  if (level.count == 0) return "－";
  return level.quota == 0 ? "－（対象枠なし）" : "－（全曲対象）";
}

std::string levelSummaryLine(const LevelBreakdown& level, Digits digits) {
  const std::string cutOff = cutOffText(level, digits);
  return levelName(level.level) + "　収録曲 " + decimalText(level.count) + "曲／課題曲 " + decimalText(level.quota) +
         "曲　対象合計 " + pointsText(level.countedSum, digits) + "　最低対象点 " + cutOff + "　入力済み " +
         decimalText(level.entered) + "曲";
}

const char* breakdownColumnName(int column) {
  return column >= 0 && column < BreakdownTableColumns ? ColumnNames[static_cast<size_t>(column)] : "";
}

std::vector<BreakdownRow> breakdownRows(const ScoreSheetState& s, const LevelBreakdown& level,
                                        const std::vector<int16_t>& positions, const LastChanges* changes) {
  std::vector<BreakdownRow> rows(level.charts.size());
  for (size_t k = 0; k < rows.size(); ++k) {
    const ChartStanding& c = level.charts[k];
    BreakdownRow& row = rows[k];
    row.rank = c.rank;
    row.target = c.target;
    row.score = c.score;
    row.title = targetTitle(s, c.target);
    row.chart = targetChart(s, c.target);
    row.counts = c.counts;
    if (c.pointsNeeded) {
      row.neededKey = *c.pointsNeeded;
      row.neededText = "あと " + pointsText(*c.pointsNeeded);
    } else if (!c.counts) {
      row.neededKey = std::numeric_limits<int64_t>::max();
      row.neededText = level.quota == 0 ? "対象枠なし" : "届かない";
    }
    const size_t entry = targetEntry(s, c.target);
    row.displayPosition = entry < positions.size() ? positions[entry] : int16_t{-1};
    if (const Improvement* change = changes ? changes->of(entry, row.chart) : nullptr) {
      row.changed = dateText(change->time);
      row.changedKey = change->time.utc.time_since_epoch().count();
    }
  }
  return rows;
}

std::string breakdownTabText(const ScoreSheetState& s, const TotalBreakdown& b) {
  std::string text;
  for (const auto& line : breakdownCells(s, b)) {
    for (size_t c = 0; c < line.size(); ++c) text += (c ? "\t" : "") + tabCell(line[c]);
    text += '\n';
  }
  return text;
}

std::string breakdownCsv(const ScoreSheetState& s, const TotalBreakdown& b) {
  std::string text(Utf8Bom);
  for (const auto& line : breakdownCells(s, b)) {
    for (size_t c = 0; c < line.size(); ++c) text += (c ? "," : "") + quotedCell(line[c], ",\"\r\n");
    text += "\r\n";
  }
  return text;
}

FileWriteResult saveBreakdownCsv(const std::string& path, const ScoreSheetState& s, const TotalBreakdown& b) {
  FileWriteResult result = replaceFileContents(path, breakdownCsv(s, b));
  if (!result.ok) addNotSavedNote(result, "内訳");
  return result;
}

}  // namespace nk
