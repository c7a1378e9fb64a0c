// breakdown_bench.cpp - the total's breakdown at the most ranking targets:
// recomputing it, the plan towards a target, a trial's recomputation after
// one typed trial score, its statistics (the tab "統計"), and the breakdown
// window's refresh (the computation, its lines, the four sorted tables'
// models, the plan and the statistics tab; with the repaint when painted).
#include "largest_masters.h"
#include "qt_benchmark_main.h"
#include "sheet/breakdown_text.h"
#include "sheet/level_statistics.h"
#include "sheet/score_trial.h"
#include "sheet/target_plan.h"
#include "sheet/total_breakdown.h"
#include "ui/breakdown_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <string>

namespace nk {
namespace {

void BM_RecomputeBreakdown(benchmark::State& state) {
  const ScoreSheetState& s = bench::largestSheetState();
  for (auto _ : state) {
    TotalBreakdown b = computeTotalBreakdown(s);
    benchmark::DoNotOptimize(b);
  }
}
BENCHMARK(BM_RecomputeBreakdown)->Unit(benchmark::kMillisecond);

// A target a tenth above the total: the plan raises charts of every level.
void BM_PlanTowards(benchmark::State& state) {
  const TotalBreakdown b = computeTotalBreakdown(bench::largestSheetState());
  for (auto _ : state) {
    TargetPlan plan = planTowards(b, b.total + b.total / 10);
    benchmark::DoNotOptimize(plan);
  }
  state.counters["planned"] = static_cast<double>(planTowards(b, b.total + b.total / 10).charts.size());
}
BENCHMARK(BM_PlanTowards)->Unit(benchmark::kMillisecond);

// One trial score typed into a trial of 30 charts: the breakdown and the
// plan of the trial's scores, as the window recomputes them.
void BM_TrialAfterOneScore(benchmark::State& state) {
  const ScoreSheetState& s = bench::largestSheetState();
  ScoreTrial trial;
  trial.start();
  for (size_t t = 0; t < 30; ++t) trial.set(s, t * 300, 999000);
  int32_t typed = 0;
  for (auto _ : state) {
    typed = (typed + 12345) % 1000000;
    trial.set(s, static_cast<size_t>(typed % 2731), typed);
    TotalBreakdown b = trial.breakdown(s);
    TargetPlan plan = planTowards(b, b.total + 100000);
    benchmark::DoNotOptimize(plan);
  }
}
BENCHMARK(BM_TrialAfterOneScore)->Unit(benchmark::kMillisecond);
// The statistics of a breakdown already computed: bands, means, medians and
// the texts of every chart's line in the lists.
void BM_LevelStatistics(benchmark::State& state) {
  const ScoreSheetState& s = bench::largestSheetState();
  const TotalBreakdown b = computeTotalBreakdown(s);
  const std::vector<int16_t> positions = displayPositions(s);
  for (auto _ : state) {
    StatisticsTable t = levelStatistics(s, b, positions);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_LevelStatistics)->Unit(benchmark::kMillisecond);

// One typed score, then the window's refresh: the scores change a chart's
// place, so the sorted tables move rows.
void BM_WindowRefresh(benchmark::State& state) {
  static ScoreSheetState s = bench::largestSheetState();
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
    std::fprintf(stderr, "aims: BM_RecomputeBreakdown, BM_PlanTowards, BM_TrialAfterOneScore, BM_LevelStatistics "
                         "<= 5 ms; BM_WindowRefresh <= 16 ms\n");
    benchmark::RunSpecifiedBenchmarks();
  });
}
