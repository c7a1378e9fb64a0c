// breakdown_tool.cpp - the breakdown window of the sheet.
#include "ui/breakdown_tool.h"

#include "ui/breakdown_window.h"
#include "ui/frmACScore.h"
#include "ui/rival_tab.h"
#include "ui/screen_fit.h"
#include "ui/sheet_action.h"
#include "ui/tool_window.h"

#include <QTabWidget>

namespace nk {

BreakdownTool::BreakdownTool(frmACScore& sheet, QObject* parent) : WindowTool(sheet, parent) {
  // The window recomputes once per pass of the event loop, however many
  // boxes a paste or a trial typed, and again whenever it is shown.
  window_ = new ToolWindow(
      [this] { return makeWindow(); },
      [](QWidget& window) { static_cast<BreakdownWindow&>(window).scheduleRefresh(); }, this);
  window_->staleOn(sheet, &frmACScore::scoresChanged);
  window_->staleOn(sheet, &frmACScore::scoresSaved);
  action_ = addSheetAction(sheet, *this, "actBreakdown", "総合得点の内訳…", QKeySequence(Qt::CTRL | Qt::Key_B),
                           [this] { open(); });
  addRival_ = addSheetAction(sheet, *this, "actAddRival", "ライバルを追加…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
                             [this] { addRival(); });
}

void BreakdownTool::addRival() {
  if (!sheet_.loaded()) return;
  window_->open();
  auto* window = static_cast<BreakdownWindow*>(window_->window());
  if (!window) return;
  window->tabs()->setCurrentWidget(window->rivalTab());
  window->rivalTab()->askToAdd();
}

void BreakdownTool::open() {
  if (sheet_.loaded()) window_->open();
}

QWidget* BreakdownTool::makeWindow() {
  auto* window = new BreakdownWindow(sheet_.state(), &sheet_, &sheet_.lastChanges());
  connect(window, &BreakdownWindow::chartChosen, &sheet_, [this](int16_t position, Chart chart) {
    raiseSheet(sheet_);
    sheet_.showEntryChart(position, chart);
  });
  connect(window, &BreakdownWindow::scoresToType, &sheet_, [this](const std::vector<TypedScore>& scores) {
    raiseSheet(sheet_);
    sheet_.typeScores(scores);
  });
  // Beside the sheet at the size the screen leaves it.
  fitIntoScreen(*window);
  window->placeBeside(sheet_);
  return window;
}

}  // namespace nk
