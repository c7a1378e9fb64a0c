// today_bench.cpp - "今日の成果" on the largest sheet (10,922 targets on 8,191
// entries) over a log of 12 million improvements (long_log.h): the log's tail
// read back to the day, the progress worked out and the card painted, for the
// log's last day (argument 0) and for the day a year of evenings before it
// (argument 336). The log is written once into a fresh folder, removed at exit.
#include "largest_masters.h"
#include "long_log.h"
#include "qt_benchmark_main.h"
#include "ui/sheet_font.h"
#include "ui/today_card.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace nk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

const std::string& logFolder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/nk-today-bench-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    bench::writeLongImprovementLog(std::string(pattern) + "/ac13improvements.csv", bench::LongLogRecords, false);
    std::atexit([] { fs::remove_all(logFolder()); });
    return std::string(pattern);
  }();
  return folder;
}

// The date of an evening of the long log, as writeLongImprovementLog dates it.
year_month_day eveningDate(int64_t evening) {
  return year{static_cast<int>(2000 + evening / 336)} / month{static_cast<unsigned>(evening / 28 % 12 + 1)} /
         day{static_cast<unsigned>(evening % 28 + 1)};
}

void BM_TodayCard(benchmark::State& state) {
  ScoreSheetState s = bench::largestSheetState();
  s.VersionNumber = 13;
  const SheetScores saved = scoresOf(s);
  fs::current_path(logFolder());
  const int64_t lastEvening = (bench::LongLogRecords - 1) / 20;
  ProgressDay day = dayOf(eveningDate(lastEvening - state.range(0)));
  if (state.range(0) == 0) day.end = sys_seconds::max();  // the last day stands for today
  const QFont font = sheetFont();
  size_t charts = 0;
  for (auto _ : state) {
    const TodayProgress progress = loadTodayProgress(s, saved, day);
    const QImage card = paintTodayCard(todayCardText(progress, s.VersionNumber), font);
    charts = progress.improved.size();
    if (!progress.note.empty() || card.isNull()) state.SkipWithError("not read or not painted");
    benchmark::DoNotOptimize(card.constBits());
  }
  state.counters["charts"] = static_cast<double>(charts);
}
BENCHMARK(BM_TodayCard)->Arg(0)->Arg(336)->Unit(benchmark::kMillisecond);

// The card alone, encoded as the save writes it.
void BM_CardPng(benchmark::State& state) {
  ScoreSheetState s = bench::largestSheetState();
  s.VersionNumber = 13;
  fs::current_path(logFolder());
  const TodayProgress progress = loadTodayProgress(s, scoresOf(s), dayOf(eveningDate((bench::LongLogRecords - 1) / 20)));
  const QImage card = paintTodayCard(todayCardText(progress, s.VersionNumber), sheetFont());
  for (auto _ : state) benchmark::DoNotOptimize(todayCardPng(card));
}
BENCHMARK(BM_CardPng)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

int main(int argc, char** argv) {
  return nk::runQtBenchmarks(argc, argv, [] { benchmark::RunSpecifiedBenchmarks(); });
}
