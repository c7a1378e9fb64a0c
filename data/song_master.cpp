// song_master.cpp - reading the song master into the catalogue.
#include "data/song_master.h"

#include "data/master_list.h"
#include "data/numeric.h"
#include "data/record_walk.h"
#include "diag/debug_log.h"

namespace nk {

void parseSongMaster(const DebugLog& log, ScoreSheetState& s, std::string_view decodedText,
                     const std::string& fileName) {
  const MasterList list(decodedText, fileName);
  const int32_t last = list.lastElement();
  std::vector<std::string> titles;
  std::vector<std::string> genres;
  const size_t capacity = recordCapacity(list, SongRecordWidth);
  titles.reserve(capacity);
  genres.reserve(capacity);
  const int32_t count = walkRecords(log, list, SongRecordWidth, "曲", [&](const RecordAt& r) {
    const int32_t genreAt = list.advance(r.first, 2, r.no);
    if (genreAt > last)
      list.failRecord(r.no, "曲名" + quotedForError(list.element(r.first)) + "の後にジャンルの項目がありません。");
    const std::string_view title = list.element(r.first);
    const std::string_view genre = list.element(genreAt);
    if (r.logging) PutLog(log, recordLine(r, title, genre));
    titles.emplace_back(title);
    genres.emplace_back(genre);
  });
  s.SongTitles = std::move(titles);
  s.SongGenres = std::move(genres);
  s.SongCount = static_cast<int16_t>(count);
}

std::string songMasterText(const std::vector<std::string>& titles, const std::vector<std::string>& genres) {
  std::string text;
  for (size_t k = 0; k < titles.size() && k < genres.size(); ++k)
    text += decimalText(static_cast<long long>(k + 1)) + "<>" + titles[k] + "<><>" + genres[k] + "<><>\r\n";
  return text;
}

void ReadSongMaster(const DebugLog& log, ScoreSheetState& s) {
  expandMasterFile(log, "曲リスト", SongMasterPath,
                   [&](std::string_view text, const std::string& file) { parseSongMaster(log, s, text, file); });
}

}  // namespace nk
