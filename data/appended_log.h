// appended_log.h - the one mechanism of the logs that the program appends to
// beside the score file (the history of totals, the log of improvements):
// UTF-8 text with CR LF line ends, a BOM and a header line, one record per
// line, only ever appended to. A format is the log's file name and header
// and a parse of one line; everything else is here.
//
// A crash can at worst leave the last line torn, so reading takes only the
// lines that end in a line end; an editor's BOM in front is passed over,
// lines that end in LF alone after a hand edit are taken too, and a line
// longer than LongestRecordLine is passed over unread, wherever it stands.
// Lines are read forward (the most recent records of the whole log) or
// backward from the end (its newest records, as far as the reader needs).
// Appending puts a BOM and the header in front of the first record of a new
// or empty file (Excel then reads the file as UTF-8), and a CR LF in front of
// the records when the file's last line is torn, so that every record starts
// a line of its own.
#pragma once

#include "platform/native_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

// A line longer than this (before its LF) holds no record.
inline constexpr size_t LongestRecordLine = 4096;

struct LogFormat {
  std::string_view stem;    // "history": the file "ac13history.csv"
  std::string_view header;  // the first line, without its line end
};

// "ac" + versionNumber + stem + ".csv", beside the score file.
std::string logFileName(const LogFormat& format, int16_t versionNumber);

// What a read or an append of a log did.
struct LogResult {
  bool ok = true;
  std::string cause;  // why the file could not be read or written (Japanese), when not ok
};
struct AppendResult : LogResult {
  bool appended = false;
};
template <class Record>
struct RecentRecords : LogResult {
  std::vector<Record> records;        // the most recent `most`, in file order; empty for a missing file
  uint64_t leftOut = 0;               // the older complete records not kept
  std::optional<Record> lastLeftOut;  // the newest of them
};

// Hands each complete line of the file at path (without its line end) to
// line, in file order, reading the file piece by piece, never whole.
FileRead readCompleteLines(const std::string& path, const std::function<void(std::string_view)>& line,
                           std::string& cause);

// Hands the complete lines of the file at path to line newest first, until
// line returns false or every line that begins in its last `window` bytes was
// handed; reads the file backward in blocks, no further than that.
FileRead readNewestLines(const std::string& path, uint64_t window, const std::function<bool(std::string_view)>& line,
                         std::string& cause);

// The most recent `most` (at least 1) records of the log at path that parse
// (std::optional<Record>(std::string_view line)) finds, reading the whole
// file in pieces and holding no more than `most` records at any time.
template <class Record, class Parse>
RecentRecords<Record> readRecentRecords(const std::string& path, size_t most, Parse parse) {
  RecentRecords<Record> result;
  most = most == 0 ? 1 : most;
  // A ring once it is full: the next record overwrites the oldest.
  std::vector<Record>& ring = result.records;
  size_t oldest = 0;
  auto keep = [&](std::string_view line) {
    std::optional<Record> record = parse(line);
    if (!record) return;
    if (ring.size() < most) {
      ring.push_back(std::move(*record));
      return;
    }
    result.lastLeftOut = std::move(ring[oldest]);
    ring[oldest] = std::move(*record);
    oldest = (oldest + 1) % most;
    ++result.leftOut;
  };
  switch (readCompleteLines(path, keep, result.cause)) {
    case FileRead::Missing: return {};
    case FileRead::Failed: {
      RecentRecords<Record> failed;
      failed.ok = false;
      failed.cause = std::move(result.cause);
      return failed;
    }
    case FileRead::Read: break;
  }
  std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(oldest), ring.end());
  return result;
}

// Whether an append goes ahead, asked of the log's complete lines newest
// first: nothing to ask an older line, true to append, false not to.
using AppendDecision = std::function<std::optional<bool>(std::string_view line)>;

// Appends records (whole lines, each ending in CR LF) to the log at path with
// one durable write (platform/durable_append.h), with the BOM and the header
// in front for an empty file and a CR LF in front after a torn last line.
// Nothing to append writes nothing, not even a new file. With a decision, the
// log is first read back from its end until a line decides (a log where none
// does is appended to), so the cost does not grow with the log. A failed
// write leaves the file as it was.
AppendResult appendRecords(const std::string& path, const LogFormat& format, std::string_view records,
                           const AppendDecision& decide = {});

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

}  // namespace nk
