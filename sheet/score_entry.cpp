// score_entry.cpp - storing what a score box holds.
#include "sheet/score_entry.h"

#include "data/full_width.h"
#include "data/numeric.h"
#include "data/sheet_catalogue.h"
#include "diag/runtime_error.h"
#include "data/page_view.h"

namespace nk {

EntryResult storeBoxText(ScoreSheetState& s, int row, Chart chart, std::string_view text) {
  const int16_t pos = rowPosition(s, row);
  int32_t value = 0;
  try {
    value = toInt32(NumericValue(text));
  } catch (const RuntimeError&) {
    // Such as 9e99: nothing sound to store, so the old score stays.
    return EntryResult::NotANumber;
  }
  if (pos < 0 || pos >= s.EntryCount) return EntryResult::EmptyRow;
  chartScore(s, entryAt(s, static_cast<size_t>(pos)), chart) = value;
  return EntryResult::Stored;
}

std::string asciiScoreText(std::string_view text) {
  // Only what a number is written with: the box shows the result again.
  const std::string folded = halfWidthAscii(text, "0123456789+-.");
  std::string out;
  out.reserve(folded.size());
  constexpr std::string_view MinusSign = "\u2212";
  for (size_t i = 0; i < folded.size(); ++i) {
    if (std::string_view(folded).substr(i).starts_with(MinusSign)) {
      out += '-';
      i += MinusSign.size() - 1;
      continue;
    }
    out += folded[i];
  }
  return out;
}

}  // namespace nk
