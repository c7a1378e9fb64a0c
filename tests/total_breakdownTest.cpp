// total_breakdownTest.cpp - the cut-off and the points needed on hand-made
// levels, and random sheets against the "合計" box's own text.
#include "total/total_breakdown.h"
#include "total/total_score.h"
#include "ranking_sheet.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <sstream>

namespace nk {
namespace {

using test::Max32;
using Chart = test::RankedChart;
ScoreSheetState sheetOf(const std::vector<Chart>& charts) { return test::rankingSheet(charts); }

int32_t& scoreOf(ScoreSheetState& s, size_t target) {
  const auto e = static_cast<size_t>(s.TargetEntryNo[target] - 1);
  return s.TargetIsUra[target] ? s.EntryScoreU[e] : s.EntryScore[e];
}

const ChartStanding& standingOf(const TotalBreakdown& b, size_t target) {
  for (const LevelBreakdown& level : b.levels)
    for (const ChartStanding& c : level.charts)
      if (c.target == target) return c;
  throw std::logic_error("target in no level");
}

constexpr int64_t None = -1;  // no points can make the chart count

TEST(TotalBreakdown, CutOffAndPointsNeeded) {
  struct Case {
    const char* name;
    std::vector<int32_t> level7;  // in target order
    int filler;                   // level-10 charts of score 0 after them, to shrink level 7's quota
    int64_t quota;
    std::optional<int32_t> cutOff;
    std::vector<int64_t> ranks;   // per level-7 target, in target order
    std::vector<int64_t> needed;  // per level-7 target: 0 counts, None cannot count
  } cases[] = {
      {"ties after the cut-off chart", {500, 300, 300, 300, 100}, 40, 3, 300, {1, 2, 3, 4, 5}, {0, 0, 0, 1, 201}},
      {"a chart before the cut-off chart in the list", {200, 300, 500, 300, 0}, 40, 3, 300, {4, 2, 1, 3, 5},
       {100, 0, 0, 0, 301}},
      {"ties reaching above the cut-off", {300, 300, 300, 300, 300}, 40, 3, 300, {1, 2, 3, 4, 5},
       {0, 0, 0, 1, 1}},
      {"negative scores", {-50, -20, 10, -20, -100}, 40, 3, -20, {4, 2, 1, 3, 5}, {30, 0, 0, 0, 81}},
      {"quota 0", {700}, 40, 0, std::nullopt, {1}, {None}},
      {"every chart counts", {5, 0, 5}, 0, 3, std::nullopt, {1, 3, 2}, {0, 0, 0}},
      {"no scores at all", {0, 0, 0, 0, 0}, 40, 3, 0, {1, 2, 3, 4, 5}, {0, 0, 0, 1, 1}},
      {"a needed score beyond 32 bits", {Max32, Max32, Max32, Max32, 7}, 40, 3, Max32, {1, 2, 3, 4, 5},
       {0, 0, 0, None, None}},
      {"a wide difference", {Max32, Max32, Max32, std::numeric_limits<int32_t>::min()}, 36, 3, Max32,
       {1, 2, 3, 4}, {0, 0, 0, None}},
      {"just below the widest cut-off", {Max32 - 1, Max32 - 1, Max32 - 1, -Max32}, 36, 3, Max32 - 1, {1, 2, 3, 4},
       {0, 0, 0, int64_t{Max32} * 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Chart> charts;
    for (int32_t score : c.level7) charts.push_back({7, score});
    for (int k = 0; k < c.filler; ++k) charts.push_back({10, 0});
    const TotalBreakdown b = computeTotalBreakdown(sheetOf(charts));
    const LevelBreakdown& level = b.levels[0];
    EXPECT_EQ(level.level, 7);
    EXPECT_EQ(level.count, static_cast<int64_t>(c.level7.size()));
    EXPECT_EQ(level.quota, c.quota);
    EXPECT_EQ(level.cutOffScore, c.cutOff);
    int64_t sum = 0, entered = 0;
    for (size_t i = 0; i < c.level7.size(); ++i) {
      SCOPED_TRACE(i);
      const ChartStanding& s = standingOf(b, i);
      EXPECT_EQ(s.score, c.level7[i]);
      EXPECT_EQ(s.rank, c.ranks[i]);
      EXPECT_EQ(s.counts, c.needed[i] == 0);
      EXPECT_EQ(s.pointsNeeded, c.needed[i] > 0 ? std::optional<int64_t>(c.needed[i]) : std::nullopt);
      if (s.counts) sum += s.score;
      entered += c.level7[i] != 0;
    }
    EXPECT_EQ(level.countedSum, sum);
    EXPECT_EQ(level.entered, entered);
    EXPECT_EQ(b.total, sum);  // the filler scores 0
  }
}

TEST(TotalBreakdown, SummaryForAHistory) {
  // Levels outside 7 .. 10 count in no sum, but a score entered on them is entered.
  const ScoreSheetState s = sheetOf({{7, 100}, {8, 0}, {9, 30, true}, {10, 4}, {6, 5}, {LevelNoChart, 0}, {7, 1}});
  const TotalSummary summary = summarizeTotal(s);
  EXPECT_EQ(summary, (TotalSummary{135, {101, 0, 30, 4}, 5}));
  EXPECT_EQ(summarizeTotal(computeTotalBreakdown(s)), summary);
}

// The box's chart lines, without the headings, and its total.
std::vector<std::string> boxCharts(const std::string& text, int64_t& total) {
  std::vector<std::string> charts;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("☆×", 0) == 0) continue;
    if (line.rfind("総合得点 ", 0) == 0) {
      total = std::stoll(line.substr(std::string("総合得点 ").size()));
      continue;
    }
    charts.push_back(line);
  }
  return charts;
}

ScoreSheetState randomSheet(uint32_t seed) {
  std::mt19937 random(seed);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
  // Few distinct scores, so that ties are common; the ends of the range too.
  const int32_t scores[] = {0, 0, 0, 1, 2, 500, 500, 999999, 1000000, -3, Max32, Max32 - 1};
  std::vector<Chart> charts;
  for (int l = 0; l < 4; ++l)
    for (int k = below(61); k > 0; --k) charts.push_back({static_cast<int16_t>(7 + l), 0, below(3) == 0});
  for (int k = below(5); k > 0; --k) charts.push_back({static_cast<int16_t>(below(7)), 0});
  std::shuffle(charts.begin(), charts.end(), random);
  for (Chart& c : charts) c.score = scores[below(static_cast<int>(std::size(scores)))];
  return sheetOf(charts);
}

TEST(TotalBreakdown, AgreesWithTheBoxOnRandomSheets) {
  for (uint32_t seed : {1u, 2u, 3u, 7u, 42u, 1234u, 9001u, 31337u, 271828u, 3141592u, 20240101u, 4294967295u}) {
    SCOPED_TRACE(seed);
    ScoreSheetState s = randomSheet(seed);
    const TotalBreakdown b = computeTotalBreakdown(s);
    const TotalScoreResult box = calculateTotalScore(s);
    int64_t boxTotal = -1;
    const std::vector<std::string> boxLines = boxCharts(box.resultText, boxTotal);
    EXPECT_EQ(b.total, boxTotal);
    EXPECT_EQ(summarizeTotal(b).total, boxTotal);

    std::vector<std::string> counted;
    for (const LevelBreakdown& level : b.levels)
      for (const ChartStanding& c : level.charts)
        if (c.counts) counted.push_back(std::to_string(c.score) + "点 t" + std::to_string(c.target));
    EXPECT_EQ(counted, boxLines);

    for (const LevelBreakdown& level : b.levels)
      for (const ChartStanding& c : level.charts) {
        if (c.counts) {
          EXPECT_FALSE(c.pointsNeeded);
          continue;
        }
        SCOPED_TRACE(c.target);
        const int32_t before = scoreOf(s, c.target);
        if (!c.pointsNeeded) {
          // Nothing helps: not even the highest score there is.
          scoreOf(s, c.target) = Max32;
          EXPECT_FALSE(standingOf(computeTotalBreakdown(s), c.target).counts);
          EXPECT_TRUE(level.quota == 0 || level.cutOffScore == Max32);
        } else {
          ASSERT_GT(*c.pointsNeeded, 0);
          scoreOf(s, c.target) = static_cast<int32_t>(before + *c.pointsNeeded);
          EXPECT_TRUE(standingOf(computeTotalBreakdown(s), c.target).counts);
          scoreOf(s, c.target) = static_cast<int32_t>(before + *c.pointsNeeded - 1);
          EXPECT_FALSE(standingOf(computeTotalBreakdown(s), c.target).counts);
        }
        scoreOf(s, c.target) = before;
      }
  }
}

}  // namespace
}  // namespace nk
