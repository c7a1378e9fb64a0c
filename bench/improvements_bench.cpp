// improvements_bench.cpp - the log of improvements at 100,000 records on the
// largest sheet (8,191 entries): reading it, the sheet's last changes read
// from its end, the list of a period, the tab "更新履歴" shown with all of it, and a
// save's append of one record, which never reads the log.
#include "largest_masters.h"
#include "qt_benchmark_main.h"
#include "total/breakdown_text.h"
#include "data/chart_changes.h"
#include "ui/improvements_tab.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

constexpr int LoggedImprovements = 100'000;

// A log of a player who saved twenty charts an evening for 5,000 evenings,
// in a fresh folder that is removed at exit.
const std::string& logPath() {
  static const std::string path = [] {
    char pattern[] = "/tmp/nk-improvements-bench-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    const std::string p = std::string(pattern) + "/ac13improvements.csv";
    std::vector<Improvement> evening;
    for (int i = 0; i < LoggedImprovements; i += 20) {
      evening.clear();
      const Moment moment = localMoment(std::chrono::sys_seconds{std::chrono::seconds{1'600'000'000 + int64_t{i} * 4320}});
      for (int k = i; k < i + 20; ++k) {
        const auto entry = static_cast<int16_t>(k * 7919 % bench::MostEntriesAC13 + 1);
        evening.push_back({moment, entry, chartOf(k % 3 == 0), 900000 + k % 50000, 900000 + k % 50000 + 1234});
      }
      if (!appendImprovements(p, evening).ok) std::abort();
    }
    std::atexit([] { fs::remove_all(fs::path(logPath()).parent_path()); });
    return p;
  }();
  return path;
}

void BM_ReadLog(benchmark::State& state) {
  const std::string& path = logPath();
  for (auto _ : state) {
    RecentRecords<Improvement> read = readRecentImprovements(path);
    if (read.records.size() != LoggedImprovements) state.SkipWithError("records lost");
    benchmark::DoNotOptimize(read);
  }
  state.counters["MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
}
BENCHMARK(BM_ReadLog)->Unit(benchmark::kMillisecond);

// What the sheet reads of the log at the end of its load.
void BM_SheetsLastChanges(benchmark::State& state) {
  ScoreSheetState s = bench::largestSheetState();
  s.VersionNumber = 13;
  fs::current_path(fs::path(logPath()).parent_path());
  for (auto _ : state) benchmark::DoNotOptimize(lastChangesFor(s));
}
BENCHMARK(BM_SheetsLastChanges)->Unit(benchmark::kMillisecond);

// The list of a period ("すべて") and the texts of a screenful of its rows.
void BM_PeriodList(benchmark::State& state) {
  auto log = std::make_shared<const std::vector<Improvement>>(readRecentImprovements(logPath()).records);
  const ScoreSheetState& s = bench::largestSheetState();
  const auto positions = displayPositions(s);
  for (auto _ : state) {
    ImprovementList list = improvementsSince(log, std::chrono::sys_seconds{});
    benchmark::DoNotOptimize(list);
    for (int r = 0; r < 40; ++r) benchmark::DoNotOptimize(improvementRowAt(s, positions, (*log)[list.rows[r]]));
  }
}
BENCHMARK(BM_PeriodList)->Unit(benchmark::kMillisecond);

// The tab read and shown with the period "すべて", painted.
void BM_TabShown(benchmark::State& state) {
  ScoreSheetState s = bench::largestSheetState();
  s.VersionNumber = 13;
  fs::current_path(fs::path(logPath()).parent_path());
  for (auto _ : state) {
    ImprovementsTab tab(s, nullptr);
    tab.resize(760, 600);
    tab.reload();
    tab.show();
    tab.repaint();
    if (tab.list()->model()->rowCount() != LoggedImprovements) state.SkipWithError("rows lost");
  }
}
BENCHMARK(BM_TabShown)->Unit(benchmark::kMillisecond);

// A save that changed one chart: its record appended to the long log.
void BM_SaveAppendsOne(benchmark::State& state) {
  const std::string copy = logPath() + ".copy";
  fs::copy_file(logPath(), copy, fs::copy_options::overwrite_existing);
  int32_t score = 0;
  for (auto _ : state) {
    const Improvement one{*parseIsoMoment("2030-03-17T17:46:40+09:00"), 17, Chart::Normal, score, score + 1};
    ++score;
    if (!appendImprovements(copy, {one}).appended) state.SkipWithError("not written");
  }
  fs::remove(copy);
}
BENCHMARK(BM_SaveAppendsOne)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

int main(int argc, char** argv) {
  return nk::runQtBenchmarks(argc, argv, [] { benchmark::RunSpecifiedBenchmarks(); });
}
