// last_changes_bench.cpp - what the sheet's opening reads of a log of
// improvements grown to 12 million records (about 500 MB, as a fault or a
// hand edit could leave it): the last change of every chart of the largest
// sheet, with the resident memory that it adds. The log is written once into
// a fresh folder, removed at exit.
#include "largest_masters.h"
#include "sheet/chart_changes.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace nk {
namespace {

namespace fs = std::filesystem;

constexpr int64_t LoggedImprovements = 12'000'000;

// A line "VmRSS:" or "VmHWM:" (the peak) of /proc/self/status, in MiB.
double statusMiB(const char* field) {
  double kib = 0;
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status))
      if (std::strncmp(line, field, std::strlen(field)) == 0) kib = std::atof(line + std::strlen(field));
    std::fclose(status);
  }
  return kib / 1024.0;
}

// The peak so far set back to what is resident now (Linux's clear_refs 5).
void resetPeak() {
  if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", refs);
    std::fclose(refs);
  }
}

// The log's folder for a log whose records change only 表 charts (onlyNormal)
// or both kinds: with 裏 charts never changed, the search never finds all of
// the sheet's charts and reads back as far as it may.
std::string logFolder(bool onlyNormal) {
  char pattern[] = "/tmp/nk-last-changes-bench-XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  const std::string folder = pattern;
  std::ofstream out(folder + "/ac13improvements.csv", std::ios::binary);
  out << "\xEF\xBB\xBF" << ImprovementHeader << "\r\n";
  std::string lines;
  char line[96];
  for (int64_t k = 0; k < LoggedImprovements; ++k) {
    // A save of twenty charts every evening, written as the program writes it.
    const int64_t evening = k / 20;
    const int day = static_cast<int>(evening % 28) + 1, month = static_cast<int>(evening / 28 % 12) + 1;
    const auto entry = static_cast<int>(k * 7919 % bench::MostEntriesAC13 + 1);
    const bool ura = !onlyNormal && k % 3 == 0;
    const int before = static_cast<int>(k % 90000) * 10;
    const int n = std::snprintf(line, sizeof line, "%04d-%02d-%02dT21:00:00+09:00,%d,%s,%d,%d\r\n",
                                static_cast<int>(2000 + evening / 336), month, day, entry, ura ? "裏" : "表",
                                before, before + 1230);
    lines.append(line, static_cast<size_t>(n));
    if (lines.size() > (1 << 20)) {
      out << lines;
      lines.clear();
    }
  }
  out << lines;
  if (!out) std::abort();
  return folder;
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
  resetPeak();
  const double before = statusMiB("VmRSS:");
  size_t found = 0;
  for (auto _ : state) {
    const LastChanges changes = lastChangesFor(s);
    found = 0;
    for (size_t e = 0; e < s.EntryScore.size(); ++e) found += (changes.of(e, false) != nullptr) + (changes.of(e, true) != nullptr);
    benchmark::DoNotOptimize(found);
  }
  state.counters["charts"] = static_cast<double>(found);
  state.counters["MB"] = static_cast<double>(fs::file_size(folder + "/ac13improvements.csv")) / 1e6;
  state.counters["extraMiB"] = statusMiB("VmHWM:") - before;
}
BENCHMARK(BM_LastChangesOfALongLog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

BENCHMARK_MAIN();
