// today_progress.cpp - one day's saves undone and compared, and their texts.
#include "history/today_progress.h"

#include "data/display_text.h"
#include "data/numeric.h"
#include "data/sheet_catalogue.h"
#include "domain/arcade_version.h"
#include "total/breakdown_text.h"
#include "history/improvement_view.h"
#include "total/total_breakdown.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace nk {
namespace {

using std::chrono::sys_seconds;


std::string chartTitle(const ScoreSheetState& s, size_t entry, Chart chart) {
  return entryTitle(s, entry) + (chart == Chart::Ura ? "（裏）" : "");
}

// The entry index of a record's chart, or false when the sheet has no such entry.
bool entryOf(const ScoreSheetState& s, const Improvement& r, size_t& entry) {
  if (r.entryNo < 1 || static_cast<size_t>(r.entryNo) > s.EntryScore.size()) return false;
  entry = static_cast<size_t>(r.entryNo - 1);
  return true;
}

// The sheet with the saved scores and every improvement at or after `from`
// undone, newest first.
ScoreSheetState sheetBefore(const ScoreSheetState& s, const SheetScores& saved, const std::vector<Improvement>& log,
                            sys_seconds from) {
  ScoreSheetState copy = s;
  copy.EntryScore = saved.normal;
  copy.EntryScoreU = saved.ura;
  for (size_t i = log.size(); i-- > 0;) {
    const Improvement& r = log[i];
    size_t e = 0;
    if (r.time.utc < from || !entryOf(copy, r, e)) continue;
    chartScore(copy, e, r.chart) = r.before;
  }
  return copy;
}

std::vector<ProgressChart> improvedCharts(const ScoreSheetState& s, const std::vector<Improvement>& log,
                                          const ProgressDay& day) {
  std::vector<ProgressChart> charts;
  std::map<std::pair<size_t, Chart>, size_t> seen;  // chart -> its place in charts
  for (const Improvement& r : log) {
    size_t e = 0;
    if (r.time.utc < day.start || r.time.utc >= day.end || !entryOf(s, r, e)) continue;
    const auto [at, first] = seen.try_emplace({e, r.chart}, charts.size());
    if (first) charts.push_back({e, r.chart, r.before, r.after, {}, {}, {}});
    charts[at->second].after = r.after;
  }
  std::erase_if(charts, [](const ProgressChart& c) { return c.before == c.after; });
  std::stable_sort(charts.begin(), charts.end(), [](const ProgressChart& a, const ProgressChart& b) {
    return int64_t{a.after} - a.before > int64_t{b.after} - b.before;
  });
  for (ProgressChart& c : charts) {
    c.title = chartTitle(s, c.entry, c.chart);
    c.scores = groupedDecimal(c.before) + " → " + groupedDecimal(c.after);
    c.change = signedGroupedDecimal(int64_t{c.after} - c.before);
  }
  return charts;
}

std::vector<std::string> beganToCount(const ScoreSheetState& s, const TotalBreakdown& start,
                                      const TotalBreakdown& end) {
  std::set<size_t> counted;
  for (const LevelBreakdown& level : start.levels)
    for (const ChartStanding& c : level.charts)
      if (c.counts) counted.insert(c.target);
  std::vector<std::string> lines;
  for (const LevelBreakdown& level : end.levels)
    for (const ChartStanding& c : level.charts) {
      if (!c.counts || counted.count(c.target)) continue;
      lines.push_back(levelName(level.level) + "　" + chartTitle(s, targetEntry(s, c.target), targetChart(s, c.target)) + "　" +
                      groupedDecimal(start.targetScores.at(c.target)) + " → " + groupedDecimal(c.score));
    }
  return lines;
}

std::string cutOffLine(const LevelBreakdown& then, const LevelBreakdown& now) {
  std::string line = levelName(now.level) + "　最低対象点 " + cutOffText(then) + " → " + cutOffText(now);
  if (then.cutOffScore && now.cutOffScore)
    line += "（" + signedGroupedDecimal(int64_t{*now.cutOffScore} - *then.cutOffScore) + "）";
  return line;
}

}  // namespace

ProgressDay todayOf(const Moment& now) {
  ProgressDay day;
  day.start = periodStart(ImprovementPeriod::Today, now);
  day.date = dateText(now);
  day.today = true;
  return day;
}

ProgressDay dayOf(std::chrono::year_month_day date) {
  using namespace std::chrono;
  // Midnight on this machine's clock: the offset of the zone then, looked up
  // twice so that a change of offset that day (summer time) is met.
  const auto midnight = [](sys_days local) {
    sys_seconds guess = local - localMoment(local).offset;
    return sys_seconds{local} - localMoment(guess).offset;
  };
  ProgressDay day;
  day.start = midnight(sys_days{date});
  day.end = midnight(sys_days{date} + days{1});
  day.date = dateText(localMoment(day.start));
  return day;
}

