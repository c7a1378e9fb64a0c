// rival_table.cpp - the side by side's lines, rows, copy and CSV.
#include "rival/rival_table.h"

#include "data/delimited_text.h"
#include "data/numeric.h"

#include <array>

namespace nk {
namespace {

std::string sideText(const LevelSide& side, Digits digits) {
  return "対象合計 " + pointsText(side.sum, digits) + "・最低対象点 " +
         (side.cutOff ? pointsText(*side.cutOff, digits) : std::string("－")) + "・入力済み " +
         decimalText(side.entered) + "曲";
}

// "+1,234", "-5", "±0" (grouped) or "+1234", "-5", "0" (plain).
std::string signedText(int64_t lead, Digits digits) {
  if (digits == Digits::Grouped) return signedGroupedDecimal(lead);
  return (lead > 0 ? "+" : "") + decimalText(lead);
}

std::string leadText(int64_t lead, Digits digits) { return signedText(lead, digits) + "点"; }

std::string scoreCell(int32_t score, Digits digits) {
  return digits == Digits::Grouped ? groupedDecimal(score) : decimalText(score);
}

std::string withoutBreaks(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return text;
}

std::vector<std::vector<std::string>> rivalCells(const ScoreSheetState& s, const std::string& name,
                                                 const RivalComparison& c) {
  std::vector<std::vector<std::string>> lines{{rivalTotalLine(name, c, Digits::Plain)}};
  for (const LevelSideBySide& level : c.levels) lines.push_back({rivalLevelLine(name, level, Digits::Plain)});
  lines.push_back({passingTotalLine(name, c)});
  lines.emplace_back();
  std::vector<std::string> heading;
  for (int column = 0; column < RivalColumns; ++column) heading.push_back(rivalColumnName(column, name));
  lines.push_back(std::move(heading));
  for (const ChartSideBySide& chart : c.charts) lines.push_back(rivalRowCells(s, chart, Digits::Plain));
  return lines;
}

}  // namespace

std::string rivalTotalLine(const std::string& name, const RivalComparison& c, Digits digits) {
  return "総合得点　あなた " + pointsText(c.myTotal, digits) + "　" + name + " " + pointsText(c.rivalTotal, digits) +
         "　差 " + leadText(c.rivalLead, digits);
}

std::string rivalLevelLine(const std::string& name, const LevelSideBySide& level, Digits digits) {
  return levelName(level.level) + "　課題曲 " + decimalText(level.quota) + "曲　あなた " + sideText(level.mine, digits) +
         "　" + name + " " + sideText(level.rival, digits) + "　差 " + leadText(level.rivalLead, digits);
}

std::string passingTotalLine(const std::string& name, const RivalComparison& c) {
  if (!c.passingTotal) return name + "の総合得点は最高点です（抜ける目標はありません）";
  if (c.myTotal > c.rivalTotal) return name + "を " + pointsText(c.myTotal - c.rivalTotal) + " 上回っています";
  return "目標 " + pointsText(*c.passingTotal) + "で、" + name + "を抜けます";
}

std::string rivalColumnName(int column, const std::string& name) {
  static constexpr std::array<const char*, RivalColumns> names = {"曲名", "譜面", "レベル", "対象",
                                                                  "あなた", "",     "差"};
  if (column == RivalColRival) return name;
  return column >= 0 && column < RivalColumns ? names[static_cast<size_t>(column)] : "";
}

std::vector<std::string> rivalRowCells(const ScoreSheetState& s, const ChartSideBySide& chart, Digits digits) {
  return {entryTitle(s, chart.entry),
          chartMark(chart.chart),
          chart.level > 0 ? decimalText(chart.level) : "",
          chart.ranked ? "対象" : "",
          scoreCell(chart.mine, digits),
          scoreCell(chart.rival, digits),
          signedText(chart.rivalLead, digits)};
}

std::string rivalTabText(const ScoreSheetState& s, const std::string& name, const RivalComparison& c) {
  std::string text;
  for (const auto& line : rivalCells(s, name, c)) {
    for (size_t i = 0; i < line.size(); ++i) text += (i ? "\t" : "") + withoutBreaks(line[i]);
    text += '\n';
  }
  return text;
}

std::string rivalCsv(const ScoreSheetState& s, const std::string& name, const RivalComparison& c) {
  std::string text(Utf8Bom);
  for (const auto& line : rivalCells(s, name, c)) {
    for (size_t i = 0; i < line.size(); ++i) text += (i ? "," : "") + quotedCell(line[i], ",\"\r\n");
    text += "\r\n";
  }
  return text;
}

FileWriteResult saveRivalCsv(const std::string& path, const ScoreSheetState& s, const std::string& name,
                             const RivalComparison& c) {
  FileWriteResult result = replaceFileContents(path, rivalCsv(s, name, c));
  if (!result.ok) addNotSavedNote(result, "ライバルとの比較");
  return result;
}

}  // namespace nk
