// breakdown_bench.cpp - the total's breakdown at the most ranking targets:
// recomputing it, the plan towards a target, a trial's recomputation after
// one typed trial score, its statistics (the tab "統計"), and the breakdown
// window's refresh (the computation, its lines, the four sorted tables'
// models, the plan and the statistics tab; with the repaint when painted).
// With `extreme`, every chart holds a score at the ends of what a score file
// holds (the 32-bit maximum and minimum) or of what a box takes (9999999),
// and the window refreshes with its statistics tab in front.
#include "largest_masters.h"
#include "qt_benchmark_main.h"
#include "total/breakdown_text.h"
#include "total/level_statistics.h"
#include "total/score_trial.h"
#include "total/target_plan.h"
#include "total/total_breakdown.h"
#include "ui/breakdown_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>

#include <cstdio>
#include <limits>
#include <string>

namespace nk {
namespace {

// The largest sheet, or with `extreme` its every chart at an end of a score's range.
const ScoreSheetState& benchSheet(bool extreme) {
  static const ScoreSheetState extremes = [] {
    ScoreSheetState s = bench::largestSheetState();
    constexpr int32_t Ends[] = {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), 9999999,
                                std::numeric_limits<int32_t>::max() - 1};
    for (size_t e = 0; e < s.EntryScore.size(); ++e) {
      if (s.EntryScore[e] >= 0) s.EntryScore[e] = Ends[e % 4];
      if (s.EntryScoreU[e] >= 0) s.EntryScoreU[e] = Ends[(e + 1) % 4];
    }
    return s;
  }();
  return extreme ? extremes : bench::largestSheetState();
}

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
  const ScoreSheetState& s = benchSheet(state.range(0) != 0);
  const TotalBreakdown b = computeTotalBreakdown(s);
  const std::vector<int16_t> positions = displayPositions(s);
  for (auto _ : state) {
    StatisticsTable t = levelStatistics(s, b, positions);
    benchmark::DoNotOptimize(t);
  }
  state.counters["columns"] = static_cast<double>(levelStatistics(s, b, positions).columns.size());
}
BENCHMARK(BM_LevelStatistics)->ArgName("extreme")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// One typed score, then the window's refresh: the scores change a chart's
// place, so the sorted tables move rows.
void BM_WindowRefresh(benchmark::State& state) {
  const bool extreme = state.range(1) != 0;
  static ScoreSheetState sheets[2] = {benchSheet(false), benchSheet(true)};
  ScoreSheetState& s = sheets[extreme ? 1 : 0];
  BreakdownWindow window(s, nullptr);
  window.show();
  // The extreme sheet with the tab "統計" in front, where its columns are laid out.
  if (auto* tabs = window.findChild<QTabWidget*>(); tabs && extreme)
    for (int i = 0; i < tabs->count(); ++i)
      if (tabs->tabText(i) == QString::fromUtf8(StatisticsTabTitle)) tabs->setCurrentIndex(i);
  const bool painted = state.range(0) != 0;
  int32_t typed = 0;
  for (auto _ : state) {
    typed = (typed + 12345) % 1000000;
    // On the extreme sheet the typed scores are of the largest too.
    s.EntryScore[static_cast<size_t>(typed % 2731)] = extreme ? std::numeric_limits<int32_t>::max() - typed : typed;
    window.refresh();
    if (painted) window.repaint();
  }
  state.counters["rows"] = static_cast<double>(bench::MostTargets);
}
BENCHMARK(BM_WindowRefresh)->ArgNames({"painted", "extreme"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

int main(int argc, char** argv) {
  return nk::runQtBenchmarks(argc, argv, [] {
    std::fprintf(stderr, "aims: BM_RecomputeBreakdown, BM_PlanTowards, BM_TrialAfterOneScore, BM_LevelStatistics "
                         "<= 5 ms; BM_WindowRefresh <= 16 ms\n");
    benchmark::RunSpecifiedBenchmarks();
  });
}
