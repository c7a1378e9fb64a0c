// song_master.cpp - reading the song master into the catalogue.
#include "song_master.h"

#include "cp932.h"
#include "master_list.h"
#include "debug_log.h"
#include "numeric.h"
#include "text_file.h"
#include "toolkit.h"

namespace nk {

void parseSongMaster(ScoreSheetState& s, std::string_view decodedText, const std::string& fileName) {
  const MasterList list(decodedText, fileName);
  const int32_t last = list.lastElement();
  std::vector<std::string> titles;
  std::vector<std::string> genres;
  if (last > 0) {
    titles.reserve(static_cast<size_t>(last / SongRecordWidth + 1));
    genres.reserve(static_cast<size_t>(last / SongRecordWidth + 1));
  }
  const bool logging = recordLogIsOn();
  int32_t count = 0;
  for (int32_t i = 1; i < last;) {
    const int32_t genreAt = list.advance(i, 2, count + 1);
    if (genreAt > last)
      list.failRecord(count + 1, "曲名" + quotedForError(list.element(i)) + "の後にジャンルの項目がありません。");
    const std::string_view title = list.element(i);
    const std::string_view genre = list.element(genreAt);
    if (logging) {
      std::string line = "曲番号";
      line += decimalText(count);
      line += ": ";
      line += title;
      line += '(';
      line += genre;
      line += ')';
      PutLog(line);
    }
    titles.emplace_back(title);
    genres.emplace_back(genre);
    ++count;
    i = list.advance(i, SongRecordWidth, count);
    toolkit().yield();
  }
  if (count == 0) list.failNoRecord("曲");
  s.SongTitles = std::move(titles);
  s.SongGenres = std::move(genres);
  s.SongCount = static_cast<int16_t>(count);
}

void ReadSongMaster(ScoreSheetState& s) {
  PutLog("曲リスト展開開始");
  toolkit().setStatusText("曲リストを展開中です");
  parseSongMaster(s, cp932ToUtf8(readFileBytes(SongMasterPath)), displayFileName(SongMasterPath));
  PutLog("曲リスト展開終了");
}

}  // namespace nk
