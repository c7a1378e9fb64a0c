// backup_tool.cpp - the last save undone, and the list of backups.
#include "ui/backup_tool.h"

#include "sheet/backup_steps.h"
#include "ui/backup_dialog.h"
#include "ui/frmACScore.h"
#include "ui/sheet_action.h"

namespace nk {

BackupTool::BackupTool(frmACScore& sheet, QObject* parent) : QObject(parent), sheet_(sheet) {
  undoSave_ = addSheetAction(sheet, *this, "actUndoSave", UndoSaveTitle, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z),
                             [this] { undoLastSave(); });
  restore_ = addSheetAction(sheet, *this, "actRestoreBackup", "バックアップから戻す…", QKeySequence(),
                            [this] { openRestore(); });
}

void BackupTool::typeBackup(const BackupRead& backup) {
  const int typed = sheet_.typeScores(backupScoresToType(sheet_.state(), backup));
  showNotice(backupTypedNotice(backup, typed));
}

void BackupTool::undoLastSave() {
  if (!sheet_.loaded()) return;
  const LastSaveBackup last = readLastSaveBackup(sheet_.state());
  if (last.failure) return showNotice(*last.failure);
  typeBackup(*last.backup);
}

void BackupTool::openRestore() {
  if (!sheet_.loaded()) return;
  BackupList list = readBackupList(sheet_.state());
  if (list.failure) showNotice(*list.failure);
  auto* dialog = new BackupDialog(sheet_.state(), std::move(list.backups), &sheet_);
  connect(dialog, &BackupDialog::chosen, this, [this](const BackupRead& backup) { typeBackup(backup); });
  openSheetDialog(sheet_, dialog);
}

}  // namespace nk
