// history_bench.cpp - the window "記録の推移" on a long history: reading and
// parsing 10,000 records, the chart alone built and painted, and reading
// them with the chart and the list rebuilt (and, painted, the chart drawn
// once), as after every save; a window opened on a million records (about
// 70 MB of file), with the memory it takes, and the mouse's point found on them.
#include "data/total_history.h"
#include "qt_benchmark_main.h"
#include "history/history_view.h"
#include "ui/history_chart.h"
#include "ui/history_plot_layout.h"
#include "ui/history_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>

namespace nk {
namespace {

constexpr int Records = 10000;
constexpr int16_t Version = 13;
constexpr int MillionRecords = 1000000;
constexpr int16_t MillionVersion = 12;

// Saves, one every few hours from 2026 on, the total rising with its levels.
void writeLongHistory(int16_t version, int records) {
  std::string bytes = std::string(HistoryHeader) + "\r\n";
  int64_t t = 1767225600;  // 2026-01-01T00:00:00Z
  PerCountedLevel sums{4000000, 5000000, 6000000, 7000000};
  for (int i = 0; i < records; ++i) {
    t += 3600 * (1 + i % 7);
    sums[static_cast<size_t>(i % 4)] += 100 + (i * 37) % 900;
    HistoryRecord r;
    r.time = localMoment(std::chrono::sys_seconds{std::chrono::seconds{t}});
    r.levelSums = sums;
    r.total = sums[0] + sums[1] + sums[2] + sums[3];
    r.entered = 20 + i / 1000;
    bytes += historyLine(r);
  }
  std::ofstream(logFileName(HistoryFormat, version), std::ios::binary) << bytes;
}

// Megabytes resident now (statm's second field) and at the most so far
// (status's VmHWM).
double residentMegabytes() {
  long pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}
double peakResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

// The window opened on a million records as Ctrl+H opens it: made, shown,
// the file read, and the chart and the visible rows painted. Run first, so
// that the peak it reports is its own; the memory is what it added to the
// process, while the window is still open.
void BM_MillionRecordsOpened(benchmark::State& state) {
  double held = 0;
  double peak = 0;
  int64_t rows = 0;
  for (auto _ : state) {
    const double before = residentMegabytes();
    {
      HistoryWindow window(MillionVersion, nullptr);
      window.show();
      window.reload();
      QApplication::processEvents();
      benchmark::DoNotOptimize(window.grab());
      held = std::max(held, residentMegabytes() - before);
      peak = std::max(peak, peakResidentMegabytes() - before);
      rows = window.list()->model()->rowCount();
    }
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["held_MB"] = held;
  state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_MillionRecordsOpened)->Unit(benchmark::kMillisecond)->Iterations(3);

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
  state.counters["points"] = static_cast<double>(chart->plotLayout().records->size());
}
BENCHMARK(BM_ChartBuiltAndPainted)->Unit(benchmark::kMillisecond);

// The point under the mouse on a million records: one lookup per move, the
// mouse going along the plot's middle a pixel at a time.
void BM_HoverOnAMillion(benchmark::State& state) {
  const HistoryView view = loadHistoryView(MillionVersion, 0);
  const HistoryPlotLayout layout = layOutHistoryPlot(QSize(740, 380), QApplication::font(), view);
  std::array<bool, HistorySeries::Count> shown;
  shown.fill(true);
  int x = layout.plot.left();
  for (auto _ : state) {
    benchmark::DoNotOptimize(layout.pointNear(QPoint(x, layout.plot.center().y()), shown));
    if (++x > layout.plot.right()) x = layout.plot.left();
  }
  state.counters["records"] = static_cast<double>(view.rowCount());
}
BENCHMARK(BM_HoverOnAMillion)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_ReadAndShow)->ArgName("painted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

int main(int argc, char** argv) {
  const auto folder = std::filesystem::temp_directory_path() / ("nk-history-bench-" + std::to_string(::getpid()));
  const int code = nk::runQtBenchmarks(argc, argv, [&] {
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    nk::writeLongHistory(nk::Version, nk::Records);
    nk::writeLongHistory(nk::MillionVersion, nk::MillionRecords);
    std::fprintf(stderr,
                 "aim: 10,000 records read, the list and the chart built and the chart painted\n"
                 "     (BM_ReadAndShow/painted:1) <= 16 ms, a frame; the chart alone (BM_ChartBuiltAndPainted)\n"
                 "     a few ms; a million records opened (BM_MillionRecordsOpened) <= 1 s with\n"
                 "     held_MB and peak_MB <= 150\n");
    benchmark::RunSpecifiedBenchmarks();
  });
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  return code;
}
