// delimited_text.h - text in lines and cells, as a spreadsheet, an editor or
// the clipboard gives it and takes it back: the UTF-8 byte-order mark, lines
// ended by CR LF, LF or a lone CR, and cells quoted the spreadsheet way.
//
// A quoted cell opens with a quote as its first character; two quotes inside
// stand for one. The readers here work on one line: what a quote left open at
// a line's end holds ends with the line (a pasted title never spans lines).
// The master-data kit reads quoted cells across lines with its own scanner,
// which must name the line of a cell left open (masters/source_table.cpp).
#pragma once

#include <charconv>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace nk {

// Excel on Japanese Windows reads a file as UTF-8 only when this opens it.
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// A cell holding a whole number as the program writes one: an optional "-",
// then digits, nothing else; false when it is not one or does not fit Int.
template <typename Int>
bool wholeNumber(std::string_view text, Int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && text.front() != '+' && error == std::errc{} && end == text.data() + text.size();
}

// The text without a byte-order mark in front.
std::string_view withoutBom(std::string_view text);

// Every line, each ended by CR LF, LF or a lone CR; a last line without an
// end is a line too, an empty text has none.
std::vector<std::string_view> splitLines(std::string_view text);

// Only the lines that end in LF (or CR LF, the CR dropped): a last line
// without its end is a record still being written, and is left out.
std::vector<std::string_view> completeLines(std::string_view text);

// The cells of one line between separators, quotes undone; cells are not
// trimmed. A quote opens a cell only as its first character and closes at
// the next single quote; what follows it up to the separator belongs to the
// cell too.
std::vector<std::string> splitCells(std::string_view line, char separator);

// The cell as it is, or quoted (its quotes doubled) when it holds any of
// special: the separator, a quote and the line ends, for a CSV ",\"\r\n".
std::string quotedCell(std::string_view cell, std::string_view special);

}  // namespace nk
