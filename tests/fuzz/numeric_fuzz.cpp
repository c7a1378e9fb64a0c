// numeric_fuzz.cpp - NumericValue and the integer conversions on any text.
#include "data/numeric.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// A plain decimal number ("-12.5e3" and the like, nothing to skip, no D
// exponent, no &H) has the value the C library gives it in the C locale.
void checkAgainstStrtod(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos) return;
  static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  char* end = nullptr;
  const double expected = strtod_l(text.c_str(), &end, cLocale);
  if (end != text.c_str() + text.size()) return;
  nk::fuzz::require(nk::NumericValue(text) == expected, "NumericValue differs from strtod on a plain number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = nk::cp932ToUtf8(nk::fuzz::bytesOf(data, size));
  const double value = nk::NumericValue(text);
  checkAgainstStrtod(text);
  nk::fuzz::allowingRuntimeError([&] {
    const int16_t small = nk::toInt16(value);
    // A 16-bit value must survive its own decimal text.
    if (nk::NumericValue(nk::decimalText(small)) != small) std::abort();
  });
  nk::fuzz::allowingRuntimeError([&] {
    const int32_t wide = nk::toInt32(value);
    if (nk::NumericValue(nk::decimalText(wide)) != wide) std::abort();
    // Rounding never moves a value by more than a half.
    if (std::fabs(static_cast<double>(wide) - value) > 0.5) std::abort();
  });
  (void)nk::generalNumberText(value);
  return 0;
}
