// archive_bench.cpp - carrying the player's data at its largest: two PCs'
// AC13 sheets of 8,191 entries, each with a log of 292,000 improvements (20
// charts an evening for forty years, half of the evenings shared) and a
// history of 14,600 saves. The zip written and read back, and the import's
// plan worked out against the other PC's files.
#include "archive/data_merge.h"
#include "archive/data_zip.h"
#include "data/improvement_log.h"
#include "data/score_history.h"

#include <benchmark/benchmark.h>

#include <random>

namespace nk {
namespace {

constexpr int Entries = 8191;
constexpr int Evenings = 14'600;

Moment evening(int n) { return {std::chrono::sys_seconds{std::chrono::hours{24} * (11'000 + n)}, std::chrono::hours{9}}; }

// One PC's files: every evening of its half of the forty years (and the shared half).
DataFiles pcData(unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> entry(1, Entries), score(500'000, 1'000'000);
  std::string log = std::string("\xEF\xBB\xBF") + ImprovementHeader + "\r\n";
  std::string history = std::string("\xEF\xBB\xBF") + HistoryHeader + "\r\n";
  std::mt19937 shared(1);
  for (int n = 0; n < Evenings; ++n) {
    std::mt19937& source = n % 2 == 0 ? shared : random;  // the even evenings on both PCs
    for (int c = 0; c < 20; ++c)
      log += improvementLine({evening(n), static_cast<int16_t>(entry(source)), c % 2 == 1, 0, score(source)});
    HistoryRecord record;
    record.time = evening(n);
    record.total = score(source) * 30;
    history += historyLine(record);
  }
  std::string scores;
  for (int e = 1; e <= Entries; ++e) scores += std::to_string(e) + "," + std::to_string(score(random)) + "," +
                                               std::to_string(score(random)) + "\r\n";
  return {evening(Evenings), {{"ac13score.csv", scores + "\r\n"}, {"ac13improvements.csv", log}, {"ac13history.csv", history}}};
}

const DataFiles& here() {
  static const DataFiles data = pcData(2);
  return data;
}
const std::string& zipped() {
  static const std::string zip = dataZipBytes(pcData(3));
  return zip;
}

void BM_ZipWritten(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(dataZipBytes(here()));
  state.counters["zip_MB"] = static_cast<double>(zipped().size()) / 1e6;
}
BENCHMARK(BM_ZipWritten)->Unit(benchmark::kMillisecond);

void BM_ZipRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(readDataZip(zipped()));
}
BENCHMARK(BM_ZipRead)->Unit(benchmark::kMillisecond);

void BM_ImportPlanned(benchmark::State& state) {
  const DataFiles imported = *readDataZip(zipped()).data;
  size_t changes = 0;
  for (auto _ : state) changes = planImport(imported, here()).changes.size();
  state.counters["charts_changed"] = static_cast<double>(changes);
}
BENCHMARK(BM_ImportPlanned)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

BENCHMARK_MAIN();
