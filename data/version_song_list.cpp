// version_song_list.cpp - reading the version song list into the entries.
#include "data/version_song_list.h"

#include "data/master_list.h"
#include "data/numeric.h"
#include "data/record_walk.h"
#include "diag/debug_log.h"
#include "platform/utf8.h"

#include <algorithm>

namespace nk {

int32_t versionRecordWidth(int16_t versionCode) { return versionCode == VersionCodeAC14 ? 7 : 4; }

std::string_view characterAt(std::string_view utf8, int position) {
  size_t start = 0;
  for (int n = 1; n < position; ++n) {
    if (start >= utf8.size()) return {};
    start = utf8CharacterEnd(utf8, start);
  }
  if (start >= utf8.size()) return {};
  return utf8.substr(start, utf8CharacterEnd(utf8, start) - start);
}

int16_t starLevelCode(std::string_view levelText, int position) {
  const std::string_view c = characterAt(levelText, position);
  if (c == "T") return 10;
  if (c == "?") return LevelUnknown;
  if (c == "-") return LevelNoChart;
  if (c.size() == 1 && c[0] >= '0' && c[0] <= '9') return static_cast<int16_t>(c[0] - '0');
  // One character has no number larger than a digit: this is 0 for the rest.
  return toInt16(NumericValue(c));
}

std::string levelCharacter(int16_t code) {
  if (code == 10) return "T";
  if (code == LevelUnknown) return "?";
  if (code == LevelNoChart) return "-";
  if (code >= 1 && code <= 9) return std::string(1, static_cast<char>('0' + code));
  return "0";
}

std::string levelTextOf(int16_t normal, int16_t ura) {
  return "鬼☆×" + levelCharacter(normal) + "裏☆×" + levelCharacter(ura);
}

std::string versionSongListText(const std::vector<int16_t>& songNo, const std::vector<int16_t>& normal,
                                const std::vector<int16_t>& ura, int16_t versionCode) {
  std::string unread;
  for (int32_t e = 3; e < versionRecordWidth(versionCode); ++e) unread += "<>";
  std::string text;
  for (size_t k = 0; k < songNo.size() && k < normal.size() && k < ura.size(); ++k)
    text += decimalText(static_cast<long long>(k + 1)) + "<>" + decimalText(songNo[k]) + "<>" +
            levelTextOf(normal[k], ura[k]) + "<>" + unread + "\r\n";
  return text;
}

void parseVersionSongList(const DebugLog& log, ScoreSheetState& s, std::string_view decodedText,
                          int16_t versionCode, const std::string& fileName) {
  const MasterList list(decodedText, fileName);
  const int32_t width = versionRecordWidth(versionCode);
  const auto songCount = static_cast<int32_t>(std::min(s.SongTitles.size(), s.SongGenres.size()));

  std::vector<int16_t> songNo;
  std::vector<int16_t> difficulty;
  std::vector<int16_t> difficultyU;
  std::vector<std::string> genre;
  const size_t capacity = recordCapacity(list, width);
  songNo.reserve(capacity);
  difficulty.reserve(capacity);
  difficultyU.reserve(capacity);
  genre.reserve(capacity);
  const int32_t count = walkRecords(log, list, width, "曲", [&](const RecordAt& r) {
    const int16_t no = songNumberAt(list, r, songCount, "曲リスト");
    const std::string& songGenre = s.SongGenres[static_cast<size_t>(no - 1)];
    if (r.logging) PutLog(log, recordLine(r, s.SongTitles[static_cast<size_t>(no - 1)], songGenre));
    const std::string_view levels = list.element(list.advance(r.first, 1, r.no));
    songNo.push_back(no);
    genre.push_back(songGenre);
    difficulty.push_back(starLevelCode(levels, NormalLevelPosition));
    difficultyU.push_back(starLevelCode(levels, UraLevelPosition));
  });
  // Nothing of the state changes before the list is known to be good.
  s.PageCount = static_cast<int16_t>((count - 1) / RowsPerPage + 1);
  s.EntrySongNo = std::move(songNo);
  s.EntryDifficulty = std::move(difficulty);
  s.EntryDifficultyU = std::move(difficultyU);
  s.EntryGenre = std::move(genre);
  s.EntryScore.assign(static_cast<size_t>(count), 0);
  s.EntryScoreU.assign(static_cast<size_t>(count), 0);
  s.EntryCount = static_cast<int16_t>(count);
}

void ReadVersionSongList(const DebugLog& log, ScoreSheetState& s, int16_t versionCode) {
  expandMasterFile(log, "バージョンマスタ", VersionSongListPath, [&](std::string_view text, const std::string& file) {
    parseVersionSongList(log, s, text, versionCode, file);
  });
}

}  // namespace nk
