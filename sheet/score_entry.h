// score_entry.h - a change of a score box stores the numeric value of its
// whole text into the score of the entry that the row shows.
#pragma once

#include "data/score_state.h"
#include "data/sheet_catalogue.h"

#include <string>
#include <string_view>

namespace nk {

enum class EntryResult {
  Stored,      // the value is in EntryScore / EntryScoreU
  EmptyRow,    // the row shows no entry: nothing stored
  NotANumber,  // the value lies outside the 32-bit range: the score stays as it was
};

// Row r of the current page: EntryScore (or EntryScoreU) of DisplayOrder(pos)
// becomes the text's numeric value, rounded with halves to even.
EntryResult storeBoxText(ScoreSheetState& s, int row, Chart chart, std::string_view text);

// What the player enters into a score box, as the box keeps it: the
// full-width digits, signs (＋ － and the minus sign −) and period that an
// input method left on delivers become "0".."9", "+", "-" and ".", so that the
// box shows the number that is stored. Every other character stays as it is
// (and takes its numeric value by the usual rule). One character for one, so
// the box's count of characters does not change.
std::string asciiScoreText(std::string_view text);

}  // namespace nk
