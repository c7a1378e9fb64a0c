// today_tool.cpp - the day's progress window of the sheet.
#include "ui/today_tool.h"

#include "ui/frmACScore.h"
#include "ui/sheet_action.h"
#include "ui/today_window.h"
#include "ui/tool_window.h"

namespace nk {

TodayTool::TodayTool(frmACScore& sheet, QObject* parent) : WindowTool(sheet, parent) {
  window_ = new ToolWindow(
      [&sheet] {
        auto* window = new TodayWindow(sheet.state(), sheet.savedScores(), &sheet);
        window->reload();
        return window;
      },
      [](QWidget& window) { static_cast<TodayWindow&>(window).reload(); }, this);
  window_->staleOn(sheet, &frmACScore::scoresSaved);
  action_ = addSheetAction(sheet, *this, "actToday", "今日の成果…", QKeySequence(Qt::CTRL | Qt::Key_T),
                           [this] { open(); });
}

void TodayTool::open() {
  if (!sheet_.loaded()) return;
  window_->markStale();  // the file and the day may have changed without a save here
  window_->open();
}

}  // namespace nk
