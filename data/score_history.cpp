// score_history.cpp - the history file's records: their text, reading them
// back past torn and edited lines, and appending one durably.
#include "data/score_history.h"

#include "data/record_lines.h"
#include "platform/durable_append.h"
#include "platform/local_time.h"
#include "platform/native_file.h"

#include <algorithm>
#include <cstdio>

namespace nk {
namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";
constexpr size_t HistoryFields = 7;

// Days from 1970-01-01 to the civil date (proleptic Gregorian calendar).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int daysInMonth(int y, int m) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : days[m - 1];
}

// Exactly `width` digits at text[at..], as a number; -1 otherwise.
int digitsAt(std::string_view text, size_t at, size_t width) {
  if (at + width > text.size()) return -1;
  int value = 0;
  for (size_t i = at; i < at + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::string historyFileNameFor(int16_t versionNumber) {
  return "ac" + std::to_string(versionNumber) + "history.csv";
}

std::string isoLocalTime(std::time_t t) {
  const std::tm local = localTime(t);
  char text[40];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  // The offset is what the local clock shows past UTC (strftime's %z names the
  // zone instead on some C runtimes).
  const int64_t asUtc = daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * 86400 +
                        local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  const int64_t offsetMinutes = (asUtc - static_cast<int64_t>(t)) / 60;
  const int64_t minutes = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  char zone[16];
  std::snprintf(zone, sizeof zone, "%c%02d:%02d", offsetMinutes < 0 ? '-' : '+', static_cast<int>(minutes / 60),
                static_cast<int>(minutes % 60));
  return std::string(text, n) + zone;
}

std::optional<IsoMoment> parseIsoMoment(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SS then Z or ±HH:MM
  if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':')
    return std::nullopt;
  const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
  const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2), second = digitsAt(text, 17, 2);
  if (year < 0 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 0 ||
      hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return std::nullopt;
  int64_t offset = 0;
  const std::string_view zone = text.substr(19);
  if (zone != "Z") {
    if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':') return std::nullopt;
    const int oh = digitsAt(zone, 1, 2), om = digitsAt(zone, 4, 2);
    if (oh < 0 || oh > 18 || om < 0 || om > 59) return std::nullopt;
    offset = (zone[0] == '-' ? -1 : 1) * (oh * 3600 + om * 60);
  }
  return IsoMoment{daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - offset,
                   static_cast<int32_t>(offset)};
}

std::optional<int64_t> parseIsoTime(std::string_view text) {
  const auto moment = parseIsoMoment(text);
  if (!moment) return std::nullopt;
  return moment->epochSeconds;
}

std::string historyLine(const HistoryRecord& record) {
  std::string line = record.time;
  for (int64_t n : {record.total, record.levelSums[0], record.levelSums[1], record.levelSums[2],
                    record.levelSums[3], record.entered}) {
    line += ',';
    line += std::to_string(n);
  }
  return line + "\r\n";
}

std::optional<HistoryEntry> parseHistoryEntry(std::string_view line) {
  std::string_view fields[HistoryFields];
  if (!splitFields(line, fields)) return std::nullopt;
  HistoryEntry entry;
  const auto moment = parseIsoMoment(fields[0]);
  if (!moment) return std::nullopt;
  entry.epochSeconds = moment->epochSeconds;
  entry.offsetSeconds = moment->offsetSeconds;
  int64_t* targets[] = {&entry.total, &entry.levelSums[0], &entry.levelSums[1], &entry.levelSums[2],
                        &entry.levelSums[3], &entry.entered};
  for (size_t i = 0; i < 6; ++i) {
    const auto value = integerField(fields[i + 1]);
    if (!value) return std::nullopt;
    *targets[i] = *value;
  }
  return entry;
}

