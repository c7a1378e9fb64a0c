// numeric.cpp - the numeric value of a text and the integer conversions.
#include "data/numeric.h"

#include "diag/checked_int.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace nk {
namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the characters of text one by one, skipping blanks, tabs and line feeds.
class Reader {
public:
  explicit Reader(std::string_view text) : text_(text) { skip(); }
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }
  void next() {
    ++pos_;
    skip();
  }

private:
  void skip() {
    while (pos_ < text_.size() && isSkipped(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  size_t pos_ = 0;
};

double radixValue(Reader& in, int radix) {
  double value = 0;
  for (;;) {
    const char c = in.peek();
    int digit;
    if (isDigit(c)) digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else break;
    if (digit >= radix) break;
    value = value * radix + digit;
    in.next();
  }
  return value;
}

// Whether a number that no double can hold ([-]digits[.digits][e[+-]digits])
// is too large rather than too small: the power of ten of its first digit
// that is not 0, exponent included, is positive only for the too large.
bool isTooLarge(const std::string& number) {
  const long long Saturated = 1'000'000'000;
  long long power = 0;
  bool significant = false, fraction = false;
  size_t i = number[0] == '-' ? 1 : 0;
  for (; i < number.size() && number[i] != 'e'; ++i) {
    if (number[i] == '.') fraction = true;
    else if (!significant && number[i] == '0') power -= fraction ? 1 : 0;
    else {
      significant = true;
      if (!fraction && power < Saturated) ++power;
    }
  }
  long long exponent = 0;
  const bool negative = i + 1 < number.size() && number[i + 1] == '-';
  for (++i; i < number.size(); ++i)
    if (isDigit(number[i]) && exponent < Saturated) exponent = exponent * 10 + (number[i] - '0');
  return power + (negative ? -exponent : exponent) > 0;
}

// Appends the digits that follow; whether there was any.
bool takeDigits(Reader& in, std::string& number) {
  bool any = false;
  for (; isDigit(in.peek()); in.next()) {
    number += in.peek();
    any = true;
  }
  return any;
}

// An exponent (E or D, an optional sign, digits), kept only with a digit.
void takeExponent(Reader& in, std::string& number) {
  const char e = in.peek();
  if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return;
  std::string exponent = "e";
  in.next();
  if (in.peek() == '-' || in.peek() == '+') {
    exponent += in.peek();
    in.next();
  }
  if (takeDigits(in, exponent)) number += exponent;
}

}  // namespace

double NumericValue(std::string_view text) {
  Reader in(text);
  if (in.peek() == '&') {
    in.next();
    const char kind = in.peek();
    if (kind == 'H' || kind == 'h') {
      in.next();
      return radixValue(in, 16);
    }
    if (kind == 'O' || kind == 'o') {
      in.next();
      return radixValue(in, 8);
    }
    return 0;
  }

  // Collect the number without the skipped characters, then convert it.
  std::string number;
  if (in.peek() == '-' || in.peek() == '+') {
    if (in.peek() == '-') number += '-';
    in.next();
  }
  bool anyDigit = takeDigits(in, number);
  if (in.peek() == '.') {
    number += '.';
    in.next();
    anyDigit = takeDigits(in, number) || anyDigit;
  }
  if (!anyDigit) return 0;
  takeExponent(in, number);

  double value = 0;
  const char* first = number.data();
  if (*first == '-') ++first;  // from_chars takes no sign of its own here
  const auto [ptr, ec] = std::from_chars(first, number.data() + number.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Too large is infinite, too small 0. Which one cannot be told from the
    // exponent's sign alone ("1" and 400 zeros, "e-5" is huge).
    value = isTooLarge(number) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return number[0] == '-' ? -value : value;
}

int16_t toInt16(double value) { return checkedInt<int16_t>(std::nearbyint(value)); }

int32_t toInt32(double value) { return checkedInt<int32_t>(std::nearbyint(value)); }

int16_t checked16(long long value) { return checkedInt<int16_t>(value); }

// The conversions below never look at the locale: QApplication sets the C
// library's from the environment, and "1,6" in a log or file is another text.
std::string decimalText(long long value) {
  char text[24];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  (void)ec;
  return std::string(text, end);
}

std::string generalNumberText(double value) {
  if (value == 0) return "0";
  // The C library's "%.15G" in the C locale, as written since the first
  // version: to_chars gives the same digits and exponent, in lower case.
  char text[40];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
  (void)ec;
  std::string result(text, end);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

}  // namespace nk
