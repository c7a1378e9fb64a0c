// history_bench.cpp - the window "記録の推移" on a long history: reading and
// parsing 10,000 records, the chart alone built and painted, and reading
// them with the chart and the list rebuilt (and, painted, the chart drawn
// once), as after every save.
#include "data/score_history.h"
#include "qt_benchmark_main.h"
#include "sheet/history_view.h"
#include "ui/history_chart.h"
#include "ui/history_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QTreeView>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>

namespace nk {
namespace {

constexpr int Records = 10000;
constexpr int16_t Version = 13;

// Ten thousand saves, one every few hours from 2026 on, the total rising
// with its levels.
void writeLongHistory() {
  std::string bytes = std::string(HistoryHeader) + "\r\n";
  int64_t t = 1767225600;  // 2026-01-01T00:00:00Z
  PerCountedLevel sums{4000000, 5000000, 6000000, 7000000};
  for (int i = 0; i < Records; ++i) {
    t += 3600 * (1 + i % 7);
    sums[static_cast<size_t>(i % 4)] += 100 + (i * 37) % 900;
    HistoryRecord r;
    r.time = isoLocalTime(static_cast<std::time_t>(t));
    r.epochSeconds = t;
    r.levelSums = sums;
    r.total = sums[0] + sums[1] + sums[2] + sums[3];
    r.entered = 20 + i / 1000;
    bytes += historyLine(r);
  }
  std::ofstream(historyFileNameFor(Version), std::ios::binary) << bytes;
}

void BM_ReadHistory(benchmark::State& state) {
  for (auto _ : state) {
    HistoryView view = loadHistoryView(Version, 0);
    benchmark::DoNotOptimize(view);
  }
  state.counters["records"] = Records;
}
BENCHMARK(BM_ReadHistory)->Unit(benchmark::kMillisecond);

void BM_ReadAndShow(benchmark::State& state) {
  HistoryWindow window(Version, nullptr);
  window.show();
  const bool painted = state.range(0) != 0;
  for (auto _ : state) {
    window.reload();
    if (painted) benchmark::DoNotOptimize(window.chart()->grab());
  }
  state.counters["rows"] = window.list()->model()->rowCount();
}
void BM_ShowOnly(benchmark::State& state) {
  HistoryWindow window(Version, nullptr);
  window.show();
  const HistoryView view = loadHistoryView(Version, 0);
  for (auto _ : state) window.showView(view);
}
BENCHMARK(BM_ShowOnly)->Unit(benchmark::kMillisecond);

// The chart at the window's size given the records and drawn into a picture.
void BM_ChartBuiltAndPainted(benchmark::State& state) {
  HistoryWindow window(Version, nullptr);
  window.show();
  HistoryChart* chart = window.chart();
  const HistoryView view = loadHistoryView(Version, 0);
  for (auto _ : state) {
    chart->setView(view);
    benchmark::DoNotOptimize(chart->grab());
  }
  state.counters["points"] = static_cast<double>(chart->pointCount(HistoryChart::Total));
}
BENCHMARK(BM_ChartBuiltAndPainted)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_ReadAndShow)->ArgName("painted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

int main(int argc, char** argv) {
  const auto folder = std::filesystem::temp_directory_path() / ("nk-history-bench-" + std::to_string(::getpid()));
  const int code = nk::runQtBenchmarks(argc, argv, [&] {
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    nk::writeLongHistory();
    std::fprintf(stderr,
                 "aim: 10,000 records read, the list and the chart built and the chart painted\n"
                 "     (BM_ReadAndShow/painted:1) <= 16 ms, a frame; the chart alone (BM_ChartBuiltAndPainted)\n"
                 "     a few ms\n");
    benchmark::RunSpecifiedBenchmarks();
  });
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  return code;
}
