// sr_list_fuzz.cpp - the score-ranking target list parse on any bytes,
// against a fixed set of twelve entries.
#include "data/numeric.h"
#include "data/sr_list.h"
#include "fixed_state.h"
#include "fuzz_support.h"

using namespace nk;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::decodedFile(data, size);
  const ScoreSheetState entries = fuzz::fixedEntries();
  ScoreSheetState s = entries;
  const bool read = fuzz::allowingRuntimeError([&] { parseSRList(DebugLog{}, s, text); });

  const std::string joined = joinLines(text);
  const std::vector<std::string_view> elements = fuzz::elementsOf(joined);
  const int32_t records = fuzz::recordsOf(elements, TargetRecordWidth);
  // The entry numbers as the model reads them, up to the first one that fails.
  std::vector<int16_t> entryNo;
  bool bad = records == 0 || records > fuzz::mostRecords(TargetRecordWidth);
  for (int32_t k = 0; k < records && !bad; ++k) {
    int16_t no = 0;
    const double value = NumericValue(elements[static_cast<size_t>(TargetRecordWidth * k + 1)]);
    bad = !fuzz::allowingRuntimeError([&] { no = toInt16(value); }) || no < 1 || no > entries.EntryCount;
    entryNo.push_back(no);
  }

  require(s.SongTitles == entries.SongTitles && s.EntrySongNo == entries.EntrySongNo &&
              s.EntryDifficulty == entries.EntryDifficulty && s.EntryDifficultyU == entries.EntryDifficultyU &&
              s.EntryGenre == entries.EntryGenre && s.EntryCount == entries.EntryCount &&
              s.EntryScore == entries.EntryScore && s.EntryScoreU == entries.EntryScoreU,
          "the target list changed the catalogue or the entries");
  if (!read) {
    require(bad, "the target list failed on a good list");
    require(s.TargetCount == 0 && s.TargetEntryNo.empty() && s.TargetIsUra.empty() &&
                s.TargetScore.empty() && s.TargetDifficulty.empty(),
            "a failed target list left targets behind");
    return 0;
  }
  require(!bad, "the target list read a bad list");
  const auto count = static_cast<size_t>(records);
  require(s.TargetCount == records, "TargetCount is not the number of records");
  require(s.TargetEntryNo.size() == count && s.TargetIsUra.size() == count && s.TargetScore.size() == count &&
              s.TargetDifficulty.size() == count,
          "a target list does not hold TargetCount elements");
  for (size_t k = 0; k < count; ++k) {
    require(s.TargetEntryNo[k] == entryNo[k], "TargetEntryNo is not the numeric value of element 1");
    const bool ura = NumericValue(elements[static_cast<size_t>(TargetRecordWidth) * k + 2]) == 1.0;
    require(s.TargetIsUra[k] == ura, "TargetIsUra is not the chart flag's numeric value being 1");
    const auto e = static_cast<size_t>(entryNo[k] - 1);
    require(s.TargetDifficulty[k] == (ura ? entries.EntryDifficultyU[e] : entries.EntryDifficulty[e]),
            "TargetDifficulty is not the level of the chart the target names");
    require(s.TargetScore[k] == 0, "a new target has a score");
  }
  return 0;
}
