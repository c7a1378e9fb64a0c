// sheet_action.h - what every tool of the score sheet does alike: its action
// on the sheet (a name, the text of the context menu, a shortcut), and its
// dialogs opened over the sheet.
//
// An action is the sheet's (QWidget::actions), so its shortcut works wherever
// the focus is within the sheet and nowhere else; a tool adds its actions in
// the order the sheet lists them. A dialog is opened window-modal; when it
// has closed, the sheet reports its focus again (reportFocusAfterDialog), so
// that a screen reader says where typing goes.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QWidget>

class QDialog;

namespace nk {

class frmACScore;

// An action of the sheet that runs slot, with context as the receiver (the
// slot goes with it).
template <typename Slot>
QAction* addSheetAction(QWidget& sheet, QObject& context, const char* name, const char* text,
                        const QKeySequence& keys, Slot slot) {
  auto* action = new QAction(QString::fromUtf8(text), &sheet);
  action->setObjectName(QString::fromUtf8(name));
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(action, &QAction::triggered, &context, slot);
  sheet.addAction(action);
  return action;
}

// Opens dialog over the sheet; the sheet's focus is reported once it closed.
void openSheetDialog(frmACScore& sheet, QDialog* dialog);

// For a tool window that hands something to the sheet (a chart chosen,
// scores to type): the sheet comes in front of it first, so that the player
// sees where the cursor went.
void raiseSheet(frmACScore& sheet);

}  // namespace nk
