// history_tool.h - "記録の推移…" (Ctrl+H): the sheet's history window
// (history_window.h) with its tab of improvements. The window reads the
// history file, so it reads it again after every save of the sheet and at
// every opening (a closed window is only hidden, and another window of the
// same version may have saved meanwhile). A double click on an improvement
// shows its chart on the sheet.
#pragma once

#include <QObject>

class QAction;

namespace nk {

class ToolWindow;
class frmACScore;

class HistoryTool : public QObject {
public:
  HistoryTool(frmACScore& sheet, QObject* parent);

  QAction* action() const { return action_; }

private:
  QWidget* makeWindow();
  void open();

  frmACScore& sheet_;
  ToolWindow* window_ = nullptr;
  QAction* action_ = nullptr;
};

}  // namespace nk
