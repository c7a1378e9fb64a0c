// last_changes_bench.cpp - what the sheet's opening reads of a log of
// improvements grown to 12 million records (long_log.h, as a fault or a hand
// edit could leave it): the last change of every chart of the largest sheet,
// with the resident memory that it adds; argument 1: a log of 表 charts only.
// The log is written once into a fresh folder, removed at exit.
#include "largest_masters.h"
#include "long_log.h"
#include "data/chart_changes.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace nk {
namespace {

namespace fs = std::filesystem;

// A fresh folder holding the long log.
std::string logFolder(bool onlyNormal) {
  char pattern[] = "/tmp/nk-last-changes-bench-XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  bench::writeLongImprovementLog(std::string(pattern) + "/ac13improvements.csv", bench::LongLogRecords, onlyNormal);
  return pattern;
}

void BM_LastChangesOfALongLog(benchmark::State& state) {
  const bool onlyNormal = state.range(0) != 0;
  static std::string folders[2];
  std::string& folder = folders[onlyNormal ? 1 : 0];
  if (folder.empty()) {
    folder = logFolder(onlyNormal);
    std::atexit([] {
      for (const std::string& f : folders)
        if (!f.empty()) fs::remove_all(f);
    });
  }
  ScoreSheetState s = bench::largestSheetState();
  s.VersionNumber = 13;
  fs::current_path(folder);
  bench::resetPeakMemory();
  const double before = bench::residentMiB();
  size_t found = 0;
  for (auto _ : state) {
    const LastChanges changes = lastChangesFor(s);
    found = 0;
    for (size_t e = 0; e < s.EntryScore.size(); ++e)
      found += (changes.of(e, Chart::Normal) != nullptr) + (changes.of(e, Chart::Ura) != nullptr);
    benchmark::DoNotOptimize(found);
  }
  state.counters["charts"] = static_cast<double>(found);
  state.counters["MB"] = static_cast<double>(fs::file_size(folder + "/ac13improvements.csv")) / 1e6;
  state.counters["extraMiB"] = bench::peakMiB() - before;
}
BENCHMARK(BM_LastChangesOfALongLog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

BENCHMARK_MAIN();
