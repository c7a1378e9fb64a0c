// typed_number.cpp - digits of either width, separators and blanks.
#include "data/typed_number.h"

#include "data/full_width.h"

#include <string>

namespace nk {
namespace {

// Digits only, or grouped by "," in threes after a first group of one to
// three; the value when it is one and not past highest.
std::optional<int64_t> plainNumber(std::string_view text, int64_t highest) {
  int64_t value = 0;
  size_t group = 0, groups = 0;
  const bool grouped = text.find(',') != std::string_view::npos;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == ',') {
      if (group == 0 || (grouped && (groups == 0 ? group > 3 : group != 3))) return std::nullopt;
      ++groups;
      group = 0;
      continue;
    }
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    ++group;
    // Checked before it grows too: past highest / 10 a digit more would
    // overflow for a highest near the most the type holds.
    if (value > highest / 10) return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > highest) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::optional<int64_t>> parseTypedNumber(std::string_view typed, int64_t lowest, int64_t highest) {
  // Full-width digits, commas and blanks (U+3000 too) become ASCII; blanks
  // around the number go.
  const std::string ascii = halfWidthAscii(typed, "0123456789, ");
  const size_t first = ascii.find_first_not_of(" \t");
  if (first == std::string::npos) return std::optional<int64_t>{};
  const std::string_view number = std::string_view(ascii).substr(first, ascii.find_last_not_of(" \t") - first + 1);
  const auto value = plainNumber(number, highest);
  if (!value || *value < lowest || *value > highest) return std::nullopt;
  return std::optional<int64_t>{*value};
}

}  // namespace nk
