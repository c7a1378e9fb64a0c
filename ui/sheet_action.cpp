// sheet_action.cpp - a dialog over the sheet, with the focus reported after it.
#include "ui/sheet_action.h"

#include "ui/frmACScore.h"

#include <QDialog>

namespace nk {

void openSheetDialog(frmACScore& sheet, QDialog* dialog) {
  // Queued: after the dialog's own signals, which may move the focus.
  QObject::connect(dialog, &QDialog::finished, &sheet, [s = &sheet] { s->reportFocusAfterDialog(); },
                   Qt::QueuedConnection);
  dialog->open();
}

void raiseSheet(frmACScore& sheet) {
  sheet.activateWindow();
  sheet.raise();
}

}  // namespace nk
