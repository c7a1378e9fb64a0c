// history_view.cpp - the history's records turned into the chart's span and
// the list's texts.
#include "history/history_view.h"

#include <algorithm>

namespace nk {
namespace {

constexpr int64_t MsecsPerDay = 24 * 60 * 60 * 1000;

int64_t msecsOf(const HistoryRecord& r) { return r.time.utc.time_since_epoch().count() * 1000; }

}  // namespace

HistoryRow historyRowAt(const HistoryView& view, size_t row) {
  const std::vector<HistoryRecord>& records = *view.records;
  const size_t i = records.size() - 1 - row;
  const HistoryRecord& r = records[i];
  HistoryRow out;
  out.time = minuteText(r.time);
  out.total = groupedDecimal(r.total);
  if (i > 0)
    out.change = signedGroupedDecimal(r.total - records[i - 1].total);
  else if (view.totalBefore)
    out.change = signedGroupedDecimal(r.total - *view.totalBefore);
  for (size_t l = 0; l < out.levelSums.size(); ++l) out.levelSums[l] = groupedDecimal(r.levelSums[l]);
  out.entered = groupedDecimal(r.entered);
  return out;
}

HistoryView historyViewOf(std::vector<HistoryRecord> records, int64_t nowMsecs, uint64_t leftOut,
                          std::optional<int64_t> totalBefore) {
  HistoryView view;
  view.totalBefore = totalBefore;
  if (records.empty()) {
    view.firstMsecs = nowMsecs - 7 * MsecsPerDay;
    view.lastMsecs = nowMsecs;
  } else {
    view.firstMsecs = view.lastMsecs = msecsOf(records.front());
    for (const HistoryRecord& r : records) {
      for (const int64_t value : r.levelSums) {
        view.highest = std::max(view.highest, value);
        view.lowest = std::min(view.lowest, value);
      }
      view.highest = std::max(view.highest, r.total);
      view.lowest = std::min(view.lowest, r.total);
      view.firstMsecs = std::min(view.firstMsecs, msecsOf(r));
      view.lastMsecs = std::max(view.lastMsecs, msecsOf(r));
    }
    if (view.firstMsecs == view.lastMsecs) {
      view.firstMsecs -= MsecsPerDay / 2;
      view.lastMsecs += MsecsPerDay / 2;
    }
  }
  if (leftOut > 0)
    view.note = leftOutNote(leftOut);
  else if (records.size() < 2)
    view.note = HistorySparseNote;
  view.records = std::make_shared<const std::vector<HistoryRecord>>(std::move(records));
  return view;
}

HistoryView loadHistoryView(int16_t versionNumber, int64_t nowMsecs, size_t most) {
  const std::string fileName = logFileName(HistoryFormat, versionNumber);
  RecentRecords<HistoryRecord> history = readRecentHistory(fileName, most);
  const std::optional<int64_t> totalBefore =
      history.lastLeftOut ? std::optional<int64_t>(history.lastLeftOut->total) : std::nullopt;
  HistoryView view = historyViewOf(std::move(history.records), nowMsecs, history.leftOut, totalBefore);
  if (!history.ok) view.note = unreadableNote(fileName, history.cause);
  return view;
}

}  // namespace nk
