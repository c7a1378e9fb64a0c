// masters_bench.cpp - the master-data kit's round trip (import, build, check)
// on the demo's folder and on the largest lists the readers take: 6,553
// songs, 8,191 entries for AC12 and AC13, 4,680 for AC14, 10,922 targets.
// Reports the folder's and the source's sizes as counters.
#include "largest_masters.h"
#include "masters/master_check.h"
#include "masters/masters_command.h"
#include "masters/server_folder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace nk {
namespace {

namespace fs = std::filesystem;

uintmax_t bytesBelow(const fs::path& dir) {
  uintmax_t total = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    if (entry.is_regular_file()) total += entry.file_size();
  return total;
}

int run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  return runMastersCommand(args, out, err);
}

// A server folder of the largest lists, for every version.
fs::path largestFolder(const fs::path& work) {
  const fs::path dir = work / "largest";
  ServerFiles files;
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    const bench::MasterBytes bytes = bench::largestMasters(versionCodeOf(KitVersionNumbers[v]));
    files.songMaster = bytes.songMaster;
    files.versionLists[v] = bytes.versionList;
    files.srLists[v] = bytes.srList;
    files.requiredVersion = bytes.requiredVersion;
  }
  replaceFolder(dir.string(), serverFileList(files));
  return dir;
}

void roundTrip(benchmark::State& state, const fs::path& served) {
  const fs::path work = fs::temp_directory_path() / ("nk-masters-bench-" + std::to_string(::getpid()));
  fs::create_directories(work);
  const fs::path folder = served.empty() ? largestFolder(work) : served;
  for (auto _ : state) {
    if (run({"import", folder.string(), (work / "src").string()}) != ExitDone ||
        run({"build", (work / "src").string(), (work / "out").string()}) != ExitDone ||
        run({"check", (work / "out").string(), folder.string()}) == ExitUsage) {
      state.SkipWithError("the round trip failed");
      break;
    }
  }
  // The largest lists hold targets on charts that do not exist: check tells
  // them (that it finds them is part of the work measured).
  state.counters["check_problems"] =
      static_cast<double>(checkServerFolder((work / "out").string(), std::nullopt).problems);
  state.counters["served_bytes"] = static_cast<double>(bytesBelow(folder));
  state.counters["source_bytes"] = static_cast<double>(bytesBelow(work / "src"));
  state.counters["built_bytes"] = static_cast<double>(bytesBelow(work / "out"));
  fs::remove_all(work);
}

void BM_RoundTripDemo(benchmark::State& state) { roundTrip(state, NK_DEMO_NK_DIR); }
void BM_RoundTripLargest(benchmark::State& state) { roundTrip(state, {}); }

BENCHMARK(BM_RoundTripDemo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundTripLargest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

BENCHMARK_MAIN();
