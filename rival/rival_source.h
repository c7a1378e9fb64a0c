// rival_source.h - a friend's scores as the friend's own file holds them:
// the zip that "データを書き出す…" writes (archive/player_files.h), or a bare
// score file "ac<VersionNumber>score.csv". Read only, within bounds; the file
// is never written.
//
// A zip is read as an import reads it (archive/data_zip.h: its size, its
// entries, its manifest), then its score file of the sheet's version, and the
// version's kept master lists when the zip carries a complete set: entry
// numbers name songs only within those lists. A bare score file (or a zip
// without such a set) carries no lists; its entry numbers are taken on this
// PC's. The file's kind is told by its name's ending, ".zip" or ".csv"; the
// name "ac<N>score.csv" of another version is refused.
//
// A score file is read strictly, as the program writes it: lines of three
// whole numbers "entry number,normal score,裏 score" (no blanks, entry
// numbers from 1), empty lines allowed (and a UTF-8 byte-order mark in
// front), a later line for an entry winning. A file of any other form is no
// score file and is refused, never half read.
#pragma once

#include "data/score_state.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace nk {

// The largest bare score file: the largest sheet (8,191 entries, two scores
// of ten digits each) writes under 200 KB.
inline constexpr uint64_t LargestRivalScoreFile = uint64_t{1} << 20;

// Scores by entry number: normal, 裏. Entries of no score are left out.
using EntryScores = std::map<int16_t, std::pair<int32_t, int32_t>>;

struct RivalSource {
  int16_t versionNumber = 0;
  EntryScores scores;
  // The friend's lists, when the zip carries the version's complete kept
  // set; none for a bare score file or a zip without one.
  std::optional<ScoreSheetState> lists;
};

struct ReadRivalSource {
  std::optional<RivalSource> source;
  std::string failure;  // why not, for the player, when there is no source
};

// The friend's scores of versionNumber in the file at path.
ReadRivalSource readRivalSource(const std::string& path, int16_t versionNumber);

// A score file's text read strictly; nothing, with badLine set to the 1-based
// number of the first line that no score file has, otherwise.
std::optional<EntryScores> parseRivalScores(std::string_view text, size_t& badLine);

// The file's name without its folders ("C:\\友達\\ac13score.csv" -> "ac13score.csv").
std::string fileNameOf(std::string_view path);

}  // namespace nk
