// ranking_rule.h - which charts the total score ("総合得点") counts: 30 ranking
// places shared out among star levels 7 to 10 in proportion to their numbers
// of targets, and what a moment of the total comes to.
//
// Beyond the well-formed case (every counted level has a target and the four
// have 30 together) the quotas are capped at their levels' counts, so a short
// or empty level takes every chart it has and nothing is read past it; with
// no target at all every quota is 0. Counts are wide, so none wraps around.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace nk {

inline constexpr int RankingPlaces = 30;

// The counted star levels, lowest first; every per-level array of the total,
// the breakdown and the history is in this order.
inline constexpr std::array<int16_t, 4> CountedLevelNumbers{7, 8, 9, 10};
inline constexpr size_t CountedLevels = CountedLevelNumbers.size();
inline constexpr int16_t LowestCountedLevel = CountedLevelNumbers.front();
inline constexpr int16_t HighestCountedLevel = CountedLevelNumbers.back();

// One wide number per counted level, in CountedLevelNumbers' order.
using PerCountedLevel = std::array<int64_t, CountedLevels>;

// The place of a star level in CountedLevelNumbers; -1 for a level that counts nowhere.
constexpr int countedLevelIndex(int16_t level) {
  for (size_t l = 0; l < CountedLevels; ++l)
    if (CountedLevelNumbers[l] == level) return static_cast<int>(l);
  return -1;
}

// Places per level: q = count × 30 ÷ T for every level but the highest, the
// rest for the highest, each capped at its level's count; all 0 when T is 0.
constexpr PerCountedLevel rankingQuotas(const PerCountedLevel& counts) {
  PerCountedLevel q{};
  int64_t all = 0;
  for (int64_t c : counts) all += c;
  if (all == 0) return q;
  int64_t given = 0;
  for (size_t l = 0; l + 1 < CountedLevels; ++l) {
    q[l] = std::min(counts[l] * RankingPlaces / all, counts[l]);
    given += q[l];
  }
  q[CountedLevels - 1] = std::min(RankingPlaces - given, counts[CountedLevels - 1]);
  return q;
}

// What the total comes to at one moment of the sheet: the record of every
// save in the history, and the summary the history window shows.
struct TotalSummary {
  int64_t total = 0;
  PerCountedLevel levelSums{};  // counted sums per level
  int64_t entered = 0;          // target charts (any level) whose score is not 0
  friend bool operator==(const TotalSummary&, const TotalSummary&) = default;
};

}  // namespace nk
