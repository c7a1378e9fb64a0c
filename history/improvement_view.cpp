// improvement_view.cpp - the improvements of a period and their rows.
#include "history/improvement_view.h"

#include "data/display_text.h"
#include "data/numeric.h"
#include "data/page_view.h"

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

std::chrono::sys_seconds periodStart(ImprovementPeriod period, const Moment& now) {
  using namespace std::chrono;
  int daysBefore = 0;
  switch (period) {
    case ImprovementPeriod::Today: daysBefore = 0; break;
    case ImprovementPeriod::Week: daysBefore = 6; break;
    case ImprovementPeriod::Month: daysBefore = 29; break;
    case ImprovementPeriod::All: return sys_seconds::min();
  }
  const local_seconds local = now.local();
  const seconds intoToday = local - floor<days>(local);
  return now.utc - intoToday - days{daysBefore};
}

const char* improvementColumnName(int column) {
  static const char* const names[] = {"日時", "曲名", "譜面", "難易度", "点数", "変化"};
  return column >= 0 && column < ImprovementColumns ? names[column] : "";
}

ImprovementLog loadImprovementLog(int16_t versionNumber, size_t most) {
  const std::string fileName = logFileName(ImprovementFormat, versionNumber);
  RecentRecords<Improvement> read = readRecentImprovements(fileName, most);
  ImprovementLog log;
  log.records = std::make_shared<const std::vector<Improvement>>(std::move(read.records));
  if (!read.ok)
    log.note = unreadableNote(fileName, read.cause);
  else if (read.leftOut > 0)
    log.note = leftOutNote(read.leftOut);
  return log;
}

ImprovementList improvementsSince(std::shared_ptr<const std::vector<Improvement>> log, std::chrono::sys_seconds from) {
  ImprovementList list;
  std::set<std::pair<int16_t, Chart>> charts;
  for (size_t i = log->size(); i-- > 0;) {
    const Improvement& record = (*log)[i];
    if (record.time.utc < from) continue;
    list.rows.push_back(static_cast<uint32_t>(i));
    charts.insert({record.entryNo, record.chart});
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
  row.time = minuteText(record.time);
  row.kind = record.chart;
  row.chart = chartMark(row.kind);
  row.scores = groupedDecimal(record.before) + " → " + groupedDecimal(record.after);
  row.change = signedGroupedDecimal(static_cast<int64_t>(record.after) - record.before);
  const auto e = static_cast<size_t>(record.entryNo - 1);
  if (e >= s.EntrySongNo.size()) {
    row.title = "曲番号 " + decimalText(record.entryNo);
    return row;
  }
  const RowView entry = entryView(s, e);
  row.title = entry.title;
  row.level = (row.kind == Chart::Ura ? entry.ura : entry.normal).level;
  row.displayPosition = e < positions.size() ? positions[e] : -1;
  return row;
}

}  // namespace nk
