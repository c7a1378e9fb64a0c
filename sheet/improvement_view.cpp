// improvement_view.cpp - the improvements of a period and their rows.
#include "sheet/improvement_view.h"

#include "data/numeric.h"
#include "platform/local_time.h"
#include "sheet/chart_changes.h"
#include "sheet/history_view.h"
#include "sheet/page_view.h"

#include <limits>
#include <set>

namespace nk {

const char* periodName(ImprovementPeriod period) {
  switch (period) {
    case ImprovementPeriod::Today: return "今日";
    case ImprovementPeriod::Week: return "7日間";
    case ImprovementPeriod::Month: return "30日間";
    case ImprovementPeriod::All: break;
  }
  return "すべて";
}

int64_t periodStart(ImprovementPeriod period, std::time_t now) {
  int64_t daysBefore = 0;
  switch (period) {
    case ImprovementPeriod::Today: daysBefore = 0; break;
    case ImprovementPeriod::Week: daysBefore = 6; break;
    case ImprovementPeriod::Month: daysBefore = 29; break;
    case ImprovementPeriod::All: return std::numeric_limits<int64_t>::min();
  }
  const std::tm local = localTime(now);
  const int64_t startOfToday = static_cast<int64_t>(now) - (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
  return startOfToday - daysBefore * 86400;
}

const char* improvementColumnName(int column) {
  static const char* const names[] = {"日時", "曲名", "譜面", "難易度", "点数", "変化"};
  return column >= 0 && column < ImprovementColumns ? names[column] : "";
}

ImprovementLog loadImprovementLog(int16_t versionNumber, size_t most) {
  const std::string fileName = improvementFileNameFor(versionNumber);
  ImprovementReadResult read = readImprovements(fileName, most);
  ImprovementLog log;
  log.records = std::make_shared<const std::vector<Improvement>>(std::move(read.improvements));
  if (!read.ok)
    log.note = "ファイル " + fileName + " を読めません（" + read.cause + "）。";
  else if (read.leftOut > 0)
    log.note = historyLeftOutNote(read.leftOut);
  return log;
}

ImprovementList improvementsSince(std::shared_ptr<const std::vector<Improvement>> log, int64_t from) {
  ImprovementList list;
  std::set<std::pair<int16_t, bool>> charts;
  for (size_t i = log->size(); i-- > 0;) {
    const Improvement& record = (*log)[i];
    if (record.epochSeconds < from) continue;
    list.rows.push_back(static_cast<uint32_t>(i));
    charts.insert({record.entryNo, record.ura});
    list.points += static_cast<int64_t>(record.after) - record.before;
  }
  list.charts = charts.size();
  list.summary = "更新した譜面 " + groupedDecimal(static_cast<int64_t>(list.charts)) + "　点数の増減 " +
                 signedGroupedDecimal(list.points);
  list.log = std::move(log);
  return list;
}

ImprovementRow improvementRowAt(const ScoreSheetState& s, const std::vector<int16_t>& positions,
                                const Improvement& record) {
  ImprovementRow row;
  HistoryEntry moment;
  moment.epochSeconds = record.epochSeconds;
  moment.offsetSeconds = record.offsetSeconds;
  row.time = historyListTime(moment);
  row.ura = record.ura;
  row.chart = record.ura ? UraChartMark : NormalChartMark;
  row.scores = groupedDecimal(record.before) + " → " + groupedDecimal(record.after);
  row.change = signedGroupedDecimal(static_cast<int64_t>(record.after) - record.before);
  const auto e = static_cast<size_t>(record.entryNo - 1);
  if (e >= s.EntrySongNo.size()) {
    row.title = "曲番号 " + decimalText(record.entryNo);
    return row;
  }
  const RowView entry = entryView(s, e);
  row.title = entry.title;
  row.level = (record.ura ? entry.ura : entry.normal).level;
  row.displayPosition = e < positions.size() ? positions[e] : -1;
  return row;
}

}  // namespace nk
