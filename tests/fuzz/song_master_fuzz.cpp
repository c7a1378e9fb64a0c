// song_master_fuzz.cpp - the song master parse on any bytes.
#include "data/song_master.h"
#include "fuzz_support.h"

using namespace nk;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::decodedFile(data, size);
  ScoreSheetState s;
  const bool read = fuzz::allowingRuntimeError([&] { parseSongMaster(DebugLog{}, s, text); });

  const std::string joined = joinLines(text);
  const std::vector<std::string_view> elements = fuzz::elementsOf(joined);
  const int32_t records = fuzz::recordsOf(elements, SongRecordWidth);
  const auto last = static_cast<int32_t>(elements.size()) - 1;
  // The last record's genre stands two elements after its title.
  const bool genreMissing = records > 0 && SongRecordWidth * (records - 1) + 3 > last;
  const bool tooMany = records > fuzz::mostRecords(SongRecordWidth);
  if (!read) {
    require(records == 0 || genreMissing || tooMany, "the song master failed on a complete list");
    require(s.SongCount == 0 && s.SongTitles.empty() && s.SongGenres.empty(),
            "a failed song master left songs behind");
    return 0;
  }
  require(records > 0 && !genreMissing && !tooMany, "the song master read a list it cannot hold");
  require(s.SongCount == records, "SongCount is not the number of records");
  require(s.SongTitles.size() == static_cast<size_t>(records) && s.SongGenres.size() == static_cast<size_t>(records),
          "a catalogue list does not hold SongCount elements");
  for (int32_t k = 0; k < records; ++k) {
    require(s.SongTitles[static_cast<size_t>(k)] == elements[static_cast<size_t>(SongRecordWidth * k + 1)],
            "a title is not its record's element 1");
    require(s.SongGenres[static_cast<size_t>(k)] == elements[static_cast<size_t>(SongRecordWidth * k + 3)],
            "a genre is not its record's element 3");
  }
  return 0;
}
