// tool_window.h - one tool window of the score sheet (the breakdown, the
// history, the day's progress): made on first use, opened within the screen,
// raised when opened again, and kept up to date with the sheet.
//
// The window is a child of the sheet, which deletes it before its state (see
// ~frmACScore); closing it only hides it. What it shows can go out of date
// through the sheet's signals that staleOn() names (a score typed, a save):
// a window on the screen refreshes at once, a hidden one is marked stale and
// refreshes when it is opened next, so that no hidden window recomputes for
// nobody. markStale() is for what the sheet cannot signal (another window's
// save to the same files, midnight passing): the tools whose window reads
// files or the clock mark it at every opening. The tool opens it only once
// the sheet's load is done, as the sheet's buttons act only then.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QAction;

namespace nk {

class frmACScore;

class ToolWindow : public QObject {
public:
  // make builds the window (a child of the sheet), already showing the
  // sheet's data; refresh brings an existing one up to date (a window may
  // defer it to the next pass of the event loop, as long as it refreshes
  // again when it is shown).
  ToolWindow(std::function<QWidget*()> make, std::function<void(QWidget&)> refresh, QObject* parent);

  // Marks the window stale at every emission of the sheet's signal.
  template <typename Sheet, typename Signal>
  void staleOn(const Sheet& sheet, Signal signal) {
    connect(&sheet, signal, this, &ToolWindow::markStale);
  }
  void markStale();
  // Makes or refreshes the window as needed, then shows, raises and
  // activates it; its first showing fits it into the screen.
  void open();
  // The window once made (and not yet deleted with the sheet), else null.
  QWidget* window() const { return window_; }

private:
  std::function<QWidget*()> make_;
  std::function<void(QWidget&)> refresh_;
  QPointer<QWidget> window_;
  bool stale_ = false;
};

// A tool that is one action of the sheet opening one tool window (the
// breakdown, the history, the day's progress); the tool makes both in its
// constructor.
class WindowTool : public QObject {
public:
  QAction* action() const { return action_; }

protected:
  WindowTool(frmACScore& sheet, QObject* parent) : QObject(parent), sheet_(sheet) {}

  frmACScore& sheet_;
  ToolWindow* window_ = nullptr;
  QAction* action_ = nullptr;
};

}  // namespace nk
