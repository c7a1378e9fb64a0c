// full_width.h - full-width ASCII (U+FF01 .. U+FF5E) and the ideographic
// blank (U+3000) folded to their ASCII forms, as a Japanese input method left
// on types them.
//
// Which characters fold is the caller's choice: a score box folds only what a
// number is written with, since its text is shown back to the player and
// "１ｅ５" must not become a number it was not; a label compared for likeness
// folds them all. Every other byte is kept as it is, invalid UTF-8 included.
#pragma once

#include <string>
#include <string_view>

namespace nk {

// text with the full-width forms of the ASCII characters in only (all of
// them when only is empty) in ASCII; U+3000 becomes ' ' when ' ' is among them.
std::string halfWidthAscii(std::string_view text, std::string_view only = {});

}  // namespace nk
