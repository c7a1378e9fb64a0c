// backup_dialog.h - "バックアップから戻す": the version's backups, newest
// first, with their time, their total and how many charts differ from the
// sheet now; the chosen one's differences (title, 表/裏, now, then) below;
// and "この点数を入力", which hands the chosen backup to chosen() (the sheet
// types its scores) and closes. Nothing changes before that button.
#pragma once

#include "sheet/backup_restore.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace nk {

class BackupDialog : public QDialog {
  Q_OBJECT

public:
  // The backups as read against the sheet now (readBackup).
  BackupDialog(const ScoreSheetState& state, std::vector<BackupRead> backups, QWidget* parent);

  QTableWidget* list() const { return list_; }
  QTableWidget* differences() const { return differences_; }
  QPushButton* restoreButton() const { return restore_; }

signals:
  void chosen(const BackupRead& backup);

private:
  void showDifferences(int row);

  const ScoreSheetState& state_;
  std::vector<BackupRead> backups_;
  QTableWidget* list_ = nullptr;
  QTableWidget* differences_ = nullptr;
  QLabel* note_ = nullptr;
  QPushButton* restore_ = nullptr;
};

}  // namespace nk
