// readers_bench.cpp - the master list readers on the largest inputs that the
// 16-bit element counter allows, against the floor of merely reading and
// decoding the same files; and on half those inputs, to show the cost is linear.
#include "data/genre_order.h"
#include "data/required_version.h"
#include "data/score_file.h"
#include "data/song_master.h"
#include "data/sr_list.h"
#include "data/text_file.h"
#include "data/version_song_list.h"
#include "diag/debug_log.h"
#include "largest_masters.h"
#include "platform/cp932.h"
#include "toolkit/toolkit.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace nk {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// The four files of one version, largest (divisor 1) or half (divisor 2).
struct Inputs {
  fs::path dir;
  int16_t versionCode;
  ScoreSheetState prepared;  // what the load has before the readers run

  Inputs(int16_t code, int divisor) : versionCode(code) {
    char pattern[] = "/tmp/nk-bench-XXXXXX";
    dir = ::mkdtemp(pattern);
    const bench::MasterBytes bytes = bench::largestMasters(code, divisor);
    writeFile(dir / "songlist.dat", bytes.songMaster);
    writeFile(dir / "versionlist.dat", bytes.versionList);
    writeFile(dir / "srlist.dat", bytes.srList);
    writeFile(dir / bytes.scoreFileName, bytes.scoreFile);
    writeFile(dir / "version.dat", bytes.requiredVersion);
    prepared.VersionNumber = static_cast<int16_t>(code - 100);
    prepared.ScoreFileName = bytes.scoreFileName;
  }
  ~Inputs() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

// Runs a benchmark in the inputs' folder with a toolkit whose yield does
// nothing. The readers are handed the log switched on but absent
// ("./Debug.txt" does not exist, as for most players).
class Scope {
public:
  explicit Scope(const Inputs& in) : previous_(fs::current_path()), installed_(silent_) {
    fs::current_path(in.dir);
  }
  ~Scope() { fs::current_path(previous_); }

private:
  fs::path previous_;
  SilentToolkit silent_;
  ScopedToolkit installed_;
};

void BM_Readers(benchmark::State& state) {
  const Inputs in(static_cast<int16_t>(state.range(0)), static_cast<int>(state.range(1)));
  const Scope scope(in);
  const DebugLog log{"./Debug.txt"};
  for (auto _ : state) {
    ScoreSheetState s = in.prepared;
    benchmark::DoNotOptimize(CheckRequiredVersion(log));
    ReadSongMaster(log, s);
    ReadVersionSongList(log, s, in.versionCode);
    SortByGenre(log, s);
    ReadSRList(log, s);
    ReadScoreFile(log, s);
    benchmark::DoNotOptimize(s.EntryScore.data());
  }
}

// The floor: every byte of the same files read and decoded, nothing parsed.
void BM_ReadAndDecode(benchmark::State& state) {
  const Inputs in(static_cast<int16_t>(state.range(0)), static_cast<int>(state.range(1)));
  const Scope scope(in);
  const std::string files[] = {"./version.dat", "./songlist.dat", "./versionlist.dat", "./srlist.dat",
                               in.prepared.ScoreFileName};
  for (auto _ : state)
    for (const std::string& file : files) benchmark::DoNotOptimize(cp932ToUtf8(readFileBytes(file)));
}

// Arguments: VersionCode, divisor of the largest input (1 full, 2 half).
void versions(benchmark::internal::Benchmark* b) {
  b->ArgNames({"ver", "div"});
  for (int64_t code : {113, 114})
    for (int64_t divisor : {1, 2}) b->Args({code, divisor});
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Readers)->Apply(versions);
BENCHMARK(BM_ReadAndDecode)->Apply(versions);

}  // namespace
}  // namespace nk

BENCHMARK_MAIN();
