// delimited_text.cpp - the byte-order mark, lines and quoted cells.
#include "data/delimited_text.h"

namespace nk {

std::string_view withoutBom(std::string_view text) {
  if (text.starts_with(Utf8Bom)) text.remove_prefix(Utf8Bom.size());
  return text;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string_view> completeLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t lf; (lf = text.find('\n')) != std::string_view::npos; text.remove_prefix(lf + 1)) {
    std::string_view line = text.substr(0, lf);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> splitCells(std::string_view line, char separator) {
  std::vector<std::string> cells;
  size_t i = 0;
  for (;;) {
    std::string cell;
    if (i < line.size() && line[i] == '"') {
      for (++i; i < line.size(); ++i) {
        if (line[i] != '"') cell += line[i];
        else if (i + 1 < line.size() && line[i + 1] == '"') cell += line[++i];
        else { ++i; break; }
      }
    }
    for (; i < line.size() && line[i] != separator; ++i) cell += line[i];
    cells.push_back(std::move(cell));
    if (i >= line.size()) return cells;
    ++i;
  }
}

std::string quotedCell(std::string_view cell, std::string_view special) {
  if (cell.find_first_of(special) == std::string_view::npos) return std::string(cell);
  std::string quoted = "\"";
  for (const char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace nk
