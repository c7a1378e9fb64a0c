// typed_number.h - a whole number as a player types it into a box of ours:
// decimal digits, half- or full-width (an input method left on gives
// "１２３"), with or without thousands separators ("1,234,567",
// "１，２３４，５６７"), and blanks (ASCII or U+3000) around.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace nk {

// An empty (or blank) text is no number: an empty optional inside. A text
// that is not a whole number from lowest to highest is refused (nullopt).
// Separators must group by three after a first group of one to three digits.
// highest is at most 2^62.
std::optional<std::optional<int64_t>> parseTypedNumber(std::string_view typed, int64_t lowest, int64_t highest);

}  // namespace nk
