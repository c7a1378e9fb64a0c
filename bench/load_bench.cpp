// load_bench.cpp - the score sheet end to end on real widgets: from the click
// on the menu's version button to page 1, against a loopback server serving
// the largest master files, once with the real yields to the event loop and
// once with the yields made no-ops, and once beside a long log of
// improvements; and a page turn on a loaded largest sheet.
#include "diag/debug_log.h"
#include "largest_masters.h"
#include "long_log.h"
#include "loopback_server.h"
#include "net/http_fetch.h"
#include "net/server_locations.h"
#include "qt_benchmark_main.h"
#include "ui/frmACScore.h"
#include "ui/frmMenu.h"
#include "ui/qt_toolkit.h"
#include "ui/sheet_load_step.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPointer>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace nk {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

[[noreturn]] void failLoudly(const std::string& what) {
  std::fprintf(stderr, "load_bench: %s\n", what.c_str());
  std::fflush(nullptr);
  std::_Exit(2);
}

// The program's own toolkit, except that no box may appear: a successful
// load shows none, and a box would wait for a click that never comes. The
// yield either runs the event loop, as in the program, or does nothing.
class GuardedToolkit final : public Toolkit {
public:
  explicit GuardedToolkit(bool yields) : yields_(yields) {}
  void messageBox(const std::string& text, const std::string& title, MsgIcon) override {
    failLoudly("a message box appeared: [" + title + "] " + text);
  }
  void yield() override {
    ++yieldCalls;
    if (yields_) qt_.yield();
  }
  std::size_t ask(const Question& question) override {
    failLoudly("a question appeared: [" + question.title + "] " + question.text);
  }
  [[noreturn]] void endProgram(int) override { failLoudly("the program was ended"); }

  int64_t yieldCalls = 0;

private:
  QtToolkit qt_;
  bool yields_;
};

