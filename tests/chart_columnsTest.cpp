// chart_columnsTest.cpp - a line of many points reduced to one entry per
// pixel column that keeps the column's first, lowest, highest and last value.
#include "sheet/chart_columns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace nk {
namespace {

TEST(ChartColumns, EachColumnKeepsFirstLowHighLast) {
  struct Case {
    const char* name;
    std::vector<int64_t> times, values;
    int64_t from, to;
    int columns;
    std::vector<ChartColumn> expected;
  } cases[] = {
      {"points gathered by column", {0, 50, 99, 100, 399, 400}, {5, 9, 1, 3, 7, 8}, 0, 400, 4,
       {{0, 5, 1, 9, 1}, {1, 3, 3, 3, 3}, {3, 7, 7, 8, 8}}},
      {"a single point", {1000}, {42}, 500, 1500, 700, {{350, 42, 42, 42, 42}}},
      {"times outside the span go to its ends", {-10, 5000}, {1, 2}, 0, 100, 10, {{0, 1, 1, 1, 1}, {9, 2, 2, 2, 2}}},
      {"a clock set back starts a new entry", {0, 90, 10, 95}, {1, 2, 3, 4}, 0, 100, 10,
       {{0, 1, 1, 1, 1}, {9, 2, 2, 2, 2}, {1, 3, 3, 3, 3}, {9, 4, 4, 4, 4}}},
      {"an empty span puts everything in column 0", {7, 7}, {3, 1}, 7, 7, 5, {{0, 3, 1, 3, 1}}},
      {"no columns", {1}, {1}, 0, 10, 0, {}},
      {"no points", {}, {}, 0, 10, 10, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(chartColumns(c.times, c.values, c.from, c.to, c.columns), c.expected);
  }
}

TEST(ChartColumns, ExtremeTimesNeitherOverflowNorLeaveTheColumns) {
  constexpr int64_t Min = std::numeric_limits<int64_t>::min(), Max = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(chartColumnOf(Min, Min, Max, 100), 0);
  EXPECT_EQ(chartColumnOf(0, Min, Max, 100), 50);
  EXPECT_EQ(chartColumnOf(Max, Min, Max, 100), 99);
}

// Ten thousand rising points with one spike and one dip on 700 columns: one
// entry per column, and each column's extremes are those of its points.
TEST(ChartColumns, ManyPointsLoseNoPeak) {
  std::vector<int64_t> times, values;
  for (int64_t i = 0; i < 10000; ++i) {
    times.push_back(1000000 + i * 3600);
    values.push_back(i == 4321 ? 999999 : i == 8765 ? -5 : i * 10);
  }
  const int columns = 700;
  const auto out = chartColumns(times, values, times.front(), times.back(), columns);
  ASSERT_EQ(out.size(), static_cast<size_t>(columns));
  std::vector<std::vector<int64_t>> byColumn(columns);
  for (size_t i = 0; i < times.size(); ++i)
    byColumn[static_cast<size_t>(chartColumnOf(times[i], times.front(), times.back(), columns))].push_back(values[i]);
  for (size_t k = 0; k < out.size(); ++k) {
    const std::vector<int64_t>& in = byColumn[k];
    ASSERT_FALSE(in.empty());
    EXPECT_EQ(out[k].column, static_cast<int>(k));
    EXPECT_EQ(out[k].first, in.front());
    EXPECT_EQ(out[k].last, in.back());
    EXPECT_EQ(out[k].low, *std::min_element(in.begin(), in.end()));
    EXPECT_EQ(out[k].high, *std::max_element(in.begin(), in.end()));
  }
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const ChartColumn& c) { return c.high == 999999; }));
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const ChartColumn& c) { return c.low == -5; }));
}

}  // namespace
}  // namespace nk
