// today_tool.h - "今日の成果…" (Ctrl+T): the sheet's window of the day's
// progress (today_window.h), from the saved scores. It reads the history
// again after every save of the sheet and at every opening: another window
// may have saved meanwhile, and today may have become a new day.
#pragma once

#include "ui/tool_window.h"

namespace nk {

class TodayTool : public WindowTool {
public:
  TodayTool(frmACScore& sheet, QObject* parent);

private:
  void open();
};

}  // namespace nk