// Ends the run when one step takes far longer than any load may: a hang
// must not keep the benchmark waiting for ever.
class Watchdog {
public:
  Watchdog() : thread_([this] { watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  void arm(std::string what, std::chrono::seconds limit) {
    std::lock_guard lock(mutex_);
    what_ = std::move(what);
    deadline_ = Clock::now() + limit;
    armed_ = true;
    changed_.notify_all();
  }
  void disarm() {
    std::lock_guard lock(mutex_);
    armed_ = false;
    changed_.notify_all();
  }

private:
  void watch() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
      if (!armed_) {
        changed_.wait(lock);
      } else if (changed_.wait_until(lock, deadline_) == std::cv_status::timeout && armed_ &&
                 Clock::now() >= deadline_) {
        failLoudly(what_ + " did not finish in time");
      }
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  bool armed_ = false;
  bool quit_ = false;
  std::string what_;
  Clock::time_point deadline_;
  std::thread thread_;  // last: starts once the rest is ready
};

Watchdog& watchdog() {
  static Watchdog instance;
  return instance;
}

// One version's largest master files on a loopback server, and a working
// folder holding the player's score file for every entry.
struct Site {
  int16_t versionCode;
  int entries;
  fs::path dir;
  test::LoopbackServer server;

  explicit Site(int16_t code)
      : versionCode(code), entries(code == 114 ? bench::MostEntriesAC14 : bench::MostEntriesAC13) {
    char pattern[] = "/tmp/nk-load-bench-XXXXXX";
    if (!::mkdtemp(pattern)) failLoudly("no temporary folder");
    dir = pattern;
    const bench::MasterBytes bytes = bench::largestMasters(code);
    const std::string n = std::to_string(code - 100);
    server.serve("/nk/common/songlist.dat", bytes.songMaster);
    server.serve("/nk/common/ac" + n + "list.dat", bytes.versionList);
    server.serve("/nk/sr/" + n + "/srlist.dat", bytes.srList);
    server.serve("/nk/common/nkclient.dat", bytes.requiredVersion);
    std::ofstream(dir / bytes.scoreFileName, std::ios::binary) << bytes.scoreFile;
  }
  ~Site() {
    server.stop();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  std::string pageOneTitle() const {
    return "太鼓の達人" + std::to_string(versionCode - 100) + "自己ベストスコア管理(1/" +
           std::to_string((entries - 1) / 10 + 1) + ")";
  }
};

Site& site(int16_t code) {
  static std::map<int16_t, std::unique_ptr<Site>> sites;
  auto& entry = sites[code];
  if (!entry) entry = std::make_unique<Site>(code);
  return *entry;
}

void destroyAllWindows() {
  QList<QPointer<QWidget>> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) windows.append(w);
  for (const QPointer<QWidget>& w : windows) delete w.data();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A benchmark's surroundings: the site's folder as the working folder, its
// server as the primary, a secondary where nothing listens, the toolkit;
// and no window left afterwards.
class Scope {
public:
  Scope(Site& site, bool yields)
      : site_(site), previousDir_(fs::current_path()), toolkit_(yields), installed_(toolkit_) {
    sheetLoad_ = loadFrom({site.server.url("/nk/"), test::closedPortBaseUrl() + "nk/"},
                                      {std::chrono::seconds(2), std::chrono::seconds(5)});
    fs::current_path(site.dir);
  }
  ~Scope() {
    destroyAllWindows();
    fs::current_path(previousDir_);
  }

  // Opens a fresh menu and clicks the version's button: page 1 of a loaded
  // sheet, or an error text. seconds gets the time of the click alone.
  frmACScore* open(double& seconds, std::string& error) {
    // As for most players, the debug log is switched on but absent.
    if (fs::exists("Debug.txt")) fs::remove("Debug.txt");
    frmMenu* menu = showMenu(sheetLoad_);
    QPushButton* button = site_.versionCode == 113 ? menu->btnAC13Score() : menu->btnAC14Score();
    QCoreApplication::processEvents();  // the menu is on the screen before the player clicks
    watchdog().arm("the load of AC" + std::to_string(site_.versionCode - 100), std::chrono::seconds(60));
    const Clock::time_point start = Clock::now();
    button->click();
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
    watchdog().disarm();

    frmACScore* sheet = nullptr;
    int sheets = 0;
    bool menuShown = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      if (auto* s = qobject_cast<frmACScore*>(w)) sheet = s, ++sheets;
      if (qobject_cast<frmMenu*>(w)) menuShown = true;
    }
    if (sheets != 1 || menuShown) {
      error = "the click did not leave exactly one sheet and no menu";
    } else if (sheet->windowTitle().toStdString() != site_.pageOneTitle()) {
      error = "page 1 is not shown: " + sheet->windowTitle().toStdString();
    } else if (sheet->state().EntryCount != site_.entries) {
      error = "the sheet holds " + std::to_string(sheet->state().EntryCount) + " entries";
    } else {
      for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat", "Debug.txt"})
        if (fs::exists(name)) error = std::string(name) + " is left in the working folder";
    }
    return error.empty() ? sheet : nullptr;
  }

  int64_t yieldCalls() const { return toolkit_.yieldCalls; }

private:
  Site& site_;
  fs::path previousDir_;
  GuardedToolkit toolkit_;
  ScopedToolkit installed_;
  frmACScore::LoadStep sheetLoad_;
};

// Arguments: VersionCode; yields (1: the event loop runs, 0: a no-op).
void BM_ClickToPage(benchmark::State& state) {
  Scope scope(site(static_cast<int16_t>(state.range(0))), state.range(1) != 0);
  for (auto _ : state) {
    double seconds = 0;
    std::string error;
    const bool opened = scope.open(seconds, error) != nullptr;
    destroyAllWindows();
    if (!opened) {
      state.SkipWithError(error.c_str());
      break;
    }
    state.SetIterationTime(seconds);
  }
  state.counters["yields"] =
      benchmark::Counter(static_cast<double>(scope.yieldCalls()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ClickToPage)
    ->ArgNames({"ver", "yield"})
    ->ArgsProduct({{113, 114}, {1, 0}})
    ->UseManualTime()
    ->MinWarmUpTime(0.5)
    ->Unit(benchmark::kMillisecond);

// The same click (AC13, the real yields) beside a log of improvements grown
// to 12 million records (argument log 1) or none (0): what the log adds to
// the opening, in time and in memory above what was resident before.
void BM_ClickToPageBesideALog(benchmark::State& state) {
  Site& s = site(113);
  const fs::path log = s.dir / "ac13improvements.csv";
  if (state.range(0) != 0) bench::writeLongImprovementLog(log.string(), bench::LongLogRecords, false);
  Scope scope(s, true);
  double extraMiB = 0;
  for (auto _ : state) {
    double seconds = 0;
    std::string error;
    bench::resetPeakMemory();
    const double before = bench::residentMiB();
    const bool opened = scope.open(seconds, error) != nullptr;
    extraMiB = std::max(extraMiB, bench::peakMiB() - before);
    destroyAllWindows();
    if (!opened) {
      state.SkipWithError(error.c_str());
      break;
    }
    state.SetIterationTime(seconds);
  }
  state.counters["extraMiB"] = extraMiB;
  fs::remove(log);
}
BENCHMARK(BM_ClickToPageBesideALog)->ArgName("log")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// btnNext_Click (the page turn and its ShowPage) on a loaded largest sheet,
// through every page and round again. Argument painted: 1 also runs the
// repaint that the turn leaves pending.
void BM_PageTurn(benchmark::State& state) {
  Scope scope(site(113), true);
  double seconds = 0;
  std::string error;
  frmACScore* sheet = scope.open(seconds, error);
  if (!sheet) {
    state.SkipWithError(error.c_str());
    return;
  }
  const bool painted = state.range(0) != 0;
  for (auto _ : state) {
    sheet->btnNext_Click();
    if (painted) QCoreApplication::processEvents();
  }
  const ScoreSheetState& s = sheet->state();
  const int64_t expected = static_cast<int64_t>(state.iterations()) % s.PageCount + 1;
  if (s.CurrentPage != expected) state.SkipWithError("the turns did not end on the expected page");
}
BENCHMARK(BM_PageTurn)->ArgName("painted")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The console (or chosen) report, plus the median real time of every
// benchmark, in milliseconds, for the ratios printed at the end.
class MedianRecorder final : public benchmark::BenchmarkReporter {
public:
  bool ReportContext(const Context& context) override {
    shown_->SetOutputStream(&GetOutputStream());
    shown_->SetErrorStream(&GetErrorStream());
    return shown_->ReportContext(context);
  }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string key = run.run_name.function_name + "/" + run.run_name.args;
      const double ms = run.GetAdjustedRealTime() * millisecondsPer(run.time_unit);
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") medians_[key] = ms;
      if (run.run_type == Run::RT_Iteration) single_[key] = ms;
    }
    shown_->ReportRuns(runs);
  }
  void Finalize() override { shown_->Finalize(); }

  // The median when the benchmark was repeated, its one run otherwise; < 0 when missing.
  double ms(const std::string& key) const {
    if (auto it = medians_.find(key); it != medians_.end()) return it->second;
    if (auto it = single_.find(key); it != single_.end()) return it->second;
    return -1;
  }

private:
  static double millisecondsPer(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond: return 1e-6;
      case benchmark::kMicrosecond: return 1e-3;
      case benchmark::kMillisecond: return 1;
      case benchmark::kSecond: return 1e3;
    }
    return 1;
  }

  // Owned by the library.
  benchmark::BenchmarkReporter* shown_ = benchmark::CreateDefaultDisplayReporter();
  std::map<std::string, double> medians_, single_;
};

// On the error stream, so that a JSON report on the output stays valid.
void printSummary(const MedianRecorder& times) {
  for (const char* ver : {"113", "114"}) {
    const double with = times.ms(std::string("BM_ClickToPage/ver:") + ver + "/yield:1");
    const double without = times.ms(std::string("BM_ClickToPage/ver:") + ver + "/yield:0");
    if (with < 0 || without < 0) continue;
    std::fprintf(stderr,
                 "AC%d click to page 1: %.1f ms with the yields, %.1f ms without, ratio %.2f "
                 "(aims: under 1000 ms, ratio at most 1.5)\n",
                 std::atoi(ver) - 100, with, without, with / without);
  }
  for (const char* painted : {"0", "1"}) {
    const double turn = times.ms(std::string("BM_PageTurn/painted:") + painted);
    if (turn < 0) continue;
    std::fprintf(stderr, "page turn%s: %.3f ms (aim: under 2 ms)\n",
                 painted[0] == '1' ? " with its repaint" : "", turn);
  }
}

}  // namespace
}  // namespace nk

int main(int argc, char** argv) {
  return nk::runQtBenchmarks(argc, argv, [] {
    nk::MedianRecorder times;
    benchmark::RunSpecifiedBenchmarks(&times);
    nk::printSummary(times);
  });
}
