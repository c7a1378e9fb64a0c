// archive_bench.cpp - carrying the player's data at its largest: two PCs'
// AC13 sheets of 8,191 entries, each with a log of 292,000 improvements (20
// charts an evening for forty years, half of the evenings shared) and a
// history of 14,600 saves. The zip written and read back, and the import's
// plan worked out against the other PC's files. Then the peak memory of an
// import's reading (the zip file read and checked, the plan worked out) at
// that size and for zips made to hurt: the peak resident size above what was
// resident before, in MB (Linux: VmHWM after clear_refs).
#include "archive/data_merge.h"
#include "archive/data_zip.h"
#include "archive/zip_reader.h"
#include "data/improvement_log.h"
#include "data/total_history.h"
#include "hostile_zip.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include <malloc.h>
#include <unistd.h>

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
      log += improvementLine({evening(n), static_cast<int16_t>(entry(source)), chartOf(c % 2 == 1), 0, score(source)});
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

// A field of /proc/self/status, in kB.
double statusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with(field + ":")) return std::stod(line.substr(field.size() + 1));
  return 0;
}

double peakMegabytesOf(const std::function<void()>& run) {
  ::malloc_trim(0);  // what was freed before goes back, so that what the run takes shows
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from now
  const double before = statusKilobytes("VmRSS");
  run();
  return (statusKilobytes("VmHWM") - before) / 1024;
}

// The zip files an import may be given, made once in a folder of their own.
std::string hostileZip(const std::string& name) {
  static const std::filesystem::path folder = [] {
    const auto dir = std::filesystem::temp_directory_path() / ("nk-archive-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
  }();
  const std::string path = (folder / name).string();
  if (std::filesystem::exists(path)) return path;
  const std::string manifest = std::string(ManifestHeader) + "\r\nwritten,2026-12-08T21:00:00+09:00\r\n";
  std::string bytes;
  if (name == "forty-years.zip") {
    bytes = zipped();
  } else if (name == "bomb-3MB.zip") {  // says 100 bytes, inflates to 3 GiB
    test::RawEntry bomb = test::honestEntry("ac13improvements.csv", "x");
    bomb.data = test::deflatedZeros(uint64_t{3} << 30);
    bomb.size = 100;
    bytes = test::rawZip({test::honestEntry(ManifestName, manifest), bomb});
  } else if (name == "honest-64MiB.zip") {  // really holds 64 MiB, the bound of one file
    test::RawEntry full = test::honestEntry("ac13improvements.csv", "x");
    full.data = test::deflatedZeros(LargestZippedFile);
    full.size = LargestZippedFile;
    full.crc = 0;  // refused after inflating: the worst that a file within the bound costs
    bytes = test::rawZip({test::honestEntry(ManifestName, manifest), full});
  } else if (name == "65534-entries.zip") {  // as many as a zip without zip64 can say
    bytes = test::rawZip(std::vector<test::RawEntry>(65'534, test::honestEntry("a", "a")));
  }
  std::ofstream(path, std::ios::binary) << bytes;
  if (name == "3GiB-no-zip.zip") std::filesystem::resize_file(path, uint64_t{3} << 30);
  return path;
}

void BM_ImportPeakMemory(benchmark::State& state, const std::string& name) {
  const std::string path = hostileZip(name);
  std::string failure;
  double peak = 0;
  for (auto _ : state) peak = std::max(peak, peakMegabytesOf([&] {
    const ReadDataZip read = readDataZipFile(path);
    failure = read.failure;
    if (read.data) benchmark::DoNotOptimize(planImport(*read.data, here()));
  }));
  state.counters["peak_MB"] = peak;
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.SetLabel(failure.empty() ? "read" : failure);
}
BENCHMARK_CAPTURE(BM_ImportPeakMemory, forty_years, std::string("forty-years.zip"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ImportPeakMemory, bomb_3MB, std::string("bomb-3MB.zip"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ImportPeakMemory, honest_64MiB, std::string("honest-64MiB.zip"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ImportPeakMemory, entries_65534, std::string("65534-entries.zip"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ImportPeakMemory, no_zip_3GiB, std::string("3GiB-no-zip.zip"))->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace nk

BENCHMARK_MAIN();
