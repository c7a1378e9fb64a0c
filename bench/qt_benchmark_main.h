// qt_benchmark_main.h - the main of a benchmark of windows: Google Benchmark
// inside a QApplication, on the offscreen platform unless another is chosen.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

namespace nk {

// Parses the benchmark's arguments, creates the application and calls run,
// which runs the benchmarks; returns main's exit code.
template <class Run>
int runQtBenchmarks(int argc, char** argv, Run run) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  run();
  benchmark::Shutdown();
  return 0;
}

}  // namespace nk
