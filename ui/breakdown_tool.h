// breakdown_tool.h - "総合得点の内訳…" (Ctrl+B): the sheet's breakdown window
// (breakdown_window.h), opened beside the sheet. It follows every change of
// a score and every save while it is shown; a double click on a chart shows
// it on the sheet, and a trial's "シートに反映" types its scores there.
#pragma once

#include <QObject>

class QAction;

namespace nk {

class ToolWindow;
class frmACScore;

class BreakdownTool : public QObject {
public:
  BreakdownTool(frmACScore& sheet, QObject* parent);

  QAction* action() const { return action_; }

private:
  QWidget* makeWindow();
  void open();

  frmACScore& sheet_;
  ToolWindow* window_ = nullptr;
  QAction* action_ = nullptr;
};

}  // namespace nk