HistoryEntry historyEntryOf(const HistoryRecord& record) {
  HistoryEntry entry;
  static_cast<TotalSummary&>(entry) = record;
  entry.epochSeconds = record.epochSeconds;
  if (const auto moment = parseIsoMoment(record.time)) entry.offsetSeconds = moment->offsetSeconds;
  return entry;
}

std::optional<HistoryRecord> parseHistoryLine(std::string_view line) {
  const auto entry = parseHistoryEntry(line);
  if (!entry) return std::nullopt;
  HistoryRecord record;
  static_cast<TotalSummary&>(record) = *entry;
  record.epochSeconds = entry->epochSeconds;
  record.time = std::string(line.substr(0, line.find(',')));
  return record;
}

std::vector<HistoryRecord> parseHistory(std::string_view bytes) {
  if (bytes.substr(0, Bom.size()) == Bom) bytes.remove_prefix(Bom.size());
  std::vector<HistoryRecord> records;
  // A last line without its line end may have been cut short by a crash.
  for (size_t end; (end = bytes.find('\n')) != std::string_view::npos; bytes.remove_prefix(end + 1)) {
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (auto record = parseHistoryLine(line)) records.push_back(std::move(*record));
  }
  return records;
}

HistoryReadResult readHistory(const std::string& path) {
  std::string bytes;
  std::string cause;
  switch (readRegularFile(path, bytes, cause)) {
    case FileRead::Missing: return {};
    case FileRead::Failed: return {{}, false, cause};
    case FileRead::Read: break;
  }
  return {parseHistory(bytes), true, {}};
}

HistoryEntriesResult readHistoryEntries(const std::string& path, size_t most) {
  HistoryEntriesResult result;
  if (most == 0) most = 1;
  // The kept records as a ring once it is full: the next record overwrites
  // the oldest, so memory stays at `most` records however long the file is.
  std::vector<HistoryEntry>& ring = result.entries;
  size_t oldest = 0;
  auto keep = [&](std::string_view line) {
    const auto entry = parseHistoryEntry(line);
    if (!entry) return;
    if (ring.size() < most) {
      ring.push_back(*entry);
      return;
    }
    result.totalBefore = ring[oldest].total;
    ring[oldest] = *entry;
    oldest = (oldest + 1) % most;
    ++result.leftOut;
  };
  std::string cause;
  switch (readCompleteLines(path, keep, cause)) {
    case FileRead::Missing: return {};
    case FileRead::Failed: return {{}, 0, std::nullopt, false, cause};
    case FileRead::Read: break;
  }
  std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(oldest), ring.end());
  return result;
}

namespace {

// The last complete record of the file, from its tail: the tail's lines after
// its first line end (the bytes before may be the end of a longer line),
// unless the tail is the whole file. A window of the tail that holds no
// complete record grows fourfold until it does or covers the file.
bool lastRecordOf(AppendFile& file, std::optional<HistoryRecord>& last) {
  for (size_t window = 4096;; window *= 4) {
    std::string tail;
    if (!file.readTail(window, tail)) return false;
    const bool whole = static_cast<int64_t>(tail.size()) >= file.size();
    std::string_view lines = tail;
    if (!whole) {
      const size_t end = lines.find('\n');
      lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    }
    std::vector<HistoryRecord> records = parseHistory(lines);
    if (!records.empty()) last = std::move(records.back());
    if (last || whole) return true;
  }
}

}  // namespace

HistoryAppendResult appendHistoryRecord(const std::string& path, const HistoryRecord& record, HistoryAppend when) {
  AppendFile file(path);
  if (!file.isOpen()) return {false, file.cause()};
  if (when == HistoryAppend::WhenChanged) {
    std::optional<HistoryRecord> last;
    if (!lastRecordOf(file, last)) return {false, file.cause()};
    if (last && static_cast<const TotalSummary&>(*last) == record) return {};
  }
  if (!appendRecordLines(file, HistoryHeader, historyLine(record))) return {false, file.cause()};
  return {true, {}, true};
}

}  // namespace nk
