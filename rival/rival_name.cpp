// rival_name.cpp - a rival's name: what a file name can hold, and which names
// Windows takes for one file.
#include "rival/rival_name.h"

#include "platform/utf8.h"
#include "rival/rival_source.h"
#include "rival/rival_text.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace nk {
namespace {

struct Character {
  std::string_view bytes;
  char32_t code;
};

// The characters of UTF-8 text; nothing for text that is no well-formed UTF-8,
// which a Windows file name could not be made of.
std::optional<std::vector<Character>> utf8Characters(std::string_view text) {
  std::vector<Character> characters;
  for (size_t i = 0; i < text.size();) {
    const Utf8Character c = wellFormedUtf8At(text, i);
    if (c.length == 0) return std::nullopt;
    characters.push_back({text.substr(i, c.length), c.code});
    i += c.length;
  }
  return characters;
}

// A letter as its small form, where the scripts a player's name is likely
// written in have one: Latin (ASCII, Latin-1, Latin Extended-A), Greek,
// Cyrillic, full-width Latin, Roman numerals and circled letters.
char32_t smallForm(char32_t c) {
  const auto in = [c](char32_t first, char32_t last) { return c >= first && c <= last; };
  if (in('A', 'Z') || (in(0xC0, 0xDE) && c != 0xD7) || (in(0x391, 0x3AB) && c != 0x3A2) || in(0x410, 0x42F) ||
      in(0xFF21, 0xFF3A))
    return c + 0x20;
  if (in(0x400, 0x40F)) return c + 0x50;
  if (in(0x2160, 0x216F)) return c + 0x10;
  if (in(0x24B6, 0x24CF)) return c + 0x1A;
  if (c == 0x3C2) return 0x3C3;  // the final sigma: Windows makes both "Σ"
  if (c == 0x178) return 0xFF;
  // Latin Extended-A pairs its capitals and smalls: capital even, or odd.
  if ((in(0x100, 0x137) && c != 0x130 && c != 0x131) || in(0x14A, 0x177)) return c | 1;
  if (in(0x139, 0x148) || in(0x179, 0x17E)) return c % 2 == 1 ? c + 1 : c;
  return c;
}

bool unfitCharacter(const Character& c) {
  return c.code < 0x20 || c.code == 0x7F || (c.code < 0x80 && std::string_view("<>:\"/\\|?*").find(
                                                                  static_cast<char>(c.code)) != std::string_view::npos);
}

bool reservedName(std::string_view name) {
  const std::string_view base = name.substr(0, name.find('.'));
  for (const char* reserved : {"con", "prn", "aux", "nul"})
    if (sameRivalName(base, reserved)) return true;
  if (base.size() < 4 || !(sameRivalName(base.substr(0, 3), "com") || sameRivalName(base.substr(0, 3), "lpt")))
    return false;
  const std::string_view number = base.substr(3);
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "¹" || number == "²" ||
         number == "³";
}

}  // namespace

bool sameRivalName(std::string_view a, std::string_view b) {
  const auto x = utf8Characters(a), y = utf8Characters(b);
  if (!x || !y) return a == b;
  return std::equal(x->begin(), x->end(), y->begin(), y->end(),
                    [](const Character& p, const Character& q) { return smallForm(p.code) == smallForm(q.code); });
}

std::string rivalNameFailure(std::string_view name) {
  const auto characters = utf8Characters(name);
  if (name.empty()) return rivalNameEmptyText();
  if (!characters) return rivalNameUnfitText();
  if (characters->size() > LongestRivalName) return rivalNameTooLongText(LongestRivalName);
  if (std::any_of(characters->begin(), characters->end(), unfitCharacter)) return rivalNameUnfitText();
  const std::string_view first = characters->front().bytes, last = characters->back().bytes;
  if (first == " " || first == "　" || first == "." || last == " " || last == "　" || last == ".")
    return rivalNameUnfitText();
  if (reservedName(name)) return rivalNameReservedText(name);
  return {};
}

std::string proposedRivalName(std::string_view path) {
  std::string file = fileNameOf(path);
  if (const size_t dot = file.rfind('.'); dot != std::string::npos && dot > 0) file.resize(dot);
  std::string name;
  size_t count = 0;
  for (const Character& c : utf8Characters(file).value_or(std::vector<Character>{})) {
    if (count++ == LongestRivalName) break;
    name += unfitCharacter(c) ? std::string_view("_") : c.bytes;
  }
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  return rivalNameFailure(name).empty() ? name : std::string("ライバル");
}

}  // namespace nk
