// history_view.cpp - the history's records turned into the chart's span and
// the list's texts.
#include "sheet/history_view.h"

#include <algorithm>
#include <cstdio>

namespace nk {
namespace {

constexpr int64_t MsecsPerDay = 24 * 60 * 60 * 1000;
constexpr int64_t SecondsPerDay = 24 * 60 * 60;

// The civil date of a day counted from 1970-01-01 (proleptic Gregorian).
void civilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::string groupedDecimal(int64_t value) {
  // Through the unsigned magnitude, so the lowest 64-bit value is written too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return value < 0 ? "-" + grouped : grouped;
}

std::string signedGroupedDecimal(int64_t value) {
  if (value == 0) return "±0";
  return value > 0 ? "+" + groupedDecimal(value) : groupedDecimal(value);
}

std::string historyListTime(const HistoryEntry& entry) {
  const int64_t local = entry.epochSeconds + entry.offsetSeconds;
  const int64_t days = floorDiv(local, SecondsPerDay);
  const int64_t secondOfDay = local - days * SecondsPerDay;
  int64_t year = 0;
  int month = 0, day = 0;
  civilFromDays(days, year, month, day);
  char text[48];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02d %02d:%02d", static_cast<long long>(year), month, day,
                static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60));
  return text;
}

std::string historyLeftOutNote(uint64_t leftOut) {
  return "古い記録 " + groupedDecimal(static_cast<int64_t>(leftOut)) + " 件は表示していません。";
}

HistoryRow historyRowAt(const HistoryView& view, size_t row) {
  const std::vector<HistoryEntry>& records = *view.records;
  const size_t i = records.size() - 1 - row;
  const HistoryEntry& r = records[i];
  HistoryRow out;
  out.time = historyListTime(r);
  out.total = groupedDecimal(r.total);
  if (i > 0)
    out.change = signedGroupedDecimal(r.total - records[i - 1].total);
  else if (view.totalBefore)
    out.change = signedGroupedDecimal(r.total - *view.totalBefore);
  for (size_t l = 0; l < out.levelSums.size(); ++l) out.levelSums[l] = groupedDecimal(r.levelSums[l]);
  out.entered = groupedDecimal(r.entered);
  return out;
}

HistoryView historyViewOf(std::vector<HistoryEntry> entries, int64_t nowMsecs, uint64_t leftOut,
                          std::optional<int64_t> totalBefore) {
  HistoryView view;
  view.totalBefore = totalBefore;
  if (entries.empty()) {
    view.firstMsecs = nowMsecs - 7 * MsecsPerDay;
    view.lastMsecs = nowMsecs;
  } else {
    view.firstMsecs = view.lastMsecs = entries.front().epochSeconds * 1000;
    for (const HistoryEntry& e : entries) {
      view.highest = std::max(view.highest, e.total);
      view.firstMsecs = std::min(view.firstMsecs, e.epochSeconds * 1000);
      view.lastMsecs = std::max(view.lastMsecs, e.epochSeconds * 1000);
    }
    if (view.firstMsecs == view.lastMsecs) {
      view.firstMsecs -= MsecsPerDay / 2;
      view.lastMsecs += MsecsPerDay / 2;
    }
  }
  if (leftOut > 0)
    view.note = historyLeftOutNote(leftOut);
  else if (entries.size() < 2)
    view.note = HistorySparseNote;
  view.records = std::make_shared<const std::vector<HistoryEntry>>(std::move(entries));
  return view;
}

HistoryView historyViewOf(const std::vector<HistoryRecord>& records, int64_t nowMsecs) {
  std::vector<HistoryEntry> entries;
  entries.reserve(records.size());
  for (const HistoryRecord& r : records) entries.push_back(historyEntryOf(r));
  return historyViewOf(std::move(entries), nowMsecs);
}

HistoryView loadHistoryView(int16_t versionNumber, int64_t nowMsecs, size_t most) {
  const std::string fileName = historyFileNameFor(versionNumber);
  HistoryEntriesResult history = readHistoryEntries(fileName, most);
  HistoryView view = historyViewOf(std::move(history.entries), nowMsecs, history.leftOut, history.totalBefore);
  if (!history.ok) view.note = "ファイル " + fileName + " を読めません（" + history.cause + "）。";
  return view;
}

}  // namespace nk
