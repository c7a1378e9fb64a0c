// sheet_tools_backups.cpp - the sheet's tools that go back to a backup of the
// score file: the last save undone, and the list of backups.
#include "ui/sheet_tools.h"

#include "sheet/backup_restore.h"
#include "sheet/breakdown_text.h"
#include "toolkit/toolkit.h"
#include "ui/backup_dialog.h"
#include "ui/frmACScore.h"

namespace nk {

void SheetTools::typeBackup(const BackupRead& backup) {
  if (backup.differences.empty()) {
    toolkit().messageBox(sameAsBackupText(backup), UndoSaveTitle, MsgIcon::None);
    return;
  }
  const int typed = sheet_.typeScores(scoresToType(backup.differences, displayPositions(sheet_.state())));
  toolkit().messageBox(typedFromBackupText(backup, typed), UndoSaveTitle, MsgIcon::None);
}

void SheetTools::undoLastSave() {
  if (!sheet_.loaded()) return;
  std::string failure;
  const std::vector<BackupName> backups = listBackups(sheet_.state().VersionNumber, failure);
  if (!failure.empty() || backups.empty()) {
    toolkit().messageBox(failure.empty() ? NoBackupText : failure, UndoSaveTitle, MsgIcon::Exclamation);
    return;
  }
  const BackupRead newest = readBackup(sheet_.state(), backups.front());
  if (!newest.failure.empty()) {
    toolkit().messageBox(newest.failure, UndoSaveTitle, MsgIcon::Exclamation);
    return;
  }
  typeBackup(newest);
}

void SheetTools::openRestore() {
  if (!sheet_.loaded()) return;
  {
    std::string failure;
    std::vector<BackupRead> backups =
        readNewestBackups(sheet_.state(), listBackups(sheet_.state().VersionNumber, failure));
    if (!failure.empty()) toolkit().messageBox(failure, RestoreTitle, MsgIcon::Exclamation);
    auto* dialog = new BackupDialog(sheet_.state(), std::move(backups), &sheet_);
    connect(dialog, &BackupDialog::chosen, this, [this](const BackupRead& backup) { typeBackup(backup); });
    // Queued, as for the sheet's other dialogs: after the dialog's own signals.
    connect(dialog, &QDialog::finished, &sheet_, [sheet = &sheet_] { sheet->reportFocusAfterDialog(); },
            Qt::QueuedConnection);
    dialog->open();
  }
}

}  // namespace nk
