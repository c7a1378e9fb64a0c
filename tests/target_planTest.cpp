// target_planTest.cpp - the plan towards a target total: hand-made levels at
// the cut-off, and random sheets against every smaller set of raises.
#include "total/target_plan.h"

#include "data/target_total.h"
#include "ranking_sheet.h"
#include "total/breakdown_text.h"
#include "total/plan_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>

namespace nk {
namespace {

// Target i is the normal chart of entry i, at the level given.
ScoreSheetState sheetOf(const std::vector<std::pair<int16_t, int32_t>>& charts) {
  std::vector<test::RankedChart> ranked;
  for (const auto& [level, score] : charts) ranked.push_back({level, score});
  return test::rankingSheet(ranked);
}

// The total once the plan's scores are typed.
int64_t totalAfter(ScoreSheetState s, const TargetPlan& plan) {
  for (const PlannedChart& c : plan.charts) s.EntryScore[c.target] = c.needed;
  return computeTotalBreakdown(s).total;
}

TEST(TargetPlan, HandMadeLevels) {
  // 30 places: 10 charts of each of levels 7, 8, 9 give 10 places each.
  std::vector<std::pair<int16_t, int32_t>> base;
  for (int16_t level : {7, 8, 9})
    for (int k = 0; k < 10; ++k) base.push_back({level, 900000 - k * 10000});
  const int64_t total = computeTotalBreakdown(sheetOf(base)).total;
  struct Case {
    const char* name;
    std::vector<std::pair<size_t, int32_t>> changed;  // target, score
    int64_t target;
    int64_t gap, closed;
    std::vector<std::pair<size_t, int32_t>> planned;  // target, score needed
  } cases[] = {
      {"reached, and by how much", {}, total - 5, -5, 0, {}},
      {"exactly reached", {}, total, 0, 0, {}},
      {"the lowest chart of the first level first; ties in target order", {}, total + 95000, 95000, 95000,
       {{9, 900000}, {19, 815000}}},
      {"the last raise only as far as the gap needs", {}, total + 90001, 90001, 90001, {{9, 900000}, {19, 810001}}},
      {"never above the level's best: no raise on a level of equal scores",
       {{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}}, total + 1, 1, 1, {{19, 810001}}},
      {"the whole plan falls short", {}, total + 10000000, 10000000, 3 * 450000, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScoreSheetState s = sheetOf(base);
    for (const auto& [t, score] : c.changed) s.EntryScore[t] = score;
    const TotalBreakdown b = computeTotalBreakdown(s);
    const TargetPlan plan = planTowards(b, b.total - total + c.target);
    EXPECT_EQ(plan.gap, c.gap);
    EXPECT_EQ(plan.closed, c.closed);
    if (c.closed < c.gap) {
      EXPECT_EQ(plan.charts.size(), 27u);  // every counted chart below its level's best
      EXPECT_EQ(totalAfter(s, plan), b.total + plan.closed);
      continue;
    }
    std::vector<std::pair<size_t, int32_t>> planned;
    for (const PlannedChart& p : plan.charts) planned.push_back({p.target, p.needed});
    EXPECT_EQ(planned, c.planned);
  }
}

TEST(TargetPlan, AQuotaOfZeroPlansNothingThere) {
  // One level-7 chart among 59 of level 10: 59 * 30 / 60 leaves level 7 no place.
  std::vector<std::pair<int16_t, int32_t>> charts{{7, 100}};
  for (int k = 0; k < 59; ++k) charts.push_back({10, 1000 - k});
  const TotalBreakdown b = computeTotalBreakdown(sheetOf(charts));
  ASSERT_EQ(b.levels[0].quota, 0);
  const TargetPlan plan = planTowards(b, b.total + 1000000);
  EXPECT_FALSE(plan.charts.empty());
  for (const PlannedChart& p : plan.charts) EXPECT_EQ(p.level, 10);
}

// Scores at the ends of 32 bits on 30 places of ☆10: the gap, the raises and
// their texts are whole beyond 32 bits.
TEST(TargetPlan, TheLargestAndTheSmallestScores) {
  constexpr int32_t Max32 = std::numeric_limits<int32_t>::max(), Min32 = std::numeric_limits<int32_t>::min();
  struct Case {
    const char* name;
    int32_t last;  // the score of the last of 30 charts; the others hold Max32
    int64_t target;
    int64_t gap;
    std::string summary;
    std::string rows;  // now, needed, raise of each planned chart
  } cases[] = {
      {"the highest target reached", Max32, HighestTargetTotal, 0, "目標に届いています。", ""},
      {"the smallest raised to the largest", Min32, HighestTargetTotal, 4294967295,
       "1譜面を上げると目標に届きます（各レベルの最高点を超えない点数で）。",
       "t29|-2,147,483,648|2,147,483,647|+4,294,967,295;"},
      {"the smallest raised by 1", Min32, 29 * int64_t{Max32} + Min32 + 1, 1,
       "1譜面を上げると目標に届きます（各レベルの最高点を超えない点数で）。", "t29|-2,147,483,648|-2,147,483,647|+1;"},
      {"beyond the highest total", Min32, HighestTargetTotal + 5, 4294967300,
       "1譜面をすべて上げても +4,294,967,295点で、目標まで あと 5点。", "t29|-2,147,483,648|2,147,483,647|+4,294,967,295;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::pair<int16_t, int32_t>> charts(29, {10, Max32});
    charts.push_back({10, c.last});
    const ScoreSheetState s = sheetOf(charts);
    const TotalBreakdown b = computeTotalBreakdown(s);
    const TargetPlan plan = planTowards(b, c.target);
    EXPECT_EQ(plan.gap, c.gap);
    EXPECT_EQ(planSummary(c.target, plan), c.summary);
    std::string rows;
    for (const PlanRow& r : planRows(s, plan, displayPositions(s)))
      rows += r.title + "|" + r.now + "|" + r.needed + "|" + r.raise + ";";
    EXPECT_EQ(rows, c.rows);
    if (plan.closes()) {
      EXPECT_EQ(totalAfter(s, plan), c.target);
    }
  }
}

// On random small sheets: the plan closes the gap when any set of raises to
// the levels' best can, and no smaller set closes it.
TEST(TargetPlan, NoSmallerSetOfRaisesClosesTheGap) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::pair<int16_t, int32_t>> charts;
    const int n = 4 + static_cast<int>(random() % 8);
    for (int k = 0; k < n; ++k)
      charts.push_back({static_cast<int16_t>(7 + random() % 4), static_cast<int32_t>(random() % 5) * 1000});
    const ScoreSheetState s = sheetOf(charts);
    const TotalBreakdown b = computeTotalBreakdown(s);
    const int64_t target = b.total + static_cast<int64_t>(random() % 20000);
    const TargetPlan plan = planTowards(b, target);
    SCOPED_TRACE(round);
    EXPECT_EQ(totalAfter(s, plan), b.total + plan.closed);
    // Every set of raises to the level's best, by size.
    size_t fewest = SIZE_MAX;
    int64_t most = b.total;
    for (uint32_t set = 0; set < (1u << n); ++set) {
      ScoreSheetState raised = s;
      for (int k = 0; k < n; ++k) {
        if (!(set >> k & 1)) continue;
        int32_t best = 0;
        for (int j = 0; j < n; ++j)
          if (charts[j].first == charts[k].first) best = std::max(best, charts[j].second);
        raised.EntryScore[k] = best;
      }
      const int64_t total = computeTotalBreakdown(raised).total;
      most = std::max(most, total);
      if (total >= target) fewest = std::min<size_t>(fewest, std::popcount(set));
    }
    EXPECT_EQ(plan.closes(), fewest != SIZE_MAX);
    if (plan.closes()) EXPECT_EQ(plan.charts.size(), plan.gap <= 0 ? 0 : fewest);
    else EXPECT_EQ(b.total + plan.closed, most);
  }
}

}  // namespace
}  // namespace nk
