// score_trial.cpp - trial scores in place of the sheet's.
#include "total/score_trial.h"

#include "data/sheet_catalogue.h"
#include "data/typed_number.h"

#include <algorithm>
#include <limits>

namespace nk {

ScoreTrial::ChartKey ScoreTrial::chartKeyOf(const ScoreSheetState& s, size_t target) {
  return {static_cast<int16_t>(targetEntry(s, target)), targetChart(s, target)};
}

void ScoreTrial::stop() {
  active_ = false;
  scores_.clear();
}

void ScoreTrial::set(const ScoreSheetState& s, size_t target, std::optional<int32_t> score) {
  if (score)
    scores_[chartKeyOf(s, target)] = *score;
  else
    scores_.erase(chartKeyOf(s, target));
}

bool ScoreTrial::tried(const ScoreSheetState& s, size_t target) const {
  return active_ && scores_.contains(chartKeyOf(s, target));
}

void ScoreTrial::addPlan(const ScoreSheetState& s, const TargetPlan& plan) {
  start();
  for (const PlannedChart& chart : plan.charts) set(s, chart.target, chart.needed);
}

TotalBreakdown ScoreTrial::breakdown(const ScoreSheetState& s) const {
  if (!active_ || scores_.empty()) return computeTotalBreakdown(s);
  SheetScores tried = scoresOf(s);
  for (const auto& [chart, score] : scores_)
    tried.of(chart.second).at(static_cast<size_t>(chart.first)) = score;
  return computeTotalBreakdown(s, tried);
}

std::vector<TypedScore> ScoreTrial::typedScores(const ScoreSheetState& s, const std::vector<int16_t>& positions) const {
  std::vector<TypedScore> typed;
  for (const auto& [chart, score] : scores_) {
    const auto entry = static_cast<size_t>(chart.first);
    const int32_t now = chartScore(s, entry, chart.second);
    if (score == now || positions.at(entry) < 0) continue;
    typed.push_back({positions[entry], chart.second, score});
  }
  std::sort(typed.begin(), typed.end(), [](const TypedScore& x, const TypedScore& y) {
    return x.displayPosition != y.displayPosition ? x.displayPosition < y.displayPosition : x.chart < y.chart;
  });
  return typed;
}

std::optional<std::optional<int32_t>> parseTrialScore(std::string_view typed) {
  const auto number = parseTypedNumber(typed, 0, std::numeric_limits<int32_t>::max());
  std::optional<std::optional<int32_t>> score;
  if (number) score.emplace(*number ? std::optional<int32_t>(static_cast<int32_t>(**number)) : std::nullopt);
  return score;
}

}  // namespace nk
