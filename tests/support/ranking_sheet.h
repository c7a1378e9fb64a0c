// ranking_sheet.h - a sheet made of ranking targets alone, for the tests of
// what is worked out of them (the total's breakdown, the statistics).
#pragma once

#include "data/score_state.h"
#include "sheet_builder.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace nk::test {

constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();

struct RankedChart {
  int16_t level;
  int32_t score;
  bool ura = false;
};

// Target i is the chart of entry i (its 裏 chart when ura, the other chart
// then -9), so a score raised on one target never moves another. Every entry
// has a song of its own, titled "t" and its index.
inline ScoreSheetState rankingSheet(const std::vector<RankedChart>& charts) {
  SheetBuilder sheet;
  for (size_t i = 0; i < charts.size(); ++i) {
    const RankedChart& c = charts[i];
    sheet.entry({.title = "t" + std::to_string(i), .score = c.ura ? -9 : c.score, .scoreU = c.ura ? c.score : -9});
    sheet.target(static_cast<int16_t>(i + 1), chartOf(c.ura), c.level);
  }
  return sheet.build();
}

}  // namespace nk::test
