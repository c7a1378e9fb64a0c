// genre_order.h - the order in which the score sheet shows the entries:
// grouped by a fixed ranking of genre labels, in version-list order within a
// group, every other label last.
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"

#include <array>
#include <string_view>

namespace nk {

// The ranked labels, compared exactly (byte for byte, case-sensitive, untrimmed).
inline constexpr std::array<std::string_view, 7> GenreRanking = {
    "J-POP", "アニメ", "童謡・民謡", "バラエティ", "クラシック", "ゲームミュージック", "ナムコオリジナル",
};

// 0-based rank of a label; GenreRanking.size() for any other label.
size_t genreRank(std::string_view label);

// Logs its start, fills DisplayOrder from EntryGenre, logs its end. Neither
// yields nor touches the status line.
void SortByGenre(const DebugLog& log, ScoreSheetState& s);

}  // namespace nk
