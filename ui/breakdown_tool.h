// breakdown_tool.h - "総合得点の内訳…" (Ctrl+B): the sheet's breakdown window
// (breakdown_window.h), opened beside the sheet. It follows every change of
// a score and every save while it is shown; a double click on a chart shows
// it on the sheet, and a trial's "シートに反映" types its scores there.
//
// "ライバルを追加…" (Ctrl+Shift+R) opens the window on its tab "ライバル" and
// asks there for a friend's file.
#pragma once

#include "ui/tool_window.h"

namespace nk {

class BreakdownTool : public WindowTool {
public:
  BreakdownTool(frmACScore& sheet, QObject* parent);
  QAction* addRivalAction() const { return addRival_; }

private:
  QWidget* makeWindow();
  void open();
  void addRival();

  QAction* addRival_ = nullptr;
};

}  // namespace nk
