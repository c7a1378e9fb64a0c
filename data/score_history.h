// score_history.h - the history of totals "ac<VersionNumber>history.csv":
// one record per save that changed the total's summary, beside the score file
// and independent of it.
//
// The file is UTF-8 with CR LF line ends: the header line HistoryHeader, then
// records "time,total,sum of ☆7,☆8,☆9,☆10,charts entered". The time is the
// local date and time in ISO 8601 with its offset (2026-12-07T20:41:05+09:00).
//
// Records are only ever appended, each with one write of its whole line, so a
// crash can at worst leave the last line torn. Reading therefore skips every
// line that is not a complete record: a line without its line end at the end
// of the file, a field that is not a number, a wrong count of fields, the
// header. A BOM that an editor put in front is ignored; lines may end in LF
// alone after a hand edit.
#pragma once

#include "domain/ranking_rule.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* HistoryHeader = "日時,総合得点,☆7,☆8,☆9,☆10,入力済み譜面";

// A summary of the total with the moment of its save. Compared as a
// TotalSummary, it asks "did anything change" without the time.
struct HistoryRecord : TotalSummary {
  std::string time;          // as written: ISO 8601 with offset
  int64_t epochSeconds = 0;  // the same moment, seconds since 1970-01-01 UTC
};

// A record as numbers only, for a history too long to hold as texts: its
// time is the moment and the offset from UTC the file wrote it with, enough
// to write the local date and time it showed again.
struct HistoryEntry : TotalSummary {
  int64_t epochSeconds = 0;
  int32_t offsetSeconds = 0;  // east of UTC
};

// The most records of a history the window holds: the most recent ones.
// The window costs about 140 MB a million records (64 bytes each for the
// numbers, the rest the list view and the window), so two million
// keep it near 300 MB on a player's machine. A save a minute, day and night,
// takes almost four years to write them; a player saves a few dozen times an
// evening, so only a file grown by some fault or by hand goes past it.
inline constexpr size_t MostHistoryEntries = 2'000'000;

// "ac" + versionNumber + "history.csv", beside the score file.
std::string historyFileNameFor(int16_t versionNumber);

// The local time of t with its offset from UTC, "2026-12-07T20:41:05+09:00".
std::string isoLocalTime(std::time_t t);
// The moment of such a text ("Z" for UTC also taken); nothing for any other text.
std::optional<int64_t> parseIsoTime(std::string_view text);
// The same with the offset from UTC it was written with.
struct IsoMoment {
  int64_t epochSeconds = 0;
  int32_t offsetSeconds = 0;  // east of UTC
};
std::optional<IsoMoment> parseIsoMoment(std::string_view text);

// A record's line with its CR LF.
std::string historyLine(const HistoryRecord& record);
// The record of one line (without its line end); nothing when it is not one.
std::optional<HistoryRecord> parseHistoryLine(std::string_view line);
// The numbers of one line (without its line end); nothing when it is not a record.
std::optional<HistoryEntry> parseHistoryEntry(std::string_view line);
// A record's numbers: its moment as epochSeconds says, the offset its time
// text was written with (0 when the text is not a time).
HistoryEntry historyEntryOf(const HistoryRecord& record);
// Every complete record of a file's bytes, in file order.
std::vector<HistoryRecord> parseHistory(std::string_view bytes);

struct HistoryReadResult {
  std::vector<HistoryRecord> records;  // empty also when the file is missing
  bool ok = true;
  std::string cause;  // why the file could not be read (Japanese), when not ok
};
// Reads and parses the file at path; a missing file is an empty history.
HistoryReadResult readHistory(const std::string& path);

struct HistoryEntriesResult {
  std::vector<HistoryEntry> entries;  // the most recent `most` records, in file order
  uint64_t leftOut = 0;               // the older complete records not kept
  std::optional<int64_t> totalBefore;  // the total of the last record not kept
  bool ok = true;
  std::string cause;  // why the file could not be read (Japanese), when not ok
};
// Reads the file at path piece by piece, never whole, keeping the numbers of
// its most recent `most` complete records (the same records parseHistory
// finds); a missing file is an empty history.
HistoryEntriesResult readHistoryEntries(const std::string& path, size_t most = MostHistoryEntries);

struct HistoryAppendResult {
  bool ok = true;
  std::string cause;  // why the record was not written (Japanese), when not ok
  bool appended = false;
};

// Which records appendHistoryRecord writes.
enum class HistoryAppend {
  Always,
  // Only a record whose summary differs from the last complete record of the
  // file (always into a history without one). Only the file's tail is read,
  // further back only while it holds no complete record, so the cost does not
  // grow with the history.
  WhenChanged,
};
// Appends record to the file at path with one write (O_APPEND) and flushes it
// to the disk. A new or empty file gets the header in the same write; a file
// whose last line is torn gets a CR LF first, so the record starts its own
// line. A read-only file (no write permission for anyone) is refused even for
// an administrator, as the score file's save does.
// A failed write leaves the file as it was.
HistoryAppendResult appendHistoryRecord(const std::string& path, const HistoryRecord& record,
                                        HistoryAppend when = HistoryAppend::Always);

}  // namespace nk
