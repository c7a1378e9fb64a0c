// backup_tool.h - the sheet's tools that go back to a backup of the score
// file: "直前の保存を取り消す" (Ctrl+Alt+Z) types the scores of the backup
// before the last save, and "バックアップから戻す…" lists the backups to choose
// one from (backup_dialog.h). Either way the scores are typed into the boxes
// as the player would, unsaved until 保存; the steps and their boxes are
// backup_steps.h's.
#pragma once

#include <QObject>

class QAction;

namespace nk {

struct BackupRead;
class frmACScore;

class BackupTool : public QObject {
public:
  BackupTool(frmACScore& sheet, QObject* parent);

  QAction* undoSave() const { return undoSave_; }
  QAction* restore() const { return restore_; }

private:
  void undoLastSave();
  void openRestore();
  void typeBackup(const BackupRead& backup);

  frmACScore& sheet_;
  QAction* undoSave_ = nullptr;
  QAction* restore_ = nullptr;
};

}  // namespace nk
