// score_entry.h - a change of a score box stores the numeric value of its
// whole text into the score of the entry that the row shows.
#pragma once

#include "data/score_state.h"

#include <string_view>

namespace nk {

enum class Chart { Normal, Ura };

enum class EntryResult {
  Stored,      // the value is in EntryScore / EntryScoreU
  EmptyRow,    // the row shows no entry: nothing stored
  NotANumber,  // the value lies outside the 32-bit range: the score stays as it was
};

// Row r of the current page: EntryScore (or EntryScoreU) of DisplayOrder(pos)
// becomes the text's numeric value, rounded with halves to even.
EntryResult storeBoxText(ScoreSheetState& s, int row, Chart chart, std::string_view text);

}  // namespace nk
