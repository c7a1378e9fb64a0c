// soak.cpp - opens the score sheet from the menu, loads it, pages, asks for
// the total, saves and goes back to the menu, many times in one process
// against a loopback server, and reports whether the resident memory grew.
//
// Usage: soak [cycles] (default 200). Runs on Qt's offscreen platform; message
// boxes are counted, never shown, so no modal box can block a cycle. Exit 0
// when every cycle did what it should and the memory after the last cycle is
// within 10% of that after cycle 20; 1 otherwise.
#include "loopback_server.h"
#include "net/http_fetch.h"
#include "net/server_locations.h"
#include "platform/cp932.h"
#include "ui/frmACScore.h"
#include "ui/frmMenu.h"
#include "ui/qt_toolkit.h"
#include "ui/sheet_load_step.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

constexpr int WarmUpCycle = 20;
constexpr double AllowedGrowth = 0.10;

// AddressSanitizer holds freed memory back in its quarantine, so resident
// memory grows there whatever the program does; LeakSanitizer judges instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MemoryIsJudged = false;
#else
constexpr bool MemoryIsJudged = true;
#endif

// The program's own toolkit, except that message boxes are counted.
class SoakToolkit final : public nk::Toolkit {
public:
  void messageBox(const std::string& text, const std::string& title, nk::MsgIcon) override {
    ++boxes[title];
    lastText = text;
  }
  void yield() override { qt_.yield(); }
  // Nothing is left unsaved when a cycle leaves the sheet: a question is a
  // fault, counted like a box, and answered by staying.
  std::size_t ask(const nk::Question& question) override {
    ++boxes[question.title];
    lastText = question.text;
    return question.escapeButton;
  }
  [[noreturn]] void endProgram(int) override {
    std::fprintf(stderr, "soak: the program ended itself: %s\n", lastText.c_str());
    std::_Exit(1);
  }

  std::map<std::string, int> boxes;
  std::string lastText;

private:
  nk::QtToolkit qt_;
};

// Larger than the demo: 1500 songs, 1200 AC13 entries, 400 ranking targets.
void serveMasters(nk::test::LoopbackServer& server) {
  const char* genres[] = {"J-POP", "アニメ", "童謡・民謡", "バラエティ", "クラシック", "ゲームミュージック",
                          "ナムコオリジナル", "その他"};
  const char* levels[] = {"abc7efg9", "abc8efg-", "abc9efgT", "abcTefg?", "abc5efg8", "abc?efg7"};
  std::string songs, entries, targets;
  for (int i = 1; i <= 1500; ++i)
    songs += std::to_string(i) + "<>ソークの曲" + std::to_string(i) + "<>x<>" + genres[i % 8] + "<>y<>\r\n";
  for (int i = 1; i <= 1200; ++i)
    entries += "e" + std::to_string(i) + "<>" + std::to_string(1 + (i * 7) % 1500) + "<>" + levels[i % 6] + "<>u<>\r\n";
  for (int i = 1; i <= 400; ++i)
    targets += "t" + std::to_string(i) + "<>" + std::to_string(i * 3) + "<>" + (i % 2 ? "1" : "0") + "<>\r\n";
  server.serve("/nk/common/songlist.dat", nk::utf8ToCp932(songs));
  server.serve("/nk/common/ac13list.dat", nk::utf8ToCp932(entries));
  server.serve("/nk/sr/13/srlist.dat", nk::utf8ToCp932(targets));
  server.serve("/nk/common/nkclient.dat", "1.50\r\n");
}

long residentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

template <class W>
W* onlyVisible() {
  W* found = nullptr;
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* typed = qobject_cast<W*>(w); typed && typed->isVisible()) {
      found = typed;
      ++count;
    }
  return count == 1 ? found : nullptr;
}

void settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

[[noreturn]] void fail(int cycle, const char* what) {
  std::fprintf(stderr, "soak: cycle %d: %s\n", cycle, what);
  std::exit(1);
}

