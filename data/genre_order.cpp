// genre_order.cpp - the display order of the entries by genre rank.
#include "data/genre_order.h"

#include "data/numeric.h"
#include "diag/debug_log.h"

namespace nk {

size_t genreRank(std::string_view label) {
  for (size_t rank = 0; rank < GenreRanking.size(); ++rank)
    if (label == GenreRanking[rank]) return rank;
  return GenreRanking.size();
}

void SortByGenre(const DebugLog& log, ScoreSheetState& s) {
  PutLog(log, "曲順ソート開始");
  const size_t count = s.EntryGenre.size();
  // A stable counting sort by rank: the same order as placing every rank's
  // entries in turn, in one pass over the labels instead of eight.
  constexpr size_t Groups = GenreRanking.size() + 1;
  std::vector<uint8_t> rank(count);
  std::array<size_t, Groups + 1> start{};
  for (size_t e = 0; e < count; ++e) {
    rank[e] = static_cast<uint8_t>(genreRank(s.EntryGenre[e]));
    ++start[rank[e] + 1];
  }
  for (size_t g = 1; g <= Groups; ++g) start[g] += start[g - 1];
  std::vector<int16_t> order(count);
  for (size_t e = 0; e < count; ++e) order[start[rank[e]]++] = checked16(static_cast<long long>(e));
  s.DisplayOrder = std::move(order);
  PutLog(log, "曲順ソート終了");
}

}  // namespace nk
