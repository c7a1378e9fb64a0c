// utf8.h - counting the characters of UTF-8 texts and the bytes of one, and
// reading one character strictly.
//
// A character is a lead byte with the continuation bytes after it. The
// counting does not check the texts: decoded files are valid, and a broken
// one must still not make it read past the end. Text from outside (a file
// the player names, a name typed) is read with wellFormedUtf8At.
#pragma once

#include <cstddef>
#include <string_view>

namespace nk {

// Whether c is a continuation byte (10xxxxxx), i.e. does not start a character.
constexpr bool isUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Length of the UTF-8 sequence that starts with lead (1 for a stray byte).
constexpr size_t utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Number of characters of text.
constexpr size_t utf8CharacterCount(std::string_view text) {
  size_t n = 0;
  for (char c : text) n += !isUtf8Continuation(c);
  return n;
}

// Byte offset just past the character that starts at byte start (start must
// lie inside text).
constexpr size_t utf8CharacterEnd(std::string_view text, size_t start) {
  size_t end = start + 1;
  while (end < text.size() && isUtf8Continuation(text[end])) ++end;
  return end;
}

struct Utf8Character {
  char32_t code = 0;
  size_t length = 0;  // in bytes; 0 where no well-formed character starts
};
// The character that starts at byte at (inside text), strictly: length 0 for
// a stray continuation byte, a lead without its continuations, an overlong
// form, a surrogate or a code past U+10FFFF.
constexpr Utf8Character wellFormedUtf8At(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  if (length == 0 || at + length > text.size()) return {};
  char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return {};
    code = code << 6 | (next & 0x3Fu);
  }
  const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {code, length};
}

}  // namespace nk
