// record_lines.cpp - reading the complete lines of an appended file, and
// appending records to it.
#include "data/record_lines.h"

#include <charconv>

namespace nk {
namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";

}  // namespace

FileRead readCompleteLines(const std::string& path, const std::function<void(std::string_view)>& line,
                           std::string& cause) {
  auto hand = [&](std::string_view text) {
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    line(text);
  };
  // A line may run across pieces; its start waits in `carried`, unless it
  // is already too long to be a record.
  std::string carried;
  bool overlong = false;
  bool first = true;
  auto take = [&](std::string_view piece) {
    if (first) {
      first = false;
      if (piece.substr(0, Bom.size()) == Bom) piece.remove_prefix(Bom.size());
    }
    for (size_t end; (end = piece.find('\n')) != std::string_view::npos; piece.remove_prefix(end + 1)) {
      if (carried.empty() && !overlong) {
        hand(piece.substr(0, end));
      } else {
        carried.append(piece.substr(0, end));
        if (!overlong && carried.size() <= LongestRecordLine) hand(carried);
        carried.clear();
        overlong = false;
      }
    }
    if (overlong) return;
    carried.append(piece);
    if (carried.size() > LongestRecordLine) {
      carried.clear();
      overlong = true;
    }
  };
  return readRegularFileInPieces(path, take, cause);
}

std::optional<int64_t> integerField(std::string_view field) {
  if (field.empty() || field.front() == '+') return std::nullopt;
  int64_t value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

bool appendRecordLines(AppendFile& file, std::string_view header, std::string_view records) {
  std::string text;
  std::string tail;
  if (file.size() == 0) {
    // The BOM tells Excel on Japanese Windows that the file is UTF-8, not
    // Shift-JIS; a file that exists keeps its bytes, with or without one.
    text.append(Bom);
    text.append(header);
    text += "\r\n";
  } else if (!file.readTail(2, tail) || tail != "\r\n") {
    text = "\r\n";
  }
  text.append(records);
  return file.appendAndClose(text);
}

}  // namespace nk
