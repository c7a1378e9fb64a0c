// qt_toolkit.h - the toolkit of the running program: Qt message boxes, the
// event loop's yield, questions and the immediate end.
#pragma once

#include "toolkit/toolkit.h"

#include <QString>

#include <chrono>

namespace nk {

class QtToolkit final : public Toolkit {
public:
  // Application-modal QMessageBox with one OK button; CR LF (or a lone CR)
  // in the text breaks the line; the text is never read as markup. A text
  // taller than the screen scrolls, and the box lies within the screen.
  void messageBox(const std::string& text, const std::string& title, MsgIcon icon) override;
  // Runs the pending events, unless the last pass ended less than
  // YieldInterval ago: then it returns at once. The readers yield after every
  // record, tens of thousands of times in a load of a few milliseconds, and a
  // pass of the event loop (a poll of the window system, the locks of the
  // main context) costs several times the reading of a record; a screen shows
  // no more than one paint per refresh anyway. The first yield always passes.
  void yield() override;
  // A QMessageBox with the question's buttons, application-modal; closing
  // it without a button answers with the escape button.
  std::size_t ask(const Question& question) override;
  // Flushes the C and C++ streams and ends the process with exitCode: no
  // further event, no window's closing step, no clean-up of the application.
  [[noreturn]] void endProgram(int exitCode = ExitAfterFailure) override;

  // Shorter than a screen refresh (16.7 ms at 60 Hz).
  static constexpr std::chrono::milliseconds YieldInterval{10};

private:
  std::chrono::steady_clock::time_point nextPass_{};
};

// The message box text as Qt shows it: every CR LF and lone CR becomes LF.
QString messageBoxText(const std::string& text);

}  // namespace nk
