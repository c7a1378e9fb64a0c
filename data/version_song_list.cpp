// version_song_list.cpp - reading the version song list into the entries.
#include "version_song_list.h"

#include "cp932.h"
#include "master_list.h"
#include "debug_log.h"
#include "numeric.h"
#include "text_file.h"
#include "toolkit.h"
#include "utf8.h"

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

void parseVersionSongList(ScoreSheetState& s, std::string_view decodedText, int16_t versionCode,
                          const std::string& fileName) {
  const MasterList list(decodedText, fileName);
  const int32_t last = list.lastElement();
  const int32_t width = versionRecordWidth(versionCode);
  const auto songCount = static_cast<int32_t>(std::min(s.SongTitles.size(), s.SongGenres.size()));

  std::vector<int16_t> songNo;
  std::vector<int16_t> difficulty;
  std::vector<int16_t> difficultyU;
  std::vector<std::string> genre;
  if (last > 0) {
    const auto capacity = static_cast<size_t>(last / width + 1);
    songNo.reserve(capacity);
    difficulty.reserve(capacity);
    difficultyU.reserve(capacity);
    genre.reserve(capacity);
  }
  const bool logging = recordLogIsOn();
  int32_t count = 0;
  for (int32_t i = 1; i < last;) {
    const int16_t no = recordNumber16(list, list.element(i), count + 1, "曲番号");
    if (no < 1 || no > songCount)
      list.failRecord(count + 1, "曲番号 " + decimalText(no) + " は曲リストの " +
                                     decimalText(songCount) + " 曲の範囲外です。");
    const std::string& songGenre = s.SongGenres[static_cast<size_t>(no - 1)];
    if (logging) {
      std::string line = "曲番号";
      line += decimalText(count);
      line += ": ";
      line += s.SongTitles[static_cast<size_t>(no - 1)];
      line += '(';
      line += songGenre;
      line += ')';
      PutLog(line);
    }
    const std::string_view levels = list.element(list.advance(i, 1, count + 1));
    songNo.push_back(no);
    genre.push_back(songGenre);
    difficulty.push_back(starLevelCode(levels, NormalLevelPosition));
    difficultyU.push_back(starLevelCode(levels, UraLevelPosition));
    ++count;
    // The counter takes the common four elements first, then AC14's three more.
    i = list.advance(i, 4, count);
    if (width > 4) i = list.advance(i, width - 4, count);
    toolkit().yield();
  }
  // Nothing of the state changes before the list is known to be good.
  if (count == 0) list.failNoRecord("曲");
  s.PageCount = static_cast<int16_t>((count - 1) / RowsPerPage + 1);
  s.EntrySongNo = std::move(songNo);
  s.EntryDifficulty = std::move(difficulty);
  s.EntryDifficultyU = std::move(difficultyU);
  s.EntryGenre = std::move(genre);
  s.EntryScore.assign(static_cast<size_t>(count), 0);
  s.EntryScoreU.assign(static_cast<size_t>(count), 0);
  s.EntryCount = static_cast<int16_t>(count);
}

void ReadVersionSongList(ScoreSheetState& s, int16_t versionCode) {
  PutLog("バージョンマスタ展開開始");
  toolkit().setStatusText("バージョンマスタを展開中です");
  parseVersionSongList(s, cp932ToUtf8(readFileBytes(VersionSongListPath)), versionCode,
                       displayFileName(VersionSongListPath));
  PutLog("バージョンマスタ展開終了");
}

}  // namespace nk
