// total_score.h - the total score ("総合得点"): 30 ranking places shared out
// among star levels 7 to 10 in proportion to their numbers of targets, each
// level's places filled by its best scores.
//
// Beyond the well-formed case (every level 7 to 10 has a target and the four
// have 30 together) the quotas are capped at their levels' counts, so a short
// or empty level or list takes every chart it has and nothing is read past
// it; with no target at all every quota is 0 and the total is 0. Counts and
// the total are computed wide, so no number of targets wraps around.
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nk {

constexpr int RankingPlaces = 30;
constexpr int16_t LowestCountedLevel = 7;
constexpr int16_t HighestCountedLevel = 10;

struct TotalScoreResult {
  std::array<int64_t, 4> counts{};  // targets of levels 7, 8, 9, 10
  std::array<int64_t, 4> quotas{};  // places of levels 7, 8, 9, 10
  std::vector<int32_t> targetScores;  // the refreshed TargetScore
  int64_t total = 0;
  std::string resultText;               // the box's text, every line ending in CR LF
  std::vector<std::string> logBefore;   // written before the box is shown
  std::vector<std::string> logAfter;    // written after it is closed
};

// Places per level: q = count × 30 ÷ T for levels 7 to 9, the rest for level
// 10, each capped at its level's count; all 0 when T is 0.
std::array<int64_t, 4> rankingQuotas(const std::array<int64_t, 4>& counts);

// The whole calculation over the state; changes nothing.
TotalScoreResult calculateTotalScore(const ScoreSheetState& s);

// What the "合計" button does: stores TargetScore, logs, shows the result in
// the "総合得点" box and logs the total once the box is closed.
void showTotalScore(const DebugLog& log, ScoreSheetState& s);

}  // namespace nk
