// typed_number_fuzz.cpp - a number as a player types it into a box, read
// within the bounds of one of the boxes that take one.
#include "data/display_text.h"
#include "data/numeric.h"
#include "data/typed_number.h"
#include "fuzz_support.h"

#include <array>
#include <limits>

using namespace nk;
using fuzz::require;

namespace {

struct Bounds {
  int64_t lowest, highest;
};

// A score box, the target total, a small box and the widest the reader takes.
constexpr std::array<Bounds, 4> BoxBounds{{
    {0, std::numeric_limits<int32_t>::max()},
    {1, 30 * int64_t{2147483647}},
    {1, 9999},
    {0, int64_t{1} << 62},
}};

// The number as an input method left on types it: full-width digits and commas.
std::string fullWidth(std::string_view ascii) {
  std::string wide;
  for (char c : ascii) {
    if (c >= '0' && c <= '9') wide += std::string("\xEF\xBC") + static_cast<char>('\x90' + (c - '0'));
    else if (c == ',') wide += "\xEF\xBC\x8C";
    else wide += c;
  }
  return wide;
}

// Nothing but ASCII blanks, tabs and ideographic spaces.
bool blank(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    if (text[at] == ' ' || text[at] == '\t') ++at;
    else if (text.substr(at, 3) == "\xE3\x80\x80") at += 3;
    else return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Bounds bounds = BoxBounds[data[0] % BoxBounds.size()];
  const std::string_view typed = fuzz::bytesOf(data + 1, size - 1);
  const auto read = parseTypedNumber(typed, bounds.lowest, bounds.highest);
  const auto widest = parseTypedNumber(typed, 0, int64_t{1} << 62);
  if (!read) {
    // Refused: no number at all, or one outside this box's bounds.
    require(!widest || (*widest && (**widest < bounds.lowest || **widest > bounds.highest)),
            "a number within the bounds was refused");
    return 0;
  }
  require(widest.has_value() && *widest == *read, "the bounds changed the number read");
  if (!*read) {
    require(blank(typed), "a text with more than blanks was read as empty");
    return 0;
  }
  const int64_t value = **read;
  require(value >= bounds.lowest && value <= bounds.highest, "a number outside the bounds was accepted");
  // Printed back as the program prints it, with or without separators,
  // half- or full-width, it reads as the same number.
  for (const std::string& printed : {decimalText(value), groupedDecimal(value)}) {
    for (const std::string& text : {printed, fullWidth(printed), "\xE3\x80\x80" + printed + " "}) {
      const auto again = parseTypedNumber(text, bounds.lowest, bounds.highest);
      require(again && *again && **again == value, "a number printed back reads otherwise");
    }
  }
  return 0;
}
