// level_statistics.h - the tab "統計" of the total's breakdown: per star level
// 7 to 10 and per side (表, 裏) of its charts, how many scores fall in each band
// of 100,000 points, their mean and median, the level's cut-off, and how many
// charts that do not count are within 10,000 points of counting.
//
// Everything is taken from a TotalBreakdown (whatever scores it was computed
// from) and the state's masters only: titles, 裏 marks and the entries'
// display positions; never from the state's scores. The table is texts ready
// to show; the window arranges them and builds none of its own.
//
// Bands are fixed, so two days compare: "未入力" holds the score 0, "1～" the
// scores 1 .. 99,999, "10万～" 100,000 .. 199,999, and so on up to "90万～"
// (900,000 .. 999,999), which every table shows. A last, open band "100万～"
// holds every score from 1,000,000 up to the largest a box takes; it is shown
// only when the table has such a score, so no table is wider than that.
// A negative score (the boxes take a sign) is entered but in no band: it
// gets a column "0未満" of its own, shown only when the table has one.
// Mean and median are over the entered (non-zero) scores of the row, a half
// rounded up to the next whole point; empty when the row has none.
#pragma once

#include "data/score_state.h"
#include "total/total_breakdown.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nk {

inline constexpr const char* StatisticsTabTitle = "統計";
inline constexpr const char* StatisticsCopiedStatus = "統計をコピーしました。";
inline constexpr int32_t ScoreBandWidth = 100000;
inline constexpr int64_t NearPoints = 10000;  // "あと1万点以内"
inline constexpr int64_t ShownBands = 10;     // "1～" .. "90万～" on every sheet

// One chart behind a count cell, as the list under the table shows it.
enum StatisticsChartColumn { ChartTitle, ChartSide, ChartScore, ChartNeeded, StatisticsChartColumns };
struct StatisticsChart {
  std::array<std::string, StatisticsChartColumns> cells;  // title, 表/裏, score, "あと N点" (or 対象 ...)
  int16_t displayPosition = -1;  // of its entry on the sheet; -1 when not shown
};
std::array<std::string, StatisticsChartColumns> statisticsChartColumnNames();

// Two rows per level (表, then 裏), levels 7 to 10 in order.
inline constexpr size_t StatisticsRows = CountedLevels * 2;
struct StatisticsTable {
  std::vector<std::string> columns;            // the heading row
  std::vector<std::vector<std::string>> rows;  // StatisticsRows rows of columns.size() cells
  // The charts that a count cell counts, [row][column], in the level's ranking
  // order; empty for the cells that count nothing.
  std::vector<std::vector<std::vector<StatisticsChart>>> charts;
};

// positions: displayPositions(s) (see data/sheet_catalogue.h).
StatisticsTable levelStatistics(const ScoreSheetState& s, const TotalBreakdown& b,
                                const std::vector<int16_t>& positions);

// The heading and the rows, cells as shown, separated by a tab; lines end in LF.
std::string statisticsTabText(const StatisticsTable& table);

}  // namespace nk
