// total_history.cpp - the history file's records: their lines, and the
// history's use of the appended log.
#include "data/total_history.h"

namespace nk {
namespace {

constexpr size_t HistoryFields = 7;

}  // namespace

std::string historyLine(const HistoryRecord& record) {
  std::string line = isoText(record.time);
  for (int64_t n : {record.total, record.levelSums[0], record.levelSums[1], record.levelSums[2],
                    record.levelSums[3], record.entered}) {
    line += ',';
    line += std::to_string(n);
  }
  return line + "\r\n";
}

std::optional<HistoryRecord> parseHistoryLine(std::string_view line) {
  std::string_view fields[HistoryFields];
  if (!splitFields(line, fields)) return std::nullopt;
  const auto moment = parseIsoMoment(fields[0]);
  if (!moment) return std::nullopt;
  HistoryRecord record;
  record.time = *moment;
  int64_t* targets[] = {&record.total, &record.levelSums[0], &record.levelSums[1], &record.levelSums[2],
                        &record.levelSums[3], &record.entered};
  for (size_t i = 0; i < 6; ++i) {
    const auto value = integerField(fields[i + 1]);
    if (!value) return std::nullopt;
    *targets[i] = *value;
  }
  return record;
}

RecentRecords<HistoryRecord> readRecentHistory(const std::string& path, size_t most) {
  return readRecentRecords<HistoryRecord>(path, most, parseHistoryLine);
}

AppendResult appendHistoryRecord(const std::string& path, const HistoryRecord& record) {
  return appendRecords(path, HistoryFormat, historyLine(record), [&record](std::string_view line) -> std::optional<bool> {
    const auto last = parseHistoryLine(line);
    if (!last) return std::nullopt;
    return static_cast<const TotalSummary&>(*last) != record;
  });
}

}  // namespace nk
