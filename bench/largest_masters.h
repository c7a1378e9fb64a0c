// largest_masters.h - the largest master files that the 16-bit element
// counter lets the readers take, for the benchmarks.
//
// 6,553 songs of five elements; the most entries a version song list can hold
// (8,191 of four elements for AC12 and AC13, 4,680 of seven for AC14); the
// most score-ranking targets (10,922 of three elements); a personal score
// file naming every entry. A divisor of 2 gives inputs half as large.
#pragma once

#include "data/score_state.h"

#include <cstdint>
#include <string>

namespace nk::bench {

constexpr int MostSongs = 6553;
constexpr int MostEntriesAC13 = 8191;
constexpr int MostEntriesAC14 = 4680;
constexpr int MostTargets = 10922;

// The CP932 bytes of each file, as the server sends them (the score file as
// the program writes it).
struct MasterBytes {
  std::string songMaster;
  std::string versionList;
  std::string srList;
  std::string requiredVersion;  // accepts this program's version
  std::string scoreFile;
  std::string scoreFileName;  // "ac<N>score.csv"
};

MasterBytes largestMasters(int16_t versionCode, int divisor = 1);

// A loaded sheet of that size, without the load: 10,922 targets on 8,191
// entries, the first 2,731 entries targets with both charts. Mostly levels 7
// to 10, a few outside; scores in steps of 10, so that many are equal.
const ScoreSheetState& largestSheetState();

}  // namespace nk::bench
