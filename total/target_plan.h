// target_plan.h - the plan towards a target total ("目標総合得点"): the fewest
// charts of levels 7 to 10 whose raise closes the gap, none planned above the
// highest score the player has entered at its level.
//
// The places of a level are fixed by its numbers of targets, not by scores,
// so the levels add up apart. Within a level, raising k charts to the level's
// best c adds at most k * c minus the k lowest counted scores: a chart that
// does not count enters in place of the lowest counted one and adds only what
// it scores above it, so raising the counted chart itself does as much for the
// least raise. Every raise is thus one counted chart's, and the raises' gains
// (c - score) do not depend on one another: the plan takes the largest first,
// and the last only as far as the gap needs. The plan is the fewest charts
// that can close the gap; where all of them cannot, it says how far it gets.
#pragma once

#include "total/total_breakdown.h"

#include <cstdint>
#include <vector>

namespace nk {

struct PlannedChart {
  size_t target = 0;  // number in the target list
  int16_t level = 0;
  int32_t now = 0;     // the score now
  int32_t needed = 0;  // the score the plan needs
};

struct TargetPlan {
  int64_t gap = 0;        // target minus total; 0 or less: reached
  int64_t closed = 0;     // what the planned raises add (the gap when it closes)
  std::vector<PlannedChart> charts;  // largest raise first
  bool closes() const { return closed >= gap; }
};

// The plan from the breakdown of the sheet's scores towards the target.
TargetPlan planTowards(const TotalBreakdown& b, int64_t target);

}  // namespace nk
