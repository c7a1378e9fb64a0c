// version_song_list.h - the version entries, read from the version song list
// "./versionlist.dat", and the star level codes of its level texts.
//
// An entry takes 4 elements for AC12 and AC13 and 7 for AC14: not read, song
// number, level text, not read... The level text's 4th character codes the
// normal chart's star level, its 8th the 裏 chart's. An entry's number is its
// 1-based position in the file.
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"
#include "domain/arcade_version.h"
#include "domain/master_files.h"

#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* VersionSongListPath = MasterFiles[VersionSongList].localPath;
inline constexpr int16_t VersionCodeAC14 = AC14.VersionCode;
constexpr int NormalLevelPosition = 4;
constexpr int UraLevelPosition = 8;

// Elements per entry for a VersionCode: 7 for AC14, 4 otherwise.
int32_t versionRecordWidth(int16_t versionCode);

// The position-th character (1-based, a character counted as one however many
// bytes it takes) of a UTF-8 text; empty past the end.
std::string_view characterAt(std::string_view utf8, int position);

// Star level code of the position-th character of a level text: "T" 10,
// "?" LevelUnknown, "-" LevelNoChart, otherwise the character's numeric
// value (a digit its level, anything else or no character 0).
int16_t starLevelCode(std::string_view levelText, int position);

// The character that starLevelCode reads as code: "T", "?", "-", a digit
// 1 .. 9, and "0" for every other code (all of which read as 0).
std::string levelCharacter(int16_t code);
// A level text of the two codes: "鬼☆×<normal>裏☆×<ura>".
std::string levelTextOf(int16_t normal, int16_t ura);

// The version song list in one plain form (UTF-8): one entry a line, "<entry
// number><><song number><><level text><>" and the version's unread elements
// empty, CR LF.
std::string versionSongListText(const std::vector<int16_t>& songNo, const std::vector<int16_t>& normal,
                                const std::vector<int16_t>& ura, int16_t versionCode);

// Logs its start, sets the status line, reads VersionSongListPath (CP932) and
// fills the entries (scores 0) and PageCount; logs its end. Needs the song
// catalogue. versionCode is the chosen VersionCode (112, 113, 114). Raises
// RuntimeError when the file cannot be read, holds no entry, names a song
// outside the catalogue or a number outside 16 bits, or holds more entries
// than the 16-bit element counter reaches (8,191 for AC12/AC13, 4,680 for AC14).
void ReadVersionSongList(const DebugLog& log, ScoreSheetState& s, int16_t versionCode);

// The record walk of ReadVersionSongList over a decoded text: one log line
// and one yield per entry.
void parseVersionSongList(const DebugLog& log, ScoreSheetState& s, std::string_view decodedText,
                          int16_t versionCode, const std::string& fileName = "versionlist.dat");

}  // namespace nk
