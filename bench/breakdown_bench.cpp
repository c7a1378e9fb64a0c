// breakdown_bench.cpp - the total's breakdown at the most ranking targets:
// recomputing it, and the breakdown window's refresh (the computation, its
// lines and the four sorted tables' models; with the repaint when painted).
#include "largest_masters.h"
#include "qt_benchmark_main.h"
#include "sheet/total_breakdown.h"
#include "ui/breakdown_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <string>

namespace nk {
namespace {

// 10,922 targets on 8,191 entries: the first 2,731 entries are targets with
// both charts. Mostly levels 7 to 10, a few outside; scores in steps of 10,
// so that many are equal.
const ScoreSheetState& largestSheet() {
  static const ScoreSheetState sheet = [] {
    ScoreSheetState s;
    const int entries = bench::MostEntriesAC13;
    s.SongCount = static_cast<int16_t>(bench::MostSongs);
    for (int k = 0; k < bench::MostSongs; ++k) s.SongTitles.push_back("曲名" + std::to_string(k) + "のタイトル");
    s.EntryCount = static_cast<int16_t>(entries);
    for (int e = 0; e < entries; ++e) {
      s.EntrySongNo.push_back(static_cast<int16_t>(e % bench::MostSongs + 1));
      s.EntryDifficulty.push_back(static_cast<int16_t>(7 + e % 4));
      s.EntryDifficultyU.push_back(static_cast<int16_t>(7 + (e + 1) % 4));
      s.EntryScore.push_back(e % 5 ? 900000 + (e * 7919) % 100000 / 10 * 10 : 0);
      s.EntryScoreU.push_back(e % 3 ? 800000 + (e * 104729) % 200000 / 10 * 10 : 0);
      s.DisplayOrder.push_back(static_cast<int16_t>((e * 37) % entries));
    }
    for (int t = 0; t < bench::MostTargets; ++t) {
      const int e = t % entries;
      const bool ura = t >= entries;
      s.TargetEntryNo.push_back(static_cast<int16_t>(e + 1));
      s.TargetIsUra.push_back(ura);
      s.TargetDifficulty.push_back(t % 97 == 0 ? int16_t{5} : (ura ? s.EntryDifficultyU : s.EntryDifficulty)[e]);
    }
    s.TargetCount = static_cast<int16_t>(bench::MostTargets);
    s.TargetScore.assign(static_cast<size_t>(bench::MostTargets), 0);
    return s;
  }();
  return sheet;
}

void BM_RecomputeBreakdown(benchmark::State& state) {
  const ScoreSheetState& s = largestSheet();
  for (auto _ : state) {
    TotalBreakdown b = computeTotalBreakdown(s);
    benchmark::DoNotOptimize(b);
  }
}
BENCHMARK(BM_RecomputeBreakdown)->Unit(benchmark::kMillisecond);

// One typed score, then the window's refresh: the scores change a chart's
// place, so the sorted tables move rows.
void BM_WindowRefresh(benchmark::State& state) {
  static ScoreSheetState s = largestSheet();
  BreakdownWindow window(s, nullptr);
  window.show();
  const bool painted = state.range(0) != 0;
  int32_t typed = 0;
  for (auto _ : state) {
    typed = (typed + 12345) % 1000000;
    s.EntryScore[static_cast<size_t>(typed % 2731)] = typed;
    window.refresh();
    if (painted) window.repaint();
  }
  state.counters["rows"] = static_cast<double>(bench::MostTargets);
}
BENCHMARK(BM_WindowRefresh)->ArgName("painted")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

int main(int argc, char** argv) {
  return nk::runQtBenchmarks(argc, argv, [] {
    std::fprintf(stderr, "aims: BM_RecomputeBreakdown <= 5 ms; BM_WindowRefresh <= 16 ms\n");
    benchmark::RunSpecifiedBenchmarks();
  });
}
