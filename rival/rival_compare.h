// rival_compare.h - the player's sheet and a rival's side by side: both
// totals, the same per level, and every chart where either has a score.
//
// The rival's total is the total of this PC's sheet with the rival's scores
// in the player's place (total/total_breakdown.h), so the ranking rule and
// its ties (equal scores keep the target list's order) work alike on both
// sides. The player's side is the sheet's scores, or with the trial's in
// their place (trialSheetScores).
//
// The charts are sorted by where the rival leads by the least: first the
// charts the rival leads, the smallest lead first (the charts easiest to
// take); then the charts both have at the same score; then the charts the
// player leads, the smallest lead first (the ones closest to be taken).
// Within one lead, the charts of the ranking targets first, then in the
// sheet's display order, 表 before 裏.
#pragma once

#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "domain/ranking_rule.h"
#include "total/score_trial.h"
#include "total/total_breakdown.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace nk {

struct LevelSide {
  int64_t sum = 0;  // of the charts that count
  std::optional<int32_t> cutOff;
  int64_t entered = 0;  // charts of the level with a score
};

struct LevelSideBySide {
  int16_t level = 0;
  int64_t count = 0;  // targets of the level
  int64_t quota = 0;
  LevelSide mine;
  LevelSide rival;
  int64_t rivalLead = 0;  // rival.sum - mine.sum
};

struct ChartSideBySide {
  size_t entry = 0;  // index
  Chart chart = Chart::Normal;
  int16_t level = 0;    // the chart's star level code
  bool ranked = false;  // one of the ranking targets
  int32_t mine = 0;
  int32_t rival = 0;
  int64_t rivalLead = 0;  // rival - mine
};

struct RivalComparison {
  int64_t myTotal = 0;
  int64_t rivalTotal = 0;
  int64_t rivalLead = 0;  // rivalTotal - myTotal
  // The total that passes the rival ("このライバルを目標に"); none when the
  // rival's total is the highest a sheet can reach (HighestTargetTotal).
  std::optional<int64_t> passingTotal;
  std::array<LevelSideBySide, CountedLevels> levels;  // in CountedLevelNumbers' order
  std::vector<ChartSideBySide> charts;                // in the default order
};

// The sheet's scores with the trial's in their place (the sheet's alone
// when the trial does not run).
SheetScores trialSheetScores(const ScoreSheetState& s, const ScoreTrial& trial);

// The player's scores mine and the rival's side by side on the sheet of s.
RivalComparison compareWithRival(const ScoreSheetState& s, const SheetScores& mine, const SheetScores& rival);

// Sorts charts into the default order (above).
void sortByRivalLead(const ScoreSheetState& s, std::vector<ChartSideBySide>& charts);

}  // namespace nk
