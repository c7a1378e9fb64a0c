// utf8.h - counting the characters of UTF-8 texts and the bytes of one.
//
// A character is a lead byte with the continuation bytes after it. The texts
// are not checked for validity: decoded files are valid, and a broken one
// must still not make these read past the end.
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

}  // namespace nk
