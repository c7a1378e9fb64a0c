// phone_page_tool.h - "スマホ用に書き出す…" (Ctrl+Shift+M): the open sheet
// written as one page for the phone (phone/phone_page.h), into a file the
// player chooses, proposed in the documents folder; with the rival chosen on
// the breakdown window's tab "ライバル" (the first one kept otherwise).
#pragma once

#include <QObject>

class QAction;

namespace nk {

class frmACScore;

class PhonePageTool : public QObject {
public:
  PhonePageTool(frmACScore& sheet, QObject* parent);
  QAction* action() const { return action_; }

private:
  void writePage();

  frmACScore& sheet_;
  QAction* action_ = nullptr;
};

}  // namespace nk
