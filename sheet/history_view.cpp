// history_view.cpp - the history's records turned into the chart's points
// and the list's texts.
#include "sheet/history_view.h"

#include <algorithm>

namespace nk {
namespace {

constexpr int64_t MsecsPerDay = 24 * 60 * 60 * 1000;

// "2026-12-07T20:41:05+09:00" -> "2026-12-07 20:41"
std::string listTime(const std::string& iso) { return iso.substr(0, 10) + " " + iso.substr(11, 5); }

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

HistoryView historyViewOf(const std::vector<HistoryRecord>& records, int64_t nowMsecs) {
  HistoryView view;
  view.points.reserve(records.size());
  view.rows.reserve(records.size());
  for (const HistoryRecord& r : records) {
    view.points.push_back({r.epochSeconds * 1000, r.total, r.levelSums});
    view.highest = std::max(view.highest, r.total);
  }
  for (size_t i = records.size(); i-- > 0;) {
    const HistoryRecord& r = records[i];
    HistoryRow row;
    row.time = listTime(r.time);
    row.total = groupedDecimal(r.total);
    if (i > 0) row.change = signedGroupedDecimal(r.total - records[i - 1].total);
    for (size_t l = 0; l < row.levelSums.size(); ++l) row.levelSums[l] = groupedDecimal(r.levelSums[l]);
    row.entered = groupedDecimal(r.entered);
    view.rows.push_back(std::move(row));
  }
  if (view.points.empty()) {
    view.firstMsecs = nowMsecs - 7 * MsecsPerDay;
    view.lastMsecs = nowMsecs;
  } else {
    view.firstMsecs = view.lastMsecs = view.points.front().msecs;
    for (const HistoryPoint& p : view.points) {
      view.firstMsecs = std::min(view.firstMsecs, p.msecs);
      view.lastMsecs = std::max(view.lastMsecs, p.msecs);
    }
    if (view.firstMsecs == view.lastMsecs) {
      view.firstMsecs -= MsecsPerDay / 2;
      view.lastMsecs += MsecsPerDay / 2;
    }
  }
  if (records.size() < 2) view.note = HistorySparseNote;
  return view;
}

HistoryView loadHistoryView(int16_t versionNumber, int64_t nowMsecs) {
  const std::string fileName = historyFileNameFor(versionNumber);
  const HistoryReadResult history = readHistory(fileName);
  HistoryView view = historyViewOf(history.records, nowMsecs);
  if (!history.ok) view.note = "ファイル " + fileName + " を読めません（" + history.cause + "）。";
  return view;
}

}  // namespace nk
