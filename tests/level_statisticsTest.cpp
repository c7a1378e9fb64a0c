// level_statisticsTest.cpp - the tab "統計" on hand-made levels: band edges,
// means and medians, cut-offs and near misses, 表 and 裏 apart, the charts of
// a cell and the copied text.
#include "total/level_statistics.h"

#include "ranking_sheet.h"
#include "total/breakdown_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>

namespace nk {
namespace {

using test::Max32;
constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();
using Chart = test::RankedChart;

// The statistics of rankingSheet(charts), after `filler` level-10 charts of
// score 0 that shrink the other quotas.
StatisticsTable statisticsOf(std::vector<Chart> charts, int filler = 0) {
  for (int k = 0; k < filler; ++k) charts.push_back({10, 0});
  const ScoreSheetState s = test::rankingSheet(charts);
  return levelStatistics(s, computeTotalBreakdown(s), displayPositions(s));
}

size_t columnNamed(const StatisticsTable& t, const std::string& name) {
  const auto at = std::find(t.columns.begin(), t.columns.end(), name);
  EXPECT_NE(at, t.columns.end()) << name;
  return at == t.columns.end() ? 0 : static_cast<size_t>(at - t.columns.begin());
}

TEST(LevelStatistics, BandsFiguresChartsAndCopiedText) {
  using Line = std::array<std::string, StatisticsChartColumns>;
  struct Case {
    const char* name;
    std::vector<Chart> charts;
    int filler;
    size_t row;  // 0: ☆×７ 表, 1: ☆×７ 裏, 2: ☆×８ 表 ...
    std::map<std::string, std::string> cells;
    std::string listed;       // the column whose charts are listed
    std::vector<Line> lines;  // and the charts it lists, in ranking order
  } cases[] = {
      {"band edges; an odd count", {{7, 0}, {7, 1}, {7, 99999}, {7, 100000}, {7, 999999}, {7, 1000000}}, 0, 0,
       {{"未入力", "1"}, {"1～", "2"}, {"10万～", "1"}, {"90万～", "1"}, {"100万～", "1"}, {"平均", "440,000"},
        {"中央値", "100,000"}, {"最低対象点", "－"}, {"あと1万点以内", "0"}},
       "1～", {{"t2", "表", "99,999", "対象"}, {"t1", "表", "1", "対象"}}},
      {"even count: halves up, zeros left out", {{7, 0}, {7, 1}, {7, 2}}, 0, 0, {{"平均", "2"}, {"中央値", "2"}},
       "未入力", {{"t0", "表", "0", "対象"}}},
      {"negative scores: a column of their own", {{7, -3}, {7, -4}, {7, 0}}, 0, 0,
       {{"0未満", "2"}, {"未入力", "1"}, {"平均", "-3"}, {"中央値", "-3"}}, "0未満",
       {{"t0", "表", "-3", "対象"}, {"t1", "表", "-4", "対象"}}},
      {"no charts", {{7, 0}}, 0, 1, {{"未入力", "0"}, {"平均", ""}, {"中央値", ""}, {"最低対象点", "－"}}, "", {}},
      {"ties at the cut-off", {{7, 500}, {7, 300}, {7, 300}, {7, 300}, {7, 100}}, 40, 0,
       {{"1～", "5"}, {"最低対象点", "300"}, {"あと1万点以内", "2"}}, "あと1万点以内",
       {{"t3", "表", "300", "あと 1点"}, {"t4", "表", "100", "あと 201点"}}},
      {"within 10,000, not 10,001; a mean rounded down",
       {{7, 500000}, {7, 400000}, {7, 300000}, {7, 290001}, {7, 290000}}, 40, 0,
       {{"平均", "356,000"}, {"最低対象点", "300,000"}, {"あと1万点以内", "1"}}, "20万～",
       {{"t3", "表", "290,001", "あと 10,000点"}, {"t4", "表", "290,000", "あと 10,001点"}}},
      {"quota 0", {{7, 700}}, 40, 0, {{"最低対象点", "－"}, {"あと1万点以内", "0"}}, "1～",
       {{"t0", "表", "700", "対象枠なし"}}},
      {"the 32-bit maximum: in the last, open band", {{7, Max32}, {7, Max32}, {7, Max32}, {7, Max32}, {7, 7}}, 40, 0,
       {{"100万～", "4"}, {"1～", "1"}, {"平均", "1,717,986,919"}, {"最低対象点", "2,147,483,647"},
        {"あと1万点以内", "0"}}, "1～", {{"t4", "表", "7", "届かない"}}},
      {"the 32-bit minimum and the largest a box takes", {{9, Min32}, {9, Min32}, {9, 9999999}, {9, 1000000}}, 0, 4,
       {{"0未満", "2"}, {"100万～", "2"}, {"90万～", "0"}, {"平均", "-1,070,991,824"},
        {"中央値", "-1,073,241,824"}}, "100万～",
       {{"t2", "表", "9,999,999", "対象"}, {"t3", "表", "1,000,000", "対象"}}},
      {"裏 apart", {{8, 100000}, {8, 200000, true}, {8, 300000, true}, {8, 0}, {8, 0, true}}, 40, 3,
       {{"未入力", "1"}, {"10万～", "0"}, {"20万～", "1"}, {"30万～", "1"}, {"平均", "250,000"},
        {"中央値", "250,000"}, {"最低対象点", "100,000"}, {"あと1万点以内", "0"}},
       "未入力", {{"t4", "裏", "0", "あと 100,001点"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const StatisticsTable t = statisticsOf(c.charts, c.filler);
    ASSERT_EQ(t.rows.size(), StatisticsRows);
    for (const auto& [column, text] : c.cells) EXPECT_EQ(t.rows[c.row][columnNamed(t, column)], text) << column;
    if (c.listed.empty()) continue;
    std::vector<Line> lines;
    for (const StatisticsChart& chart : t.charts[c.row][columnNamed(t, c.listed)]) lines.push_back(chart.cells);
    EXPECT_EQ(lines, c.lines);
  }
  // However large the scores, the bands stop at the open one.
  EXPECT_EQ(statisticsOf({{7, Max32}, {8, Min32}}).columns.size(), 2 + 1 + 1 + 11 + 4u);
  EXPECT_EQ(statisticsOf({{7, 999999}}).columns.back(), "あと1万点以内");
  EXPECT_EQ(statisticsOf({{7, 999999}}).columns.size(), 2 + 1 + 10 + 4u);

  EXPECT_EQ(statisticsTabText(statisticsOf({{7, 150000}, {7, 0}, {7, 950000, true}, {9, 1000000}})),
            "レベル\t譜面\t未入力\t1～\t10万～\t20万～\t30万～\t40万～\t50万～\t60万～\t70万～\t80万～\t90万～\t100万～"
            "\t平均\t中央値\t最低対象点\tあと1万点以内\n"
            "☆×７\t表\t1\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t150,000\t150,000\t－\t0\n"
            "☆×７\t裏\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\t0\t950,000\t950,000\t－\t0\n"
            "☆×８\t表\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\t\t－\t0\n"
            "☆×８\t裏\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\t\t－\t0\n"
            "☆×９\t表\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\t1,000,000\t1,000,000\t－\t0\n"
            "☆×９\t裏\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\t\t－\t0\n"
            "☆×10\t表\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\t\t－\t0\n"
            "☆×10\t裏\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\t\t－\t0\n");
}

}  // namespace
}  // namespace nk
