// today_progress.h - "今日の成果": what one day's saves did to the sheet (the
// total at the day's start and end, the charts improved, the charts that began
// to count, each level's cut-off then and now) and every text that the window
// and the card show of it.
//
// A day is the span of instants [start, end). The sheet as it stood before the
// day's first save is the saved scores with every improvement at or after
// start undone, newest first, each giving back its old score; the sheet at the
// day's end is the same with every improvement at or after end undone. For
// today end is the greatest instant, so its end is the saved scores
// themselves. The log of improvements decides, since it holds each chart: the
// history of totals holds only sums. Scores typed and not yet saved are in no
// log and are left out; the figures are those of the score file. Records of
// entries the sheet does not have change nothing.
//
// The computation takes the log in memory and reads no clock and no file;
// loadTodayProgress reads the log's tail for it.
#pragma once

#include "data/improvement_log.h"
#include "data/moment.h"
#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "domain/ranking_rule.h"
#include "platform/file_replace.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* TodayWindowTitle = "今日の成果";
inline constexpr const char* NothingThatDay = "この日の更新はありません。";

struct ProgressDay {
  std::chrono::sys_seconds start{};
  std::chrono::sys_seconds end = std::chrono::sys_seconds::max();
  std::string date;  // "2026-11-02"
  bool today = false;
};
// Today on the clock of now: from its midnight (periodStart of "今日") on.
ProgressDay todayOf(const Moment& now);
// A past day on this machine's clock: from its midnight to the next one.
ProgressDay dayOf(std::chrono::year_month_day date);

// A chart whose score the day changed: its first old and its last new score.
struct ProgressChart {
  size_t entry = 0;  // index into the entries
  Chart chart = Chart::Normal;
  int32_t before = 0;
  int32_t after = 0;
  std::string title;   // "曲名", "曲名（裏）"
  std::string scores;  // "900,000 → 950,000"
  std::string change;  // "+50,000"
};

struct TodayProgress {
  ProgressDay day;
  int64_t startTotal = 0;
  int64_t endTotal = 0;
  // Best gain first; equal gains in the order of their first record.
  std::vector<ProgressChart> improved;
  // Target charts that count at the end and did not at the start, by level
  // and rank: "☆×９　曲名（裏）　900,000 → 950,000".
  std::vector<std::string> beganToCount;
  // Per level 7 .. 10: "☆×７　最低対象点 850,000点 → 870,000点（+20,000）".
  std::array<std::string, CountedLevels> cutOffs;
  std::string heading;     // "今日の成果", "2026-11-02 の成果"
  std::string totalLine;   // "総合得点 12,345,678点 → 12,400,000点（+54,322）"
  std::string startTotalText;  // "12,345,678点"
  std::string endTotalText;    // "12,400,000点"
  std::string difference;      // "+54,322"
  std::string note;  // why the log could not be read; empty when it could
};

// The day's progress of the sheet s with the saved scores, from the log of
// improvements in file order (records before the day may be in it).
TodayProgress todayProgress(const ScoreSheetState& s, const SheetScores& saved, const std::vector<Improvement>& log,
                            const ProgressDay& day);

// The records of the version's log from the first one, counted back from the
// end, that is older than `from`, in file order: a day's progress needs no
// more, and a long log costs only its tail. A log written under a clock set
// back keeps its older records out of reach: saves are appended in order.
RecentRecords<Improvement> readImprovementsSince(int16_t versionNumber, std::chrono::sys_seconds from);

// The log read and the progress computed for the day.
TodayProgress loadTodayProgress(const ScoreSheetState& s, const SheetScores& saved, const ProgressDay& day);

// The whole progress as lines ending in LF, for the window.
std::string todayProgressText(const TodayProgress& p);

// The picture's texts: a few best charts, and how many more there are.
inline constexpr size_t CardChartLines = 5;
struct TodayCardText {
  std::string heading;     // "今日の成果", "この日の成果"
  std::string versionDay;  // "AC13　2026-11-02"
  std::string caption;     // "総合得点"
  std::string total;       // "12,400,000点"
  std::string difference;  // "+54,322"
  std::string from;        // "12,345,678点から"
  std::vector<ProgressChart> charts;  // at most CardChartLines
  std::string more;     // "ほか 3譜面", empty when all are shown
  std::string counted;  // "対象に入った譜面 2", empty for none
  std::string nothing;  // NothingThatDay when nothing changed, else empty
  std::string passed;   // "ライバル たろう を抜きました", put in by the window; empty for none
};
TodayCardText todayCardText(const TodayProgress& p, int16_t versionNumber);

// "今日の成果_AC13_2026-11-02.png", offered when the picture is saved.
std::string todayCardFileName(const TodayProgress& p, int16_t versionNumber);

// Writes the picture's bytes to path, replacing an old file only once the new
// one is complete (file_replace.h); the failure text is ready for the player.
// No bytes (the picture could not be encoded) write nothing and fail.
FileWriteResult saveTodayCard(const std::string& path, std::string_view png);

}  // namespace nk
