// checked_int.h - the one range check of the program's 16-bit and 32-bit
// fields, and its overflow error.
//
// Header only and free of the debug log, so that every layer from net/ up can
// check a narrowing the same way instead of spelling out the bounds again.
#pragma once

#include "diag/runtime_error.h"

#include <concepts>
#include <limits>
#include <utility>

namespace nk {

// The description of the overflow error of a field's arithmetic.
inline constexpr const char* OverflowText = "オーバーフローしました。";

// Whether value lies in Int's range. value is an integer of any type, or a
// floating-point number already rounded to an integer (a fraction between the
// bounds still counts as inside); not a number never fits.
template <std::integral Int, class From>
constexpr bool fitsIn(From value) {
  if constexpr (std::is_integral_v<From>) {
    return std::in_range<Int>(value);
  } else {
    static_assert(std::is_floating_point_v<From>);
    // The bounds must convert exactly, or a value just past one would pass.
    static_assert(std::numeric_limits<Int>::digits <= std::numeric_limits<From>::digits);
    return value >= static_cast<From>(std::numeric_limits<Int>::min()) &&
           value <= static_cast<From>(std::numeric_limits<Int>::max());
  }
}

// value as an Int; outside Int's range (see fitsIn) RuntimeError OverflowText.
template <std::integral Int, class From>
Int checkedInt(From value) {
  if (!fitsIn<Int>(value)) throw RuntimeError(OverflowText);
  return static_cast<Int>(value);
}

}  // namespace nk
