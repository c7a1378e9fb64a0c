// plot_columnsTest.cpp - a line of many points reduced to one entry per
// pixel column that keeps the column's first, lowest, highest and last value
// and where in the line each of them stands.
#include "history/plot_columns.h"

#include <gtest/gtest.h>

#include <limits>

namespace nk {
namespace {

TEST(PlotColumns, EachColumnKeepsFirstLowHighLast) {
  struct Case {
    const char* name;
    std::vector<int64_t> times, values;
    int64_t from, to;
    int columns;
    std::vector<PlotColumn> expected;
  } cases[] = {
      // column, first, low, high, last, and the indices of those four
      {"points gathered by column", {0, 50, 99, 100, 399, 400}, {5, 9, 1, 3, 7, 8}, 0, 400, 4,
       {{0, 5, 1, 9, 1, 0, 2, 1, 2}, {1, 3, 3, 3, 3, 3, 3, 3, 3}, {3, 7, 7, 8, 8, 4, 4, 5, 5}}},
      {"a dip and a peak inside a column", {0, 1, 2, 3}, {5, 1, 9, 6}, 0, 10, 1, {{0, 5, 1, 9, 6, 0, 1, 2, 3}}},
      {"equal extremes keep the first of them", {0, 1, 2, 3}, {4, 2, 2, 4}, 0, 10, 1, {{0, 4, 2, 4, 4, 0, 1, 0, 3}}},
      {"a single point", {1000}, {42}, 500, 1500, 700, {{350, 42, 42, 42, 42}}},
      {"times outside the span go to its ends", {-10, 5000}, {1, 2}, 0, 100, 10,
       {{0, 1, 1, 1, 1}, {9, 2, 2, 2, 2, 1, 1, 1, 1}}},
      {"a clock set back starts a new entry", {0, 90, 10, 95}, {1, 2, 3, 4}, 0, 100, 10,
       {{0, 1, 1, 1, 1}, {9, 2, 2, 2, 2, 1, 1, 1, 1}, {1, 3, 3, 3, 3, 2, 2, 2, 2}, {9, 4, 4, 4, 4, 3, 3, 3, 3}}},
      {"an empty span puts everything in column 0", {7, 7}, {3, 1}, 7, 7, 5, {{0, 3, 1, 3, 1, 0, 1, 0, 1}}},
      {"no columns", {1}, {1}, 0, 10, 0, {}},
      {"no points", {}, {}, 0, 10, 10, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto timeAt = [&](size_t i) { return c.times[i]; };
    const auto valueAt = [&](size_t i) { return c.values[i]; };
    EXPECT_EQ(plotColumnsOf(c.times.size(), timeAt, valueAt, c.from, c.to, c.columns), c.expected);
  }
}

TEST(PlotColumns, ExtremeTimesNeitherOverflowNorLeaveTheColumns) {
  constexpr int64_t Min = std::numeric_limits<int64_t>::min(), Max = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(plotColumnOf(Min, Min, Max, 100), 0);
  EXPECT_EQ(plotColumnOf(0, Min, Max, 100), 50);
  EXPECT_EQ(plotColumnOf(Max, Min, Max, 100), 99);
}

}  // namespace
}  // namespace nk
