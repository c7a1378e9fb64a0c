// total_breakdown.cpp - the ranking of each level, its cut-off and the points
// the charts below it need.
#include "total/total_breakdown.h"

#include "data/sheet_catalogue.h"
#include <algorithm>
#include <limits>

namespace nk {
namespace {

void rankLevel(LevelBreakdown& level, const std::vector<size_t>& members, const std::vector<int32_t>& scores) {
  std::vector<size_t> order = members;
  // Best first; equal scores keep the order of the target list.
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return scores[a] > scores[b]; });
  const auto quota = static_cast<size_t>(level.quota);
  if (quota > 0 && quota < order.size()) {
    level.cutOffTarget = order[quota - 1];
    level.cutOffScore = scores[order[quota - 1]];
  }
  level.charts.resize(order.size());
  for (size_t k = 0; k < order.size(); ++k) {
    ChartStanding& c = level.charts[k];
    c.target = order[k];
    c.score = scores[order[k]];
    c.rank = static_cast<int64_t>(k) + 1;
    c.counts = k < quota;
    if (c.counts) level.countedSum += c.score;
    if (c.score != 0) ++level.entered;
    if (!c.counts && level.cutOffScore)
      c.pointsNeeded = pointsToCount(c.score, c.target, *level.cutOffScore, *level.cutOffTarget);
  }
}

TotalBreakdown breakdownOf(const ScoreSheetState& s, const std::vector<int32_t>& normal,
                           const std::vector<int32_t>& ura) {
  TotalBreakdown b;
  const size_t targets = static_cast<size_t>(std::max<int16_t>(s.TargetCount, 0));
  std::array<std::vector<size_t>, CountedLevels> members;  // target numbers per level, list order
  PerCountedLevel counts{};
  b.targetScores.resize(targets);
  for (size_t i = 0; i < targets; ++i) {
    const size_t e = targetEntry(s, i);
    b.targetScores[i] = (targetChart(s, i) == Chart::Ura ? ura : normal).at(e);
    if (b.targetScores[i] != 0) ++b.entered;
    const int slot = countedLevelIndex(s.TargetDifficulty.at(i));
    if (slot < 0) continue;
    ++counts[static_cast<size_t>(slot)];
    members[static_cast<size_t>(slot)].push_back(i);
  }
  const PerCountedLevel quotas = rankingQuotas(counts);
  for (size_t l = 0; l < CountedLevels; ++l) {
    LevelBreakdown& level = b.levels[l];
    level.level = CountedLevelNumbers[l];
    level.count = counts[l];
    level.quota = quotas[l];
    rankLevel(level, members[l], b.targetScores);
    b.total += level.countedSum;
  }
  return b;
}

}  // namespace

std::optional<int64_t> pointsToCount(int32_t score, size_t target, int32_t cutOffScore, size_t cutOffTarget) {
  const int64_t needed = int64_t{cutOffScore} + (target < cutOffTarget ? 0 : 1);
  if (needed > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return needed - score;
}

TotalBreakdown computeTotalBreakdown(const ScoreSheetState& s) { return breakdownOf(s, s.EntryScore, s.EntryScoreU); }

TotalBreakdown computeTotalBreakdown(const ScoreSheetState& s, const SheetScores& scores) {
  return breakdownOf(s, scores.normal, scores.ura);
}

TotalSummary summarizeTotal(const TotalBreakdown& b) {
  TotalSummary summary;
  summary.total = b.total;
  for (size_t l = 0; l < CountedLevels; ++l) summary.levelSums[l] = b.levels[l].countedSum;
  summary.entered = b.entered;
  return summary;
}

TotalSummary summarizeTotal(const ScoreSheetState& s) { return summarizeTotal(computeTotalBreakdown(s)); }

}  // namespace nk
