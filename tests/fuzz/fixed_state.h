// fixed_state.h - the small catalogue and version entries that the fuzz
// targets of the later readers parse against.
#pragma once

#include "data/score_state.h"

#include <array>
#include <string>

namespace nk::fuzz {

constexpr int16_t FixedSongCount = 12;

// Songs "曲1".."曲12"; their genres cover every ranked label, labels that only
// look like one, and the empty label.
inline ScoreSheetState fixedCatalogue() {
  static const std::array<const char*, FixedSongCount> genres = {
      "J-POP", "アニメ", "童謡・民謡", "バラエティ", "クラシック", "ゲームミュージック",
      "ナムコオリジナル", "その他", "J-POP ", "j-pop", "", "アニメ",
  };
  ScoreSheetState s;
  for (int k = 0; k < FixedSongCount; ++k) {
    s.SongTitles.push_back("曲" + std::to_string(k + 1));
    s.SongGenres.push_back(genres[static_cast<size_t>(k)]);
  }
  s.SongCount = FixedSongCount;
  return s;
}

// The catalogue and twelve entries over it, not in song order, with every
// kind of level code on both charts; scores all 0, as the version list leaves them.
inline ScoreSheetState fixedEntries() {
  ScoreSheetState s = fixedCatalogue();
  static const std::array<int16_t, FixedSongCount> normal = {10, LevelUnknown, LevelNoChart, 0, 1, 2,
                                                             3,  4,            5,            6, 7, 9};
  static const std::array<int16_t, FixedSongCount> ura = {LevelNoChart, 9, 8, LevelUnknown, 10, 0,
                                                          LevelNoChart, 1, 2, 3,            4,  LevelNoChart};
  for (int k = 0; k < FixedSongCount; ++k) {
    const auto song = static_cast<int16_t>((k * 5) % FixedSongCount + 1);
    s.EntrySongNo.push_back(song);
    s.EntryGenre.push_back(s.SongGenres[static_cast<size_t>(song - 1)]);
    s.EntryDifficulty.push_back(normal[static_cast<size_t>(k)]);
    s.EntryDifficultyU.push_back(ura[static_cast<size_t>(k)]);
  }
  s.EntryCount = FixedSongCount;
  s.EntryScore.assign(FixedSongCount, 0);
  s.EntryScoreU.assign(FixedSongCount, 0);
  s.PageCount = 2;
  return s;
}

}  // namespace nk::fuzz
