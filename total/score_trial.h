// score_trial.h - scores tried before they are played ("試算"): scores of
// target charts that the breakdown takes in place of the sheet's, while the
// sheet, its boxes and its files keep theirs. The trial writes nothing: it
// lives in the breakdown window until the player drops it, or types it into
// the sheet's boxes (typedScores), where it is unsaved like any typed score.
//
// A trial score belongs to a chart (an entry's 表 or 裏), not to a target
// number, so every target naming that chart follows it.
#pragma once

#include "data/score_state.h"
#include "total/target_plan.h"
#include "total/total_breakdown.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace nk {

// A score to put into a box of the sheet: the chart by its entry's display
// position and 表/裏.
struct TypedScore {
  int16_t displayPosition = -1;
  Chart chart = Chart::Normal;
  int32_t score = 0;
  bool operator==(const TypedScore&) const = default;
};

class ScoreTrial {
public:
  bool active() const { return active_; }
  // An empty trial; start() of a running trial keeps its scores.
  void start() { active_ = true; }
  void stop();

  // The trial score of the target's chart; none gives it back the sheet's.
  void set(const ScoreSheetState& s, size_t target, std::optional<int32_t> score);
  bool tried(const ScoreSheetState& s, size_t target) const;
  size_t size() const { return scores_.size(); }
  // Starts the trial (where it did not run) with the plan's scores.
  void addPlan(const ScoreSheetState& s, const TargetPlan& plan);

  // The breakdown of the sheet's scores with the trial's in their place (the
  // sheet's alone when the trial does not run).
  TotalBreakdown breakdown(const ScoreSheetState& s) const;
  // The trial scores that differ from the sheet's, in display order, for
  // charts the sheet shows (positions as displayPositions gives them).
  std::vector<TypedScore> typedScores(const ScoreSheetState& s, const std::vector<int16_t>& positions) const;

private:
  using ChartKey = std::pair<int16_t, Chart>;  // entry index, chart kind
  static ChartKey chartKeyOf(const ScoreSheetState& s, size_t target);

  bool active_ = false;
  std::map<ChartKey, int32_t> scores_;
};

// A trial score as typed: a whole number from 0 to the 32-bit maximum, with
// the digits and separators of parseTypedNumber; empty is none (the sheet's
// score again). nullopt: not such a number.
std::optional<std::optional<int32_t>> parseTrialScore(std::string_view typed);

}  // namespace nk
