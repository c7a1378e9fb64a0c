// sheet_catalogue.h - the sheet's arrays read as charts: which entry a display
// position or a ranking target names, a chart's title, level, score and
// whether the version has it, and the scores of every chart side by side.
//
// The state keeps its parallel arrays, 1-based numbers stored at index
// number - 1, because the load and the page fill them step by step; this is
// how the rest of the program reads them, so that the index arithmetic and
// the rule for an absent chart live in one place. Every accessor checks its
// index with at(): a position, target or entry beyond its list throws
// std::out_of_range rather than reading another chart's data.
#pragma once

#include "data/score_state.h"

#include <cstdint>
#include <vector>

namespace nk {

// The entry (index, not number) shown at display position p.
inline size_t entryAt(const ScoreSheetState& s, size_t p) { return static_cast<size_t>(s.DisplayOrder.at(p)); }

// For every entry, its position in the display order (DisplayOrder inverted);
// -1 for an entry that is not shown.
inline std::vector<int16_t> displayPositions(const ScoreSheetState& s) {
  std::vector<int16_t> positions(s.EntryScore.size(), -1);
  for (size_t p = 0; p < s.DisplayOrder.size(); ++p) {
    const size_t e = entryAt(s, p);
    if (e < positions.size()) positions[e] = static_cast<int16_t>(p);
  }
  return positions;
}

// The entry (index) and the chart kind of ranking target t.
inline size_t targetEntry(const ScoreSheetState& s, size_t t) {
  return static_cast<size_t>(s.TargetEntryNo.at(t) - 1);
}
inline Chart targetChart(const ScoreSheetState& s, size_t t) { return chartOf(s.TargetIsUra.at(t)); }

// The title of ranking target t's song.
inline const std::string& targetTitle(const ScoreSheetState& s, size_t t) { return entryTitle(s, targetEntry(s, t)); }

// The star level code of entry e's chart, as the version list gives it.
inline int16_t chartLevel(const ScoreSheetState& s, size_t e, Chart chart) {
  return chart == Chart::Ura ? s.EntryDifficultyU.at(e) : s.EntryDifficulty.at(e);
}

// Whether the version has entry e's chart. A normal chart of level code 0 is
// there (shown with "0"); a 裏 chart of level code 0 counts as absent.
inline bool chartExists(const ScoreSheetState& s, size_t e, Chart chart) {
  const int16_t level = chartLevel(s, e, chart);
  return level != LevelNoChart && (chart == Chart::Normal || level != 0);
}

// The score kept for entry e's chart.
inline int32_t chartScore(const ScoreSheetState& s, size_t e, Chart chart) {
  return chart == Chart::Ura ? s.EntryScoreU.at(e) : s.EntryScore.at(e);
}
inline int32_t& chartScore(ScoreSheetState& s, size_t e, Chart chart) {
  return chart == Chart::Ura ? s.EntryScoreU.at(e) : s.EntryScore.at(e);
}

// One score per entry and chart kind, laid out as EntryScore and EntryScoreU:
// what the last load or save left, what the file held before a save.
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
