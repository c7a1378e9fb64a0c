// history_append_bench.cpp - a save's history step (the comparison with the
// last record and the append) on histories of 1 MB, 100 MB and 1 GB. The
// files are sparse below their last records: what the step reads of them is
// what it costs.
#include "data/total_history.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

HistoryRecord recordWithTotal(int64_t total) {
  HistoryRecord r;
  r.time = *parseIsoMoment("2026-12-07T20:41:05+09:00");
  r.total = total;
  r.levelSums = {total, 0, 0, 0};
  r.entered = 1;
  return r;
}

// A history of the given size: the header, a hole, then a thousand records.
std::string makeHistory(int64_t bytes) {
  char pattern[] = "/tmp/nk-history-bench-XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  const std::string path = std::string(pattern) + "/ac13history.csv";
  std::string tail = "\r\n";
  for (int i = 0; i < 1000; ++i) tail += historyLine(recordWithTotal(1000 + i));
  {
    std::ofstream(path, std::ios::binary) << HistoryHeader << "\r\n";
  }
  fs::resize_file(path, static_cast<uintmax_t>(bytes) - tail.size());
  std::ofstream(path, std::ios::binary | std::ios::app) << tail;
  return path;
}

// Every round adds a record that differs from the last, so each one reads the
// tail, compares and appends; the file grows by a line a round.
void BM_SaveHistoryStep(benchmark::State& state) {
  const std::string path = makeHistory(state.range(0));
  int64_t total = 1'000'000;
  for (auto _ : state) {
    const AppendResult r = appendHistoryRecord(path, recordWithTotal(++total));
    if (!r.appended) state.SkipWithError(r.cause.c_str());
  }
  fs::remove_all(fs::path(path).parent_path());
  state.counters["MB"] = static_cast<double>(state.range(0)) / 1e6;
}
BENCHMARK(BM_SaveHistoryStep)->Arg(1'000'000)->Arg(100'000'000)->Arg(1'000'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

BENCHMARK_MAIN();
