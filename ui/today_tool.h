// today_tool.h - "今日の成果…" (Ctrl+T): the sheet's window of the day's
// progress (today_window.h), from the saved scores. It reads the history
// again after every save of the sheet and at every opening: another window
// may have saved meanwhile, and today may have become a new day.
#pragma once

#include <QObject>

class QAction;

namespace nk {

class ToolWindow;
class frmACScore;

class TodayTool : public QObject {
public:
  TodayTool(frmACScore& sheet, QObject* parent);

  QAction* action() const { return action_; }

private:
  void open();

  frmACScore& sheet_;
  ToolWindow* window_ = nullptr;
  QAction* action_ = nullptr;
};

}  // namespace nk
