// full_width.cpp - full-width ASCII folded to ASCII.
#include "data/full_width.h"

namespace nk {

std::string halfWidthAscii(std::string_view text, std::string_view only) {
  const auto wanted = [&](char ascii) { return only.empty() || only.find(ascii) != std::string_view::npos; };
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (i + 2 < text.size()) {
      // U+FF01 .. U+FF3F are EF BC 81 .. EF BC BF, U+FF40 .. U+FF5E EF BD 80 .. EF BD 9E.
      int code = -1;
      if (byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x81 && byte(2) <= 0xBF) code = 0xFF00 + byte(2) - 0x80;
      if (byte(0) == 0xEF && byte(1) == 0xBD && byte(2) >= 0x80 && byte(2) <= 0x9E) code = 0xFF40 + byte(2) - 0x80;
      if (byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) code = 0xFF00;  // U+3000, to ' '
      const char ascii = static_cast<char>(code - 0xFF00 + 0x20);
      if (code >= 0 && wanted(ascii)) {
        out += ascii;
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace nk
