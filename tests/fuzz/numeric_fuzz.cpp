// numeric_fuzz.cpp - NumericValue and the integer conversions on any text.
#include "fuzz_support.h"
#include "numeric.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = nk::cp932ToUtf8(nk::fuzz::bytesOf(data, size));
  const double value = nk::NumericValue(text);
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
