// version_song_list_fuzz.cpp - the version song list parse on any bytes, for
// the VersionCode given at build time (113: four elements per entry, 114:
// seven), followed by the genre ordering of what it read.
#include "data/genre_order.h"
#include "data/numeric.h"
#include "data/version_song_list.h"
#include "fixed_state.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace nk;
using fuzz::require;

namespace {

// The position-th character (1-based) of a UTF-8 text, empty past its end.
std::string_view characterModel(std::string_view text, int position) {
  int n = 0;
  size_t start = 0;
  for (size_t at = 0; at <= text.size(); ++at) {
    if (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
    if (n == position) return text.substr(start, at - start);
    ++n;
    start = at;
  }
  return {};
}

int16_t levelModel(std::string_view levelText, int position) {
  const std::string_view c = characterModel(levelText, position);
  if (c == "T") return 10;
  if (c == "?") return LevelUnknown;
  if (c == "-") return LevelNoChart;
  if (c.size() == 1 && c[0] >= '0' && c[0] <= '9') return static_cast<int16_t>(c[0] - '0');
  return 0;
}

size_t rankModel(const std::string& genre) {
  const auto at = std::find(GenreRanking.begin(), GenreRanking.end(), genre);
  return static_cast<size_t>(at - GenreRanking.begin());
}

void checkDisplayOrder(const ScoreSheetState& s) {
  const auto count = static_cast<size_t>(s.EntryCount);
  require(s.DisplayOrder.size() == count, "DisplayOrder does not hold EntryCount elements");
  std::vector<bool> placed(count, false);
  for (size_t at = 0; at < count; ++at) {
    const int16_t e = s.DisplayOrder[at];
    require(e >= 0 && static_cast<size_t>(e) < count && !placed[static_cast<size_t>(e)],
            "DisplayOrder is not a permutation of the entries");
    placed[static_cast<size_t>(e)] = true;
    if (at == 0) continue;
    const int16_t before = s.DisplayOrder[at - 1];
    const size_t rankBefore = rankModel(s.EntryGenre[static_cast<size_t>(before)]);
    const size_t rank = rankModel(s.EntryGenre[static_cast<size_t>(e)]);
    require(rankBefore < rank || (rankBefore == rank && before < e),
            "DisplayOrder is not by genre rank, then by entry number");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::decodedFile(data, size);
  const ScoreSheetState catalogue = fuzz::fixedCatalogue();
  ScoreSheetState s = catalogue;
  const bool read = fuzz::allowingRuntimeError([&] { parseVersionSongList(DebugLog{}, s, text, NK_FUZZ_VERSION_CODE); });

  const int32_t width = versionRecordWidth(NK_FUZZ_VERSION_CODE);
  const std::string joined = joinLines(text);
  const std::vector<std::string_view> elements = fuzz::elementsOf(joined);
  const int32_t records = fuzz::recordsOf(elements, width);
  // The song numbers as the model reads them, up to the first one that fails.
  std::vector<int16_t> songNo;
  bool bad = records == 0 || records > fuzz::mostRecords(width);
  for (int32_t k = 0; k < records && !bad; ++k) {
    int16_t no = 0;
    const double value = NumericValue(elements[static_cast<size_t>(width * k + 1)]);
    bad = !fuzz::allowingRuntimeError([&] { no = toInt16(value); }) || no < 1 || no > fuzz::FixedSongCount;
    songNo.push_back(no);
  }

  require(s.SongTitles == catalogue.SongTitles && s.SongGenres == catalogue.SongGenres &&
              s.SongCount == catalogue.SongCount,
          "the version song list changed the catalogue");
  if (!read) {
    require(bad, "the version song list failed on a good list");
    require(s.EntryCount == 0 && s.EntrySongNo.empty() && s.EntryDifficulty.empty() &&
                s.EntryDifficultyU.empty() && s.EntryGenre.empty() && s.EntryScore.empty() &&
                s.EntryScoreU.empty() && s.PageCount == 0,
            "a failed version song list left entries behind");
    return 0;
  }
  require(!bad, "the version song list read a bad list");
  const auto count = static_cast<size_t>(records);
  require(s.EntryCount == records, "EntryCount is not the number of records");
  require(s.EntrySongNo.size() == count && s.EntryDifficulty.size() == count &&
              s.EntryDifficultyU.size() == count && s.EntryGenre.size() == count &&
              s.EntryScore.size() == count && s.EntryScoreU.size() == count,
          "an entry list does not hold EntryCount elements");
  require(s.PageCount == (s.EntryCount - 1) / RowsPerPage + 1, "PageCount is not (EntryCount-1)/10+1");
  for (size_t k = 0; k < count; ++k) {
    require(s.EntrySongNo[k] == songNo[k], "EntrySongNo is not the numeric value of element 1");
    require(s.EntryGenre[k] == catalogue.SongGenres[static_cast<size_t>(songNo[k] - 1)],
            "EntryGenre is not the genre of the entry's song");
    const std::string_view levels = elements[static_cast<size_t>(width) * k + 2];
    require(s.EntryDifficulty[k] == levelModel(levels, NormalLevelPosition),
            "EntryDifficulty is not the code of the level text's 4th character");
    require(s.EntryDifficultyU[k] == levelModel(levels, UraLevelPosition),
            "EntryDifficultyU is not the code of the level text's 8th character");
    require(s.EntryScore[k] == 0 && s.EntryScoreU[k] == 0, "a new entry has a score");
  }

  SortByGenre(DebugLog{}, s);
  checkDisplayOrder(s);
  return 0;
}
