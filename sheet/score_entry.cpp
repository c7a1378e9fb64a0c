// score_entry.cpp - storing what a score box holds.
#include "sheet/score_entry.h"

#include "data/numeric.h"
#include "data/sheet_catalogue.h"
#include "diag/runtime_error.h"
#include "sheet/page_view.h"

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
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (i + 2 < text.size() && byte(0) == 0xEF && byte(1) == 0xBC) {
      const unsigned char last = byte(2);  // U+FF00 + (last - 0x80)
      if (last >= 0x90 && last <= 0x99) {  // ０ .. ９
        out += static_cast<char>('0' + (last - 0x90));
        i += 2;
        continue;
      }
      if (last == 0x8B || last == 0x8D || last == 0x8E) {  // ＋ － ．
        out += last == 0x8B ? '+' : last == 0x8D ? '-' : '.';
        i += 2;
        continue;
      }
    }
    if (i + 2 < text.size() && byte(0) == 0xE2 && byte(1) == 0x88 && byte(2) == 0x92) {  // − U+2212
      out += '-';
      i += 2;
      continue;
    }
    out += text[i];
  }
  return out;
}

}  // namespace nk
