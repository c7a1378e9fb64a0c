// level_statistics.cpp - the bands, means, medians and near misses of the
// levels' charts, per side, as the texts of the tab "統計".
#include "total/level_statistics.h"

#include "data/display_text.h"
#include "data/sheet_catalogue.h"
#include "total/breakdown_text.h"

#include <algorithm>

namespace nk {
namespace {

// Halves go up for negative sums too, so the rule is one for every row.
int64_t floorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }

std::string bandName(int64_t band) { return band == 0 ? "1～" : std::to_string(band * 10) + "万～"; }

// score > 0; every score from 1,000,000 up is in the last, open band "100万～".
int64_t bandOf(int32_t score) { return std::min<int64_t>(score / ScoreBandWidth, ShownBands); }

// Where each kind of cell sits, once the table's widest band is known.
struct Layout {
  bool negative = false;
  size_t unentered = 0, firstBand = 0, mean = 0, median = 0, cutOff = 0, near = 0, width = 0;

  size_t columnOf(int32_t score) const {
    if (score < 0) return unentered - 1;  // "0未満", there whenever such a score is
    if (score == 0) return unentered;
    return firstBand + static_cast<size_t>(bandOf(score));
  }
};

Layout layoutFor(const TotalBreakdown& b, std::vector<std::string>& columns) {
  Layout at;
  int32_t highest = 0;
  for (const LevelBreakdown& level : b.levels)
    for (const ChartStanding& c : level.charts) {
      highest = std::max(highest, c.score);
      at.negative = at.negative || c.score < 0;
    }
  const int64_t bands = bandOf(highest) == ShownBands ? ShownBands + 1 : ShownBands;
  columns = {"レベル", "譜面"};
  if (at.negative) columns.emplace_back("0未満");
  at.unentered = columns.size();
  columns.emplace_back("未入力");
  at.firstBand = columns.size();
  for (int64_t band = 0; band < bands; ++band) columns.push_back(bandName(band));
  at.mean = columns.size();
  at.median = at.mean + 1;
  at.cutOff = at.mean + 2;
  at.near = at.mean + 3;
  columns.insert(columns.end(), {"平均", "中央値", "最低対象点", "あと1万点以内"});
  at.width = columns.size();
  return at;
}

StatisticsChart chartLine(const ScoreSheetState& s, const LevelBreakdown& level, const ChartStanding& c,
                          const std::vector<int16_t>& positions) {
  const size_t entry = targetEntry(s, c.target);
  StatisticsChart line;
  line.cells[ChartTitle] = entryTitle(s, entry);
  line.cells[ChartSide] = chartMark(targetChart(s, c.target));
  line.cells[ChartScore] = groupedDecimal(c.score);
  if (c.counts)
    line.cells[ChartNeeded] = CountsMark;
  else if (c.pointsNeeded)
    line.cells[ChartNeeded] = "あと " + pointsText(*c.pointsNeeded);
  else
    line.cells[ChartNeeded] = level.quota == 0 ? "対象枠なし" : "届かない";
  line.displayPosition = entry < positions.size() ? positions[entry] : int16_t{-1};
  return line;
}

bool isNear(const ChartStanding& c) { return !c.counts && c.pointsNeeded && *c.pointsNeeded <= NearPoints; }

}  // namespace

std::array<std::string, StatisticsChartColumns> statisticsChartColumnNames() {
  return {"曲名", "譜面", "点数", "あと"};
}

StatisticsTable levelStatistics(const ScoreSheetState& s, const TotalBreakdown& b,
                                const std::vector<int16_t>& positions) {
  StatisticsTable table;
  const Layout at = layoutFor(b, table.columns);
  table.rows.assign(StatisticsRows, std::vector<std::string>(at.width));
  table.charts.assign(StatisticsRows, std::vector<std::vector<StatisticsChart>>(at.width));
  std::vector<int32_t> entered;  // of one row, highest first as the ranking has them
  for (size_t l = 0; l < CountedLevels; ++l) {
    const LevelBreakdown& level = b.levels[l];
    for (const Chart chart : {Chart::Normal, Chart::Ura}) {
      const size_t r = l * 2 + (isUra(chart) ? 1 : 0);
      std::vector<std::string>& cells = table.rows[r];
      std::vector<std::vector<StatisticsChart>>& charts = table.charts[r];
      entered.clear();
      int64_t sum = 0;
      for (const ChartStanding& c : level.charts) {
        if (targetChart(s, c.target) != chart) continue;
        StatisticsChart line = chartLine(s, level, c, positions);
        if (isNear(c)) charts[at.near].push_back(line);
        charts[at.columnOf(c.score)].push_back(std::move(line));
        if (c.score == 0) continue;
        entered.push_back(c.score);
        sum += c.score;
      }
      cells[0] = levelName(level.level);
      cells[1] = chartMark(chart);
      for (size_t col = at.negative ? at.unentered - 1 : at.unentered; col < at.mean; ++col)
        cells[col] = groupedDecimal(static_cast<int64_t>(charts[col].size()));
      cells[at.near] = groupedDecimal(static_cast<int64_t>(charts[at.near].size()));
      if (const auto n = static_cast<int64_t>(entered.size()); n > 0) {
        cells[at.mean] = groupedDecimal(floorDiv(2 * sum + n, 2 * n));
        const auto mid = entered.size() / 2;
        const int64_t median = n % 2 ? entered[mid] : floorDiv(int64_t{entered[mid - 1]} + entered[mid] + 1, 2);
        cells[at.median] = groupedDecimal(median);
      }
      cells[at.cutOff] = level.cutOffScore ? groupedDecimal(*level.cutOffScore) : "－";
    }
  }
  return table;
}

std::string statisticsTabText(const StatisticsTable& table) {
  std::string text;
  auto line = [&text](const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size(); ++c) text += (c ? "\t" : "") + cells[c];
    text += '\n';
  };
  line(table.columns);
  for (const auto& row : table.rows) line(row);
  return text;
}

}  // namespace nk
