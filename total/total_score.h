// total_score.h - the "合計" box: the total score ("総合得点") with each counted
// level's places filled by its best scores (the rule: domain/ranking_rule.h,
// the computation: total_breakdown.h), and the log lines around the box.
// With no target at all the total is 0.
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"
#include "domain/ranking_rule.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nk {

struct TotalScoreResult {
  PerCountedLevel counts{};  // targets per counted level
  PerCountedLevel quotas{};  // places per counted level
  std::vector<int32_t> targetScores;  // the refreshed TargetScore
  int64_t total = 0;
  std::string resultText;               // the box's text, every line ending in CR LF
  std::vector<std::string> logBefore;   // written before the box is shown
  std::vector<std::string> logAfter;    // written after it is closed
};

// The whole calculation over the state; changes nothing.
TotalScoreResult calculateTotalScore(const ScoreSheetState& s);

// What the "合計" button does: stores TargetScore, logs, shows the result in
// the "総合得点" box and logs the total once the box is closed.
void showTotalScore(const DebugLog& log, ScoreSheetState& s);

}  // namespace nk
