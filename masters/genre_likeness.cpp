// genre_likeness.cpp - a genre label that is a ranked genre written otherwise.
#include "data/full_width.h"
#include "data/genre_order.h"
#include "masters/master_check.h"

#include <string_view>

namespace nk {
namespace {

// Half-width katakana U+FF61 .. U+FF9F as their full-width forms.
constexpr std::string_view HalfWidthKana[] = {
    "。", "「", "」", "、", "・", "ヲ", "ァ", "ィ", "ゥ", "ェ", "ォ", "ャ", "ュ", "ョ", "ッ", "ー",
    "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "ス", "セ", "ソ", "タ",
    "チ", "ツ", "テ", "ト", "ナ", "ニ", "ヌ", "ネ", "ノ", "ハ", "ヒ", "フ", "ヘ", "ホ", "マ", "ミ",
    "ム", "メ", "モ", "ヤ", "ユ", "ヨ", "ラ", "リ", "ル", "レ", "ロ", "ワ", "ン", "゛", "゜"};

char32_t decode(std::string_view s, size_t& i) {
  const auto b = static_cast<unsigned char>(s[i]);
  size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  char32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
  for (size_t k = 1; k < n && i + k < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  i += n;
  return c;
}

void encode(std::u32string_view in, std::string& out) {
  for (char32_t c : in) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

// The label with blanks gone, full-width ASCII and half-width katakana
// (voiced marks joined to their kana) in their usual widths, ASCII lower case.
std::string folded(std::string_view original) {
  const std::string label = halfWidthAscii(original);
  std::u32string out;
  for (size_t i = 0; i < label.size();) {
    char32_t c = decode(label, i);
    if (c == U' ' || c == U'\t' || c == 0x3000) continue;
    if (c >= 0xFF61 && c <= 0xFF9F) {
      const bool voiced = c == 0xFF9E, semi = c == 0xFF9F;
      const char32_t prev = out.empty() ? 0 : out.back();
      const bool kaToTo = (prev >= U'カ' && prev <= U'チ' && (prev - U'カ') % 2 == 0) || prev == U'ツ' ||
                          prev == U'テ' || prev == U'ト';
      const bool haToHo = prev >= U'ハ' && prev <= U'ホ' && (prev - U'ハ') % 3 == 0;
      if (voiced && (kaToTo || haToHo)) {
        out.back() = prev + 1;
        continue;
      }
      if (voiced && prev == U'ウ') {
        out.back() = U'ヴ';
        continue;
      }
      if (semi && haToHo) {
        out.back() = prev + 2;
        continue;
      }
      std::string_view full = HalfWidthKana[c - 0xFF61];
      size_t at = 0;
      c = decode(full, at);
    }
    if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
    out += c;
  }
  std::string utf8;
  encode(out, utf8);
  return utf8;
}

}  // namespace

std::optional<std::string> nearRankedGenre(std::string_view label) {
  const std::string mine = folded(label);
  for (const std::string_view genre : GenreRanking) {
    if (label == genre) return std::nullopt;
    if (mine == folded(genre)) return std::string(genre);
  }
  return std::nullopt;
}

}  // namespace nk
