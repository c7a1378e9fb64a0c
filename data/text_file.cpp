// text_file.cpp - reading and splitting the program's CP932 text files.
#include "data/text_file.h"

#include "diag/runtime_error.h"
#include "platform/native_file.h"

namespace nk {

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(separator, start);
    if (at == std::string_view::npos || separator.empty()) {
      pieces.push_back(text.substr(start));
      return pieces;
    }
    pieces.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
}

namespace {

// Calls line(text of the line) for every line: CR or CR LF ends a line.
template <typename Line>
void forEachLine(std::string_view text, Line line) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t cr = text.find('\r', start);
    if (cr == std::string_view::npos) {
      line(text.substr(start));
      return;
    }
    line(text.substr(start, cr - start));
    start = cr + 1;
    if (start < text.size() && text[start] == '\n') ++start;
  }
}

}  // namespace

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  forEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string joinLines(std::string_view text) {
  std::string joined;
  joined.reserve(text.size());
  forEachLine(text, [&](std::string_view line) { joined.append(line); });
  return joined;
}

std::string readFileBytes(const std::string& path) {
  std::string bytes;
  std::string cause;
  if (!readWholeFile(path, bytes, cause))
    throw RuntimeError("ファイル " + displayFileName(path) + " を読み込めません（" + cause + "）。");
  return bytes;
}

BoundedRead readFileWithin(const std::string& path, int64_t mostBytes, std::string& bytes, int64_t& size,
                           std::string& cause) {
  bytes.clear();
  InputFile file(path);
  size = file.size();
  if (file.outcome() == FileRead::Missing) return BoundedRead::Missing;
  if (file.outcome() == FileRead::Failed) {
    cause = file.cause();
    return BoundedRead::Failed;
  }
  if (size > mostBytes) return BoundedRead::TooLarge;
  if (size > 0 && !file.readAt(0, static_cast<size_t>(size), bytes)) {
    cause = file.cause();
    bytes.clear();
    return BoundedRead::Failed;
  }
  return BoundedRead::Read;
}

}  // namespace nk
