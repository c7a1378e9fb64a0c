// toolkit.h - what the non-GUI modules need of the screens.
//
// The debug log, the tracing, the downloads, the readers and the load sequence
// show message boxes, put progress texts into the score sheet's status line,
// yield to the window system between records and can end the program. They do
// all of that through this one interface, so that they build and are tested
// without a QApplication: the program installs the Qt implementation, tests
// install a recorder.
//
// The installed toolkit is the program's one global: main sets it once, at
// the start, and nothing else below the windows keeps state at namespace
// scope. What a run needs beside it travels as values: the debug log
// (diag/debug_log.h), a traced procedure's failure text, the load's fetcher.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace nk {

enum class MsgIcon { None, Exclamation };

// Thrown by implementations whose endProgram() cannot really stop the process
// (test recorders). It is deliberately not a std::exception, so that no
// "catch every failure" block of the program swallows the end of the program.
struct ProgramEnded {
  int code = 0;
};

// The exit status of a program ended through the toolkit: after a failure
// (the "異常終了" and "初期化失敗" paths), or because the player closed the
// sheet while it loaded, which is no failure.
inline constexpr int ExitAfterFailure = 1;
inline constexpr int ExitClosedByPlayer = 0;

// Where the status texts go: the status line of the window that is loading.
class StatusLine {
public:
  virtual void showStatus(const std::string& text) = 0;

protected:
  ~StatusLine() = default;
};

// A modal question with its buttons, left to right.
struct Question {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::None;
  std::vector<std::string> buttons;
  // What Enter chooses, and what Escape or the close box chooses.
  std::size_t defaultButton = 0;
  std::size_t escapeButton = 0;
};

class Toolkit {
public:
  virtual ~Toolkit() = default;

  // A modal box with one OK button. The text may hold CR LF.
  virtual void messageBox(const std::string& text, const std::string& title, MsgIcon icon) = 0;
  // Runs the pending paint and input events, then returns. A yield that
  // follows the last pass within a few milliseconds may return at once:
  // no screen could show the difference.
  virtual void yield() = 0;
  // The caption of the attached status line (the loading sheet's
  // lblStatusBar); nothing while none is attached.
  virtual void setStatusText(const std::string& text) {
    if (statusLine_) statusLine_->showStatus(text);
  }
  // The status line that takes the status texts from now on; nullptr
  // detaches it. A window attaches itself for as long as it loads.
  void attachStatusLine(StatusLine* line) { statusLine_ = line; }
  StatusLine* statusLine() const { return statusLine_; }

  // The folder into which the player last saved a file through a save
  // dialog in this run (UTF-8); empty before the first. The dialogs open
  // there, so that a second export lands beside the first.
  const std::string& lastSaveFolder() const { return lastSaveFolder_; }
  void setLastSaveFolder(std::string folder) { lastSaveFolder_ = std::move(folder); }
  // Asks, modal for the whole application, and returns the index of the
  // button chosen.
  virtual std::size_t ask(const Question& question) = 0;
  // Stops the program at once with exitCode. Never returns: either the
  // process ends or ProgramEnded{exitCode} is thrown.
  [[noreturn]] virtual void endProgram(int exitCode = ExitAfterFailure) = 0;

private:
  StatusLine* statusLine_ = nullptr;
  std::string lastSaveFolder_;
};

// Does nothing, and ends the program by throwing ProgramEnded. In force until
// a toolkit is installed.
class SilentToolkit final : public Toolkit {
public:
  void messageBox(const std::string&, const std::string&, MsgIcon) override {}
  void yield() override {}
  void setStatusText(const std::string&) override {}
  std::size_t ask(const Question& question) override { return question.escapeButton; }
  [[noreturn]] void endProgram(int exitCode = ExitAfterFailure) override { throw ProgramEnded{exitCode}; }
};

namespace detail {
inline SilentToolkit silentToolkit;
inline Toolkit* currentToolkit = &silentToolkit;
}  // namespace detail

inline Toolkit& toolkit() { return *detail::currentToolkit; }

// Installs t (nullptr restores the silent one) and returns the previous toolkit.
inline Toolkit* installToolkit(Toolkit* t) {
  Toolkit* previous = detail::currentToolkit;
  detail::currentToolkit = t ? t : &detail::silentToolkit;
  return previous;
}

// Installs a toolkit for the lifetime of a scope (tests, benchmarks).
class ScopedToolkit {
public:
  explicit ScopedToolkit(Toolkit& t) : previous_(installToolkit(&t)) {}
  ~ScopedToolkit() { installToolkit(previous_); }
  ScopedToolkit(const ScopedToolkit&) = delete;
  ScopedToolkit& operator=(const ScopedToolkit&) = delete;

private:
  Toolkit* previous_;
};

}  // namespace nk
