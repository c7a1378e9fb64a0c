// target_plan.cpp - the fewest raises of counted charts that close the gap.
#include "total/target_plan.h"

#include <algorithm>

namespace nk {

TargetPlan planTowards(const TotalBreakdown& b, int64_t target) {
  TargetPlan plan;
  plan.gap = target - b.total;
  if (plan.gap <= 0) return plan;
  std::vector<PlannedChart> raises;
  for (const LevelBreakdown& level : b.levels) {
    int32_t best = 0;
    for (const ChartStanding& c : level.charts) best = std::max(best, c.score);
    for (const ChartStanding& c : level.charts)
      if (c.counts && c.score < best) raises.push_back({c.target, level.level, c.score, best});
  }
  // Largest raise first; equal raises in the target list's order.
  std::stable_sort(raises.begin(), raises.end(), [](const PlannedChart& x, const PlannedChart& y) {
    const int64_t rx = int64_t{x.needed} - x.now, ry = int64_t{y.needed} - y.now;
    return rx != ry ? rx > ry : x.target < y.target;
  });
  for (PlannedChart& raise : raises) {
    if (plan.closes()) break;
    const int64_t left = plan.gap - plan.closed;
    if (int64_t{raise.needed} - raise.now > left) raise.needed = static_cast<int32_t>(raise.now + left);
    plan.closed += int64_t{raise.needed} - raise.now;
    plan.charts.push_back(raise);
  }
  return plan;
}

}  // namespace nk
