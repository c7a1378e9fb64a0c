// rival_compare.cpp - the player's sheet and a rival's side by side.
#include "rival/rival_compare.h"

#include "data/target_total.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace nk {
namespace {

LevelSide sideOf(const LevelBreakdown& level) { return {level.countedSum, level.cutOffScore, level.entered}; }

int32_t scoreIn(const SheetScores& scores, size_t e, Chart chart) {
  const std::vector<int32_t>& of = scores.of(chart);
  return e < of.size() ? of[e] : 0;
}

}  // namespace

SheetScores trialSheetScores(const ScoreSheetState& s, const ScoreTrial& trial) {
  SheetScores scores = scoresOf(s);
  if (!trial.active()) return scores;
  const std::vector<int16_t> positions = displayPositions(s);
  for (const TypedScore& typed : trial.typedScores(s, positions)) {
    const size_t e = entryAt(s, static_cast<size_t>(typed.displayPosition));
    scores.of(typed.chart).at(e) = typed.score;
  }
  return scores;
}

RivalComparison compareWithRival(const ScoreSheetState& s, const SheetScores& mine, const SheetScores& rival) {
  const TotalBreakdown my = computeTotalBreakdown(s, mine), their = computeTotalBreakdown(s, rival);
  RivalComparison c;
  c.myTotal = my.total;
  c.rivalTotal = their.total;
  c.rivalLead = their.total - my.total;
  if (their.total < HighestTargetTotal) c.passingTotal = their.total + 1;
  for (size_t l = 0; l < c.levels.size(); ++l) {
    const LevelBreakdown &a = my.levels[l], &b = their.levels[l];
    c.levels[l] = {a.level, a.count, a.quota, sideOf(a), sideOf(b), b.countedSum - a.countedSum};
  }
  std::set<std::pair<size_t, Chart>> ranked;
  for (size_t t = 0; t < s.TargetEntryNo.size() && t < s.TargetIsUra.size(); ++t)
    ranked.insert({targetEntry(s, t), targetChart(s, t)});
  for (size_t e = 0; e < s.EntrySongNo.size(); ++e)
    for (const Chart chart : {Chart::Normal, Chart::Ura}) {
      const int32_t a = scoreIn(mine, e, chart), b = scoreIn(rival, e, chart);
      if (a == 0 && b == 0) continue;
      c.charts.push_back(
          {e, chart, chartLevel(s, e, chart), ranked.contains({e, chart}), a, b, int64_t{b} - int64_t{a}});
    }
  sortByRivalLead(s, c.charts);
  return c;
}

void sortByRivalLead(const ScoreSheetState& s, std::vector<ChartSideBySide>& charts) {
  const std::vector<int16_t> positions = displayPositions(s);
  const auto key = [&](const ChartSideBySide& c) {
    // 0: the rival leads, 1: equal, 2: the player leads; then the lead's size.
    const int side = c.rivalLead > 0 ? 0 : c.rivalLead == 0 ? 1 : 2;
    const int64_t margin = c.rivalLead < 0 ? -c.rivalLead : c.rivalLead;
    const int position = c.entry < positions.size() && positions[c.entry] >= 0 ? positions[c.entry] : INT16_MAX;
    return std::make_tuple(side, margin, !c.ranked, position, c.entry, isUra(c.chart));
  };
  std::stable_sort(charts.begin(), charts.end(),
                   [&](const ChartSideBySide& a, const ChartSideBySide& b) { return key(a) < key(b); });
}

}  // namespace nk
