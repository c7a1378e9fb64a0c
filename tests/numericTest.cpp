// numericTest.cpp - the numeric value of texts and the integer conversions.
#include "data/numeric.h"
#include "failure_of.h"
#include "test_support.h"

#include <climits>
#include <cmath>

namespace nk {
namespace {

void expectNumericValues() {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"985,000", 985},   {"12abc", 12},     {"abc", 0},        {"", 0},
      {"-5", -5},         {"+7", 7},         {"1e3", 1000},     {"1D2", 100},
      {"1d2", 100},       {"2.5E-1", 0.25},  {"&H1F", 31},      {"&h1f", 31},
      {"&O17", 15},       {"&O19", 1},       {"&HG", 0},        {"&", 0},
      {"1 2 3", 123},     {" \t\n12", 12},   {"1\t2\n3", 123},  {"- 5", -5},
      {"1.60", 1.6},      {".5", 0.5},       {"5.", 5},         {".", 0},
      {"1.2.3", 1.2},     {"1e", 1},         {"1e+", 1},        {"1e-2x", 0.01},
      {"--5", 0},         {"1,500,0", 1},    {"\r12", 0},       {"１２", 0},
      {"1.54", 1.54},     {"1.540", 1.54},   {"0012", 12},      {"-0", 0},
      {"1 . 5 e 1", 15},  {"12 abc 3", 12},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumericValue, TableOfTexts) { expectNumericValues(); }

TEST(NumericValue, HugeAndTinyExponents) {
  EXPECT_TRUE(std::isinf(NumericValue("9e999")));
  EXPECT_TRUE(std::isinf(NumericValue("-9e999")));
  EXPECT_EQ(NumericValue("1e-999"), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue("9e99"), 9e99);
  // Too large or too small is a matter of the whole number, not of the exponent's sign.
  const std::string zeros(400, '0');
  EXPECT_TRUE(std::isinf(NumericValue("1" + zeros + "e-5")));
  EXPECT_TRUE(std::isinf(NumericValue("-1" + zeros + "D-5")));
  EXPECT_EQ(NumericValue("0." + zeros + "1e5"), 0.0);
  EXPECT_EQ(NumericValue("5e-324"), 4.9406564584124654e-324);
}

TEST(IntegerConversion, HalvesGoToEvenAndRangesAreChecked) {
  struct Case {
    double value;
    long long expected;  // LLONG_MIN: overflow error
  } cases16[] = {
      {2.5, 2},         {3.5, 4},         {-2.5, -2},      {0.5, 0},     {1.5, 2},
      {70.5, 70},       {71.5, 72},       {2.4999, 2},     {32767, 32767}, {-32768, -32768},
      {32767.4, 32767}, {32767.5, LLONG_MIN}, {32768, LLONG_MIN}, {-32768.5, -32768},
      {-32769, LLONG_MIN}, {NAN, LLONG_MIN}, {INFINITY, LLONG_MIN}, {40000, LLONG_MIN},
  };
  const std::string overflow = "オーバーフローしました。";
  for (const Case& c : cases16) {
    if (c.expected == LLONG_MIN) EXPECT_EQ(test::failureOf([&] { toInt16(c.value); }), overflow) << c.value;
    else EXPECT_EQ(toInt16(c.value), c.expected) << c.value;
  }
  const Case cases32[] = {
      {2147483647, 2147483647},  {2147483648.0, LLONG_MIN}, {-2147483648.0, -2147483648LL},
      {-2147483649.0, LLONG_MIN}, {2147483647.5, LLONG_MIN}, {985000, 985000},
      {9e99, LLONG_MIN},          {-0.5, 0},
  };
  for (const Case& c : cases32) {
    if (c.expected == LLONG_MIN) EXPECT_EQ(test::failureOf([&] { toInt32(c.value); }), overflow) << c.value;
    else EXPECT_EQ(toInt32(c.value), c.expected) << c.value;
  }
}

TEST(IntegerConversion, Checked16) {
  EXPECT_EQ(checked16(32767), 32767);
  EXPECT_EQ(checked16(-32768), -32768);
  for (const int outside : {32768, -32769})
    EXPECT_EQ(test::failureOf([&] { checked16(outside); }), "オーバーフローしました。") << outside;
}

void expectDecimalTexts() {
  const std::pair<long long, const char*> integers[] = {
      {0, "0"}, {-5, "-5"}, {int16_t{-10}, "-10"}, {2147483647, "2147483647"}, {LLONG_MIN, "-9223372036854775808"},
  };
  for (const auto& [value, text] : integers) EXPECT_EQ(decimalText(value), text) << value;
  // The bytes of the C library's "%.15G" in the C locale, exponent form included.
  const std::pair<double, const char*> doubles[] = {
      {1.6, "1.6"},     {NumericValue("1.60"), "1.6"}, {0, "0"},      {-0.0, "0"},
      {1.54, "1.54"},   {100, "100"},                  {-2.5, "-2.5"}, {0.1 + 0.2, "0.3"},
      {123456789012345.0, "123456789012345"},          {1e15, "1E+15"}, {1e-5, "1E-05"},
      {0.0001, "0.0001"}, {1e20, "1E+20"},             {1e-7, "1E-07"}, {1e100, "1E+100"},
      {-1.2345678901234567e17, "-1.23456789012346E+17"}, {999999999999999.9, "1E+15"},
      {4.9406564584124654e-324, "4.94065645841247E-324"}, {INFINITY, "INF"}, {-INFINITY, "-INF"},
  };
  for (const auto& [value, text] : doubles) EXPECT_EQ(generalNumberText(value), text) << value;
}

TEST(DecimalText, IntegersAndDoubles) { expectDecimalTexts(); }

// A program's C library follows the player's locale (a Qt program sets it
// from the environment); no number read or written may change with it.
TEST(DecimalText, EveryLocaleGivesTheSameNumbers) {
  // Decimal commas; Windows names its locales after language and country.
  const std::vector<std::string> names = test::onWindows()
                                             ? std::vector<std::string>{"German_Germany.1252", "French_France.1252"}
                                             : std::vector<std::string>{"de_DE.UTF-8", "fr_FR.UTF-8"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    test::ScopedCLocale locale(name);
    if (!locale.active()) GTEST_SKIP() << "the locale " << name << " cannot be made here (no localedef or sources)";
    expectNumericValues();
    expectDecimalTexts();
    EXPECT_DOUBLE_EQ(NumericValue("1,5"), 1);
  }
}

}  // namespace
}  // namespace nk
