// qt_toolkit.h - the toolkit of the running program: Qt message boxes, the
// event loop's yield, the score sheet's status line and the immediate end.
#pragma once

#include "toolkit.h"

#include <QString>

namespace nk {

class QtToolkit final : public Toolkit {
public:
  // Application-modal QMessageBox with one OK button; CR LF (or a lone CR)
  // in the text breaks the line; the text is never read as markup.
  void messageBox(const std::string& text, const std::string& title, MsgIcon icon) override;
  void yield() override;
  // Finds the status line by its name among the open windows, so that this
  // layer needs no knowledge of the sheet's class. Does nothing without a sheet.
  void setStatusText(const std::string& text) override;
  // Flushes the C and C++ streams and ends the process with code 1: no
  // further event, no window's closing step, no clean-up of the application.
  [[noreturn]] void endProgram() override;
};

// The message box text as Qt shows it: every CR LF and lone CR becomes LF.
QString messageBoxText(const std::string& text);

}  // namespace nk