TodayProgress todayProgress(const ScoreSheetState& s, const SheetScores& saved, const std::vector<Improvement>& log,
                            const ProgressDay& day) {
  TodayProgress p;
  p.day = day;
  const TotalBreakdown start = computeTotalBreakdown(sheetBefore(s, saved, log, day.start));
  const TotalBreakdown end = computeTotalBreakdown(sheetBefore(s, saved, log, day.end));
  p.startTotal = start.total;
  p.endTotal = end.total;
  p.improved = improvedCharts(s, log, day);
  p.beganToCount = beganToCount(s, start, end);
  for (size_t l = 0; l < CountedLevels; ++l) p.cutOffs[l] = cutOffLine(start.levels[l], end.levels[l]);
  p.heading = day.today ? TodayWindowTitle : day.date + " の成果";
  p.startTotalText = pointsText(p.startTotal);
  p.endTotalText = pointsText(p.endTotal);
  p.difference = signedGroupedDecimal(p.endTotal - p.startTotal);
  p.totalLine = "総合得点 " + p.startTotalText + " → " + p.endTotalText + "（" + p.difference + "）";
  return p;
}

RecentRecords<Improvement> readImprovementsSince(int16_t versionNumber, sys_seconds from) {
  RecentRecords<Improvement> read;
  const std::string path = logFileName(ImprovementFormat, versionNumber);
  const FileRead outcome = readNewestImprovements(
      path, UINT64_MAX,
      [&](const Improvement& r) {
        if (r.time.utc < from) return false;
        if (read.records.size() == MostImprovements) {
          read.leftOut = 1;
          return false;
        }
        read.records.push_back(r);
        return true;
      },
      read.cause);
  if (outcome == FileRead::Failed) {
    RecentRecords<Improvement> failed;
    failed.ok = false;
    failed.cause = unreadableNote(path, read.cause);
    return failed;
  }
  std::reverse(read.records.begin(), read.records.end());
  return read;
}

TodayProgress loadTodayProgress(const ScoreSheetState& s, const SheetScores& saved, const ProgressDay& day) {
  const RecentRecords<Improvement> read = readImprovementsSince(s.VersionNumber, day.start);
  TodayProgress p = todayProgress(s, saved, read.records, day);
  if (!read.ok)
    p.note = read.cause;
  else if (read.leftOut > 0)
    p.note = "この日より後の更新が多すぎるため、古い更新は数えていません。";
  return p;
}

std::string todayProgressText(const TodayProgress& p) {
  std::string text = (p.day.today ? p.heading + "（" + p.day.date + "）" : p.heading) + "\n" + p.totalLine + "\n\n";
  if (p.improved.empty()) {
    text += std::string(NothingThatDay) + "\n";
  } else {
    text += "更新した譜面 " + groupedDecimal(static_cast<int64_t>(p.improved.size())) + "\n";
    for (const ProgressChart& c : p.improved) text += c.title + "　" + c.scores + "　" + c.change + "\n";
  }
  if (!p.beganToCount.empty()) {
    text += "\n対象に入った譜面 " + groupedDecimal(static_cast<int64_t>(p.beganToCount.size())) + "\n";
    for (const std::string& line : p.beganToCount) text += line + "\n";
  }
  text += "\n";
  for (const std::string& line : p.cutOffs) text += line + "\n";
  if (!p.note.empty()) text += "\n" + p.note + "\n";
  return text;
}

TodayCardText todayCardText(const TodayProgress& p, int16_t versionNumber) {
  TodayCardText card;
  card.heading = p.day.today ? TodayWindowTitle : "この日の成果";
  card.versionDay = versionLabel(versionNumber) + "　" + p.day.date;
  card.caption = "総合得点";
  card.total = p.endTotalText;
  card.difference = p.difference;
  card.from = p.startTotalText + "から";
  const size_t shown = std::min(p.improved.size(), CardChartLines);
  card.charts.assign(p.improved.begin(), p.improved.begin() + static_cast<std::ptrdiff_t>(shown));
  if (p.improved.size() > shown)
    card.more = "ほか " + groupedDecimal(static_cast<int64_t>(p.improved.size() - shown)) + "譜面";
  if (!p.beganToCount.empty())
    card.counted = "対象に入った譜面 " + groupedDecimal(static_cast<int64_t>(p.beganToCount.size()));
  if (p.improved.empty()) card.nothing = NothingThatDay;
  return card;
}

std::string todayCardFileName(const TodayProgress& p, int16_t versionNumber) {
  return std::string(TodayWindowTitle) + "_" + versionLabel(versionNumber) + "_" + p.day.date + ".png";
}

FileWriteResult saveTodayCard(const std::string& path, std::string_view png) {
  if (png.empty()) return {false, "画像を作れませんでした。" + notSavedText("画像") + "。", true};
  FileWriteResult result = replaceFileContents(path, png);
  if (!result.ok)
    addNotSavedNote(result, "画像");
  return result;
}

}  // namespace nk
