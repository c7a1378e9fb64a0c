// fuzz_support.h - what every fuzz target shares: the bytes as the program
// decodes them, the one failure that is allowed to escape, and the checks.
#pragma once

#include "data/text_file.h"
#include "diag/runtime_error.h"
#include "platform/cp932.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace nk::fuzz {

inline std::string_view bytesOf(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A broken invariant is a crash the fuzzer keeps, with the reason on stderr.
inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// Whether text is well-formed UTF-8, which the readers count characters of.
inline bool isUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 0;
    uint32_t code = 0;
    uint32_t least = 0;
    if (lead < 0x80) {
      length = 1;
      code = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1Fu;
      least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0Fu;
      least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07u;
      least = 0x10000;
    }
    if (length == 0 || at + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto c = static_cast<unsigned char>(text[at + k]);
      if ((c & 0xC0) != 0x80) return false;
      code = code << 6 | (c & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    at += length;
  }
  return true;
}

// A file as the readers' file step hands it to their parse: every byte, CP932
// decoded, line terminators still in it. The decoding never fails and always
// gives UTF-8.
inline std::string decodedFile(const uint8_t* data, size_t size) {
  std::string text = cp932ToUtf8(bytesOf(data, size));
  require(isUtf8(text), "CP932 decoding gave malformed UTF-8");
  return text;
}

// Runs f; the program's own run-time error is an expected outcome of bad
// input, anything else escapes and is reported by the fuzzer as a crash.
// True when f ran to its end.
template <typename F>
bool allowingRuntimeError(F&& f) {
  try {
    f();
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

// The elements of a joined master list, cut at "<>" by a plain walk of its
// own: the model the readers' record walk is checked against. The elements
// point into joined.
inline std::vector<std::string_view> elementsOf(const std::string& joined) {
  std::vector<std::string_view> elements;
  if (joined.empty()) return elements;
  const std::string_view text = joined;
  size_t start = 0;
  for (size_t at = 0; at + 1 < text.size(); ++at) {
    if (text[at] != '<' || text[at + 1] != '>') continue;
    elements.push_back(text.substr(start, at - start));
    start = ++at + 1;
  }
  elements.push_back(text.substr(start));
  return elements;
}
std::vector<std::string_view> elementsOf(std::string&&) = delete;

// Records of the given width a list of these elements holds: the ones whose
// first element number (1, 1 + width, ...) is below the last element's number.
inline int32_t recordsOf(const std::vector<std::string_view>& elements, int32_t width) {
  const auto last = static_cast<int32_t>(elements.size()) - 1;
  return last < 2 ? 0 : (last - 2) / width + 1;
}

// The most records of that width a reader takes: after the last one its
// 16-bit element counter, 1 + width * records, still fits.
constexpr int32_t mostRecords(int32_t width) { return (32767 - 1) / width; }

}  // namespace nk::fuzz
