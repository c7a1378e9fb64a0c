// song_master.h - the song catalogue, read from the song master "./songlist.dat".
//
// Five elements per song: not read, title, not read, genre, not read. A song's
// number is its 1-based position in the file.
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"
#include "domain/master_files.h"

#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* SongMasterPath = MasterFiles[SongMaster].localPath;
constexpr int32_t SongRecordWidth = 5;

// Logs its start, sets the status line, reads SongMasterPath (CP932) and fills
// SongTitles, SongGenres and SongCount; logs its end. Raises RuntimeError when
// the file cannot be read, holds no song, lacks the last song's genre or holds
// more songs than the 16-bit element counter reaches (6,553).
void ReadSongMaster(const DebugLog& log, ScoreSheetState& s);

// The record walk of ReadSongMaster over a decoded text (line terminators may
// still be in it): one log line and one yield per song. fileName names the
// file in error descriptions.
void parseSongMaster(const DebugLog& log, ScoreSheetState& s, std::string_view decodedText,
                     const std::string& fileName = "songlist.dat");

// The song master in one plain form (UTF-8; the caller encodes it): one song
// a line, "<song number><><title><><><genre><><>" and CR LF, the unread
// elements empty. Titles and genres are written verbatim: one holding "<>"
// or a CR would not read back, which the caller rules out.
std::string songMasterText(const std::vector<std::string>& titles, const std::vector<std::string>& genres);

}  // namespace nk
