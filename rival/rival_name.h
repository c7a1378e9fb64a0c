// rival_name.h - a rival's name, which is also the name of its file
// ("rivals/ac13/<name>.txt"): which names a file can take on Windows and
// Linux alike, the name proposed for a friend's file, and when two names are
// one rival (Windows' file names ignore letter case).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nk {

// The longest name, in characters.
inline constexpr size_t LongestRivalName = 40;

// Why name cannot name a rival (empty, too long, a folder's separator or
// another character a file name cannot hold, a name Windows reserves such as
// "CON" or "lpt1", a blank or a dot at either end, no UTF-8); empty when it can.
std::string rivalNameFailure(std::string_view name);
// The name proposed for a rival read from the file at path: its name without
// folders and ending, each character a name cannot hold made "_", cut to
// LongestRivalName; "ライバル" where nothing fit is left.
std::string proposedRivalName(std::string_view path);
// Whether two names are one file on Windows: the same but for the case of
// letters, ASCII or not ("Taro" and "TARO", "Ａ" and "ａ", "Ⅱ" and "ⅱ",
// "Σ", "σ" and "ς"). Katakana and hiragana, and half and full width, differ.
bool sameRivalName(std::string_view a, std::string_view b);

}  // namespace nk
