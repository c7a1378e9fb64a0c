// total_breakdown.h - the total score ("総合得点") taken apart: per star level
// 7 to 10 which charts count, the cut-off, and how many more points each chart
// that does not count needs to push the cut-off chart out.
//
// This is the one computation behind the "合計" box (total_score.h builds its
// texts and log lines from it) and behind the breakdown window and the
// history. Inputs and order are those of the total: a level's charts sorted by
// score, highest first, equal scores keeping the target list's order, and the
// first q (the level's quota, rankingQuotas) count.
//
// The cut-off chart K of a level exists when 0 < q < c: it is the q-th chart.
// A chart i that does not count enters the total once its score s reaches
// score(K) + 1, or score(K) when i stands before K in the target list (it then
// sorts before K). With q = 0 nothing of the level can count; with c <= q
// every chart counts. Scores are 32-bit; sums and differences are 64-bit.
// Reads the state only: TargetScore is not written (the "合計" button does).
#pragma once

#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "domain/ranking_rule.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace nk {

// One chart of a level, in the level's ranking.
struct ChartStanding {
  size_t target = 0;  // number in the target list
  int32_t score = 0;
  int64_t rank = 0;   // 1-based place in the level's ranking
  bool counts = false;
  // Charts that do not count: the points they need to count. Empty where no
  // score can make them count (quota 0, or the needed score would not fit in
  // 32 bits); always empty for a chart that counts.
  std::optional<int64_t> pointsNeeded;
};

struct LevelBreakdown {
  int16_t level = 0;   // 7 .. 10
  int64_t count = 0;   // targets of the level
  int64_t quota = 0;   // places of the level
  int64_t countedSum = 0;
  int64_t entered = 0;  // charts of the level whose score is not 0
  // The cut-off chart's score and target number, when 0 < quota < count.
  std::optional<int32_t> cutOffScore;
  std::optional<size_t> cutOffTarget;
  std::vector<ChartStanding> charts;  // ranking order; the first `quota` count
};

struct TotalBreakdown {
  std::vector<int32_t> targetScores;  // per target: EntryScore or EntryScoreU of its entry
  std::array<LevelBreakdown, CountedLevels> levels;  // in CountedLevelNumbers' order
  int64_t total = 0;
  int64_t entered = 0;  // target charts of any level whose score is not 0
};

// The whole breakdown of the state's current scores.
TotalBreakdown computeTotalBreakdown(const ScoreSheetState& s);
// The same for other scores of the sheet's charts (a trial's).
TotalBreakdown computeTotalBreakdown(const ScoreSheetState& s, const SheetScores& scores);

// The points a chart with the given score and target number needs to count
// in a level whose cut-off chart is cutOffTarget with cutOffScore; empty when
// the needed score exceeds the 32-bit range.
std::optional<int64_t> pointsToCount(int32_t score, size_t target, int32_t cutOffScore, size_t cutOffTarget);

TotalSummary summarizeTotal(const ScoreSheetState& s);
TotalSummary summarizeTotal(const TotalBreakdown& b);

}  // namespace nk
