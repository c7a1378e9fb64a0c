// history_tool.h - "記録の推移…" (Ctrl+H): the sheet's history window
// (history_window.h) with its tab of improvements. The window reads the
// history file, so it reads it again after every save of the sheet and at
// every opening (a closed window is only hidden, and another window of the
// same version may have saved meanwhile). A double click on an improvement
// shows its chart on the sheet.
#pragma once

#include "ui/tool_window.h"

namespace nk {

class HistoryTool : public WindowTool {
public:
  HistoryTool(frmACScore& sheet, QObject* parent);

private:
  QWidget* makeWindow();
  void open();
};

}  // namespace nk
