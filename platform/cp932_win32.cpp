// cp932_win32.cpp - CP932 <-> UTF-8 through the code page 932 of Windows,
// one character at a time, so that a bad byte or an unknown character is
// replaced under the same rules as on the POSIX build (see cp932.h).
#include "platform/cp932.h"

#include "platform/utf8.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace nk {
namespace {

constexpr UINT CodePage932 = 932;
constexpr std::string_view ReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

bool isAscii(unsigned char c) { return c < 0x80; }

// Bytes that start a two-byte character.
bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Single bytes that stand for no character. Windows decodes some of them to
// private-use code points; the other build (and the files' makers) do not.
bool isUndefinedByte(unsigned char c) { return c == 0x80 || c == 0xA0 || c >= 0xFD; }

void appendUtf8(std::string& out, const wchar_t* wide, int length) {
  char buffer[8];
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, length, buffer, sizeof buffer, nullptr, nullptr);
  if (n <= 0) out.append(ReplacementUtf8);
  else out.append(buffer, static_cast<size_t>(n));
}

// Characters outside the code page that the other build still writes as the
// CP932 character they are commonly confused with.
struct ExtraMapping {
  char32_t codePoint;
  std::string_view bytes;
};
constexpr ExtraMapping ExtraMappings[] = {
    {U'\u00A2', "\x81\x91"}, {U'\u00A3', "\x81\x92"}, {U'\u00A5', "\x5C"},     {U'\u00AC', "\x81\xCA"},
    {U'\u2014', "\x81\x5C"}, {U'\u2016', "\x81\x61"}, {U'\u203E', "\x7E"},     {U'\u2212', "\x81\x7C"},
    {U'\u301C', "\x81\x60"},
};

// The code point of one well-formed UTF-8 sequence, or nothing.
bool decodeUtf8(std::string_view sequence, char32_t& codePoint) {
  wchar_t wide[2];
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, sequence.data(),
                                      static_cast<int>(sequence.size()), wide, 2);
  if (n == 1) codePoint = wide[0];
  else if (n == 2) codePoint = 0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) + (wide[1] - 0xDC00);
  return n == 1 || n == 2;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() + cp932.size() / 2);
  size_t pos = 0;
  while (pos < cp932.size()) {
    const auto byte = static_cast<unsigned char>(cp932[pos]);
    if (isAscii(byte)) {
      out += static_cast<char>(byte);
      ++pos;
      continue;
    }
    const size_t length = isLeadByte(byte) ? 2 : 1;
    wchar_t wide[2];
    const int n = isUndefinedByte(byte) || pos + length > cp932.size()
                      ? 0
                      : ::MultiByteToWideChar(CodePage932, MB_ERR_INVALID_CHARS, cp932.data() + pos,
                                              static_cast<int>(length), wide, 2);
    if (n <= 0) {
      // As on the other build: the lead byte goes, its would-be trail byte
      // is read again as a character of its own.
      out.append(ReplacementUtf8);
      ++pos;
      continue;
    }
    appendUtf8(out, wide, n);
    pos += length;
  }
  return out;
}

std::string utf8ToCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    if (isAscii(lead)) {
      out += static_cast<char>(lead);
      ++pos;
      continue;
    }
    const size_t length = std::min(utf8Length(lead), utf8.size() - pos);
    const std::string_view sequence = utf8.substr(pos, length);
    pos += length;
    char32_t codePoint = 0;
    if (!decodeUtf8(sequence, codePoint)) {
      out += '?';
      continue;
    }
    wchar_t wide[2];
    int wideLength = 1;
    if (codePoint >= 0x10000) {
      wide[0] = static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
      wide[1] = static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
      wideLength = 2;
    } else {
      wide[0] = static_cast<wchar_t>(codePoint);
    }
    char bytes[4];
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(CodePage932, WC_NO_BEST_FIT_CHARS, wide, wideLength, bytes, sizeof bytes,
                                        nullptr, &usedDefault);
    if (n > 0 && !usedDefault) {
      out.append(bytes, static_cast<size_t>(n));
      continue;
    }
    auto extra = std::begin(ExtraMappings);
    while (extra != std::end(ExtraMappings) && extra->codePoint != codePoint) ++extra;
    out.append(extra != std::end(ExtraMappings) ? extra->bytes : std::string_view("?"));
  }
  return out;
}

}  // namespace nk