// One cycle, starting and ending on the menu.
void runCycle(int cycle, SoakToolkit& tk) {
  nk::frmMenu* menu = onlyVisible<nk::frmMenu>();
  if (!menu) fail(cycle, "no menu");
  menu->btnAC13Score()->click();
  settle();
  nk::frmACScore* sheet = onlyVisible<nk::frmACScore>();
  if (!sheet || !sheet->loaded()) fail(cycle, "no loaded sheet");
  if (sheet->state().EntryScore[0] != cycle - 1) fail(cycle, "the last cycle's score did not come back");
  sheet->btnNext()->click();
  sheet->btnBack()->click();
  // Row 0 of page 1 shows the first J-POP entry, entry 1: it holds the cycle.
  sheet->txtScore(0)->setText(QString::number(cycle));
  sheet->txtScoreU(0)->setText(QString::number(cycle * 10));
  if (sheet->state().EntryScore[0] != cycle) fail(cycle, "the typed score did not reach entry 1");
  sheet->btnCalc()->click();
  sheet->btnSave()->click();
  sheet->btnMenu()->click();
  settle();
  if (tk.boxes["総合得点"] != cycle || tk.boxes["保存完了"] != cycle || tk.boxes.size() != 2)
    fail(cycle, "unexpected message boxes");
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 200;
  if (cycles < WarmUpCycle) {
    std::fprintf(stderr, "usage: soak [cycles >= %d]\n", WarmUpCycle);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("nk-soak-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  fs::current_path(folder);
  long warmKiB = 0, lastKiB = 0;
  size_t windowsAtWarmUp = 0, windowsAtEnd = 0;
  {
    QApplication app(argc, argv);
    SoakToolkit tk;
    nk::ScopedToolkit installed(tk);
    nk::test::LoopbackServer server;
    serveMasters(server);
    std::ofstream("ac13score.csv", std::ios::binary) << "1,0,0\r\n\r\n";

    nk::showMenu(nk::loadFrom({server.url("/nk/"), nk::test::closedPortBaseUrl() + "nk/"}));
    for (int cycle = 1; cycle <= cycles; ++cycle) {
      runCycle(cycle, tk);
      server.clearRequests();
      if (cycle % WarmUpCycle == 0) std::printf("soak: cycle %d: %ld KiB\n", cycle, residentKiB());
      if (cycle == WarmUpCycle) {
        warmKiB = residentKiB();
        windowsAtWarmUp = static_cast<size_t>(QApplication::topLevelWidgets().size());
      }
    }
    lastKiB = residentKiB();
    windowsAtEnd = static_cast<size_t>(QApplication::topLevelWidgets().size());
    for (QWidget* w : QApplication::topLevelWidgets()) delete w;
    server.stop();
  }
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(folder);

  const double growth = static_cast<double>(lastKiB - warmKiB) / static_cast<double>(warmKiB);
  const bool within = (!MemoryIsJudged || growth <= AllowedGrowth) && windowsAtEnd == windowsAtWarmUp;
  std::printf("soak: %d cycles of open, load (1200 entries), page, total, save, menu\n", cycles);
  std::printf("soak: resident memory after cycle %d: %ld KiB\n", WarmUpCycle, warmKiB);
  std::printf("soak: resident memory after cycle %d: %ld KiB (%+.1f%%)\n", cycles, lastKiB, growth * 100);
  std::printf("soak: top-level windows after cycle %d: %zu, after cycle %d: %zu\n", WarmUpCycle, windowsAtWarmUp,
              cycles, windowsAtEnd);
  if (!MemoryIsJudged)
    std::printf("soak: %s\n", within ? "memory not judged under AddressSanitizer (LeakSanitizer checks at exit): ok"
                                     : "windows piled up: FAILED");
  else
    std::printf("soak: %s\n", within ? "within 10%: ok" : "grew by more than 10% (or windows piled up): FAILED");
  return within ? 0 : 1;
}
