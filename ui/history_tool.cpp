// history_tool.cpp - the history window of the sheet.
#include "ui/history_tool.h"

#include "ui/frmACScore.h"
#include "ui/history_window.h"
#include "ui/improvements_tab.h"
#include "ui/sheet_action.h"
#include "ui/tool_window.h"

namespace nk {

HistoryTool::HistoryTool(frmACScore& sheet, QObject* parent) : WindowTool(sheet, parent) {
  window_ = new ToolWindow(
      [this] { return makeWindow(); }, [](QWidget& window) { static_cast<HistoryWindow&>(window).reload(); },
      this);
  window_->staleOn(sheet, &frmACScore::scoresSaved);
  action_ = addSheetAction(sheet, *this, "actHistory", "記録の推移…", QKeySequence(Qt::CTRL | Qt::Key_H),
                           [this] { open(); });
}

void HistoryTool::open() {
  if (!sheet_.loaded()) return;
  window_->markStale();  // the file may have changed without this sheet's save
  window_->open();
}

QWidget* HistoryTool::makeWindow() {
  auto* window = new HistoryWindow(sheet_.state().VersionNumber, &sheet_);
  connect(window->addImprovements(sheet_.state()), &ImprovementsTab::chartChosen, &sheet_,
          [this](int16_t position, Chart chart) {
            raiseSheet(sheet_);
            sheet_.showEntryChart(position, chart);
          });
  window->reload();
  return window;
}

}  // namespace nk
