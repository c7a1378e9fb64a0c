// tool_window.cpp - a sheet's tool window made once, refreshed when stale.
#include "ui/tool_window.h"

#include "ui/screen_fit.h"

namespace nk {

ToolWindow::ToolWindow(std::function<QWidget*()> make, std::function<void(QWidget&)> refresh, QObject* parent)
    : QObject(parent), make_(std::move(make)), refresh_(std::move(refresh)) {}

void ToolWindow::markStale() {
  if (!window_) return;  // the window made later starts from the sheet as it is then
  if (window_->isVisible()) {
    stale_ = false;
    refresh_(*window_);
    return;
  }
  stale_ = true;
}

void ToolWindow::open() {
  const bool made = !window_;
  if (made) {
    window_ = make_();
    stale_ = false;
    fitIntoScreen(*window_);
  } else if (stale_) {
    stale_ = false;
    refresh_(*window_);
  }
  window_->show();
  // Once shown, its decoration is known where the window system tells it
  // at once; the frame too must lie within the screen.
  if (made) fitIntoScreen(*window_);
  window_->raise();
  window_->activateWindow();
}

}  // namespace nk
