// numeric.cpp - the numeric value of a text and the integer conversions.
#include "numeric.h"

#include "checked_int.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

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
  bool anyDigit = false;
  while (isDigit(in.peek())) {
    number += in.peek();
    anyDigit = true;
    in.next();
  }
  if (in.peek() == '.') {
    number += '.';
    in.next();
    while (isDigit(in.peek())) {
      number += in.peek();
      anyDigit = true;
      in.next();
    }
  }
  if (!anyDigit) return 0;
  const char e = in.peek();
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    std::string exponent = "e";
    in.next();
    if (in.peek() == '-' || in.peek() == '+') {
      exponent += in.peek();
      in.next();
    }
    bool expDigit = false;
    while (isDigit(in.peek())) {
      exponent += in.peek();
      expDigit = true;
      in.next();
    }
    if (expDigit) number += exponent;
  }

  double value = 0;
  const char* first = number.data();
  if (*first == '-') ++first;  // from_chars takes no sign of its own here
  const auto [ptr, ec] = std::from_chars(first, number.data() + number.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Too large is infinite, too small 0 (or subnormal). Which one cannot be
    // told from the exponent's sign alone ("1" and 400 zeros, "e-5" is huge):
    // the C library's conversion in the C locale gets it right.
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
    if (cLocale != locale_t{}) return strtod_l(number.c_str(), nullptr, cLocale);
    return std::strtod(number.c_str(), nullptr);
  }
  return number[0] == '-' ? -value : value;
}

int16_t toInt16(double value) { return checkedInt<int16_t>(std::nearbyint(value)); }

int32_t toInt32(double value) { return checkedInt<int32_t>(std::nearbyint(value)); }

int16_t checked16(long long value) { return checkedInt<int16_t>(value); }

std::string decimalText(long long value) { return std::to_string(value); }

std::string generalNumberText(double value) {
  if (value == 0) return "0";
  char text[40];
  std::snprintf(text, sizeof text, "%.15G", value);
  return text;
}

}  // namespace nk
