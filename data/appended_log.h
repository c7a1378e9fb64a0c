// record_lines.h - what the files of records that the program appends to (the
// history of totals, the log of improvements) share: UTF-8 text with CR LF
// line ends, a header line, one record per line, only ever appended to.
//
// A crash can at worst leave the last line torn, so reading takes only the
// lines that end in a line end; an editor's BOM in front is passed over, and
// lines that end in LF alone after a hand edit are taken too. Appending puts
// a BOM and the header in front of the first record of a new or empty file
// (Excel then reads the file as UTF-8), and a CR LF
// in front of the records when the file's last line is torn, so that every
// record starts a line of its own.
#pragma once

#include "platform/durable_append.h"
#include "platform/native_file.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nk {

// A line longer than this holds no record; it is passed over unread.
inline constexpr size_t LongestRecordLine = 4096;

// Hands each complete line of the file at path (without its line end) to
// `line`, in file order, reading the file piece by piece, never whole.
FileRead readCompleteLines(const std::string& path, const std::function<void(std::string_view)>& line,
                           std::string& cause);

// The comma-separated fields of line into fields; false unless it has exactly
// fields.size() of them.
template <size_t N>
bool splitFields(std::string_view line, std::string_view (&fields)[N]) {
  for (size_t count = 0, start = 0;; ++count) {
    const size_t comma = line.find(',', start);
    if (count == N) return false;
    fields[count] = line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (comma == std::string_view::npos) return count + 1 == N;
    start = comma + 1;
  }
}

// A whole field as a 64-bit integer: an optional "-" and digits, nothing else.
std::optional<int64_t> integerField(std::string_view field);

// Appends records (whole lines, each ending in CR LF) to the open file with
// one durable write, with the BOM and the header line in front for an empty file and a
// CR LF in front after a torn last line. False when it failed (file.cause()
// says why); the file is then as it was.
bool appendRecordLines(AppendFile& file, std::string_view header, std::string_view records);

}  // namespace nk
