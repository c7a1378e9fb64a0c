// full_widthTest.cpp - full-width ASCII folded, all of it or only what asked.
#include "data/full_width.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(FullWidth, FoldedAllOrOnlyWhatIsAsked) {
  const struct {
    std::string_view text, only, folded;
  } cases[] = {
      {"", "", ""},
      {"！０９ＡＺａｚ～", "", "!09AZaz~"},  // U+FF01, the digits, the letters, U+FF5E
      {"｟｠ｰ", "", "｟｠ｰ"},                  // U+FF5F, U+FF60 and half-width kana are not ASCII
      {"　ａ　", "", " a "},
      {"９８０，０００　", "0123456789, ", "980,000 "},
      {"１ｅ５", "0123456789+-.", "1ｅ5"},  // a score box does not make an exponent
      {"－１．５＋", "0123456789+-.", "-1.5+"},
      {"　", "0123456789", "　"},
      {"ロック＆ロール", "", "ロック&ロール"},
      {"\xEF\xBC", "", "\xEF\xBC"},  // cut short at the end: kept as it is
      {"\xEF\xBC\x80", "", "\xEF\xBC\x80"},  // U+FF00 is not a character of the range
  };
  for (const auto& c : cases) EXPECT_EQ(halfWidthAscii(c.text, c.only), c.folded) << c.text;
}

}  // namespace
}  // namespace nk
