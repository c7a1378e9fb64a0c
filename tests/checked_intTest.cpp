// checked_intTest.cpp - the range check of the 16-bit and 32-bit fields at
// their bounds, from integers and from rounded doubles.
#include "diag/checked_int.h"
#include "failure_of.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace nk {
namespace {

TEST(CheckedInt, FitsExactlyTheBoundsOfTheField) {
  struct Case {
    double value;
    bool in16;
    bool in32;
  } const cases[] = {
      {-32768, true, true},        {32767, true, true},        {-32769, false, true},
      {32768, false, true},        {-32768.5, false, true},    {32767.5, false, true},
      {-2147483648.0, false, true}, {2147483647.0, false, true}, {-2147483649.0, false, false},
      {2147483648.0, false, false}, {NAN, false, false},       {INFINITY, false, false},
      {-INFINITY, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fitsIn<int16_t>(c.value), c.in16) << c.value;
    EXPECT_EQ(fitsIn<int32_t>(c.value), c.in32) << c.value;
    if (std::isfinite(c.value) && c.value == std::trunc(c.value)) {
      const auto whole = static_cast<long long>(c.value);
      EXPECT_EQ(fitsIn<int16_t>(whole), c.in16) << whole;
      EXPECT_EQ(fitsIn<int32_t>(whole), c.in32) << whole;
    }
  }
  // An unsigned source compares by value, not by its bits.
  EXPECT_FALSE(fitsIn<int16_t>(std::numeric_limits<size_t>::max()));
  EXPECT_TRUE(fitsIn<int16_t>(size_t{32767}));
}

TEST(CheckedInt, ConvertsOrRaisesTheOverflowError) {
  EXPECT_EQ(checkedInt<int16_t>(-32768LL), -32768);
  EXPECT_EQ(checkedInt<int32_t>(2147483647.0), 2147483647);
  EXPECT_EQ(test::failureOf([] { checkedInt<int16_t>(32768); }), "オーバーフローしました。");
  EXPECT_EQ(test::failureOf([] { checkedInt<int32_t>(std::numeric_limits<double>::quiet_NaN()); }),
            "オーバーフローしました。");
}

}  // namespace
}  // namespace nk
