// sheet_scores.h - the scores of every chart of a sheet, 表 and 裏 side by
// side: what the last load or save left, what the file held before a save.
#pragma once

#include "data/score_state.h"

#include <cstdint>
#include <vector>

namespace nk {

enum class Chart { Normal, Ura };

// One score per entry and chart kind, laid out as EntryScore and EntryScoreU.
struct SheetScores {
  std::vector<int32_t> normal;
  std::vector<int32_t> ura;

  const std::vector<int32_t>& of(Chart chart) const { return chart == Chart::Ura ? ura : normal; }
  std::vector<int32_t>& of(Chart chart) { return chart == Chart::Ura ? ura : normal; }
  bool operator==(const SheetScores&) const = default;
};

// The sheet's scores as they stand.
inline SheetScores scoresOf(const ScoreSheetState& s) { return {s.EntryScore, s.EntryScoreU}; }

}  // namespace nk
