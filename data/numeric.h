// numeric.h - numbers in texts: the numeric value of a text, its conversion
// to the 16-bit and 32-bit fields, decimal texts and checked 16-bit arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nk {

// The value of the number with which a text begins. Blanks, tabs and line
// feeds are skipped wherever they stand ("1 2 3" is 123); then an optional
// sign, digits, an optional "." and digits, an optional exponent (E or D, an
// optional sign, digits); or &H / &O and a hexadecimal / octal number.
// Reading stops at the first character that cannot continue the number; a
// text that does not begin with one is 0. "." is the decimal point whatever
// the locale. Never throws; a value too large for a double is infinite.
double NumericValue(std::string_view text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Outside the field's range (or not a number) is RuntimeError "オーバーフローしました。".
int16_t toInt16(double value);
int32_t toInt32(double value);

// Range check of a 16-bit result computed in a wider type.
int16_t checked16(long long value);

// Plain decimal: "-" only when negative, no blank, no grouping.
std::string decimalText(long long value);
// Shortest general form of at most 15 significant digits (1.6, not 1.60).
std::string generalNumberText(double value);

}  // namespace nk
