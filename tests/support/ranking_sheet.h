// ranking_sheet.h - a sheet made of ranking targets alone, for the tests of
// what is worked out of them (the total's breakdown, the statistics).
#pragma once

#include "data/score_state.h"

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
  ScoreSheetState s;
  for (size_t i = 0; i < charts.size(); ++i) {
    s.SongTitles.push_back("t" + std::to_string(i));
    s.EntrySongNo.push_back(static_cast<int16_t>(i + 1));
    s.EntryScore.push_back(charts[i].ura ? -9 : charts[i].score);
    s.EntryScoreU.push_back(charts[i].ura ? charts[i].score : -9);
    s.TargetEntryNo.push_back(static_cast<int16_t>(i + 1));
    s.TargetIsUra.push_back(charts[i].ura);
    s.TargetDifficulty.push_back(charts[i].level);
    s.TargetScore.push_back(0);
  }
  s.SongCount = s.EntryCount = s.TargetCount = static_cast<int16_t>(charts.size());
  return s;
}

}  // namespace nk::test
