// backup_dialog.cpp - the list of backups and the chosen one's differences.
#include "ui/backup_dialog.h"

#include "ui/qt_japanese.h"
#include "ui/text_table.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nk {

BackupDialog::BackupDialog(const ScoreSheetState& state, std::vector<BackupRead> backups, QWidget* parent)
    : QDialog(parent), state_(state), backups_(std::move(backups)) {
  setObjectName(QStringLiteral("backupDialog"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowModality(Qt::WindowModal);
  setFont(toolWindowFont());
  setWindowTitle(QString::fromUtf8(RestoreTitle));
  auto* layout = new QVBoxLayout(this);
  list_ = makeTextTable(*this, "backupList", BackupColumns, backupColumnName, BackupColDiffering);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setRowCount(static_cast<int>(backups_.size()));
  for (size_t r = 0; r < backups_.size(); ++r) setTextRow(*list_, static_cast<int>(r), backupCells(backups_[r]), 1);
  layout->addWidget(list_, 2);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("lblBackupNote"));
  note_->setTextFormat(Qt::PlainText);
  note_->setWordWrap(true);
  layout->addWidget(note_);
  differences_ = makeTextTable(*this, "backupDifferences", DifferenceColumns, differenceColumnName, DiffColTitle);
  differences_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(differences_, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  restore_ = new QPushButton(QStringLiteral("この点数を入力"), this);
  restore_->setObjectName(QStringLiteral("btnRestore"));
  restore_->setAutoDefault(false);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("btnClose"));
  buttons->addWidget(restore_);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) { showDifferences(row); });
  connect(restore_, &QPushButton::clicked, this, [this] {
    const int row = list_->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= backups_.size()) return;
    const BackupRead backup = backups_[static_cast<size_t>(row)];
    accept();
    emit chosen(backup);
  });
  resize(560, 520);
  if (backups_.empty()) note_->setText(QStringLiteral("バックアップはまだありません。保存するたびに、保存前の点数が残ります。"));
  list_->setCurrentCell(backups_.empty() ? -1 : 0, 0);
  showDifferences(list_->currentRow());
}

void BackupDialog::showDifferences(int row) {
  const BackupRead* backup = row >= 0 && static_cast<size_t>(row) < backups_.size() ? &backups_[static_cast<size_t>(row)] : nullptr;
  const bool usable = backup && backup->failure.empty() && !backup->differences.empty();
  restore_->setEnabled(usable);
  differences_->setRowCount(backup ? static_cast<int>(backup->differences.size()) : 0);
  if (!backup) return;
  for (size_t r = 0; r < backup->differences.size(); ++r)
    setTextRow(*differences_, static_cast<int>(r), differenceCells(state_, backup->differences[r]), DiffColNow);
  if (!backup->failure.empty())
    note_->setText(QString::fromStdString(backup->failure));
  else if (backup->differences.empty())
    note_->setText(QString::fromStdString(sameAsBackupText(*backup)));
  else
    note_->setText(QStringLiteral("%1 の保存前の点数と今のシートの違い（「この点数を入力」でシートに入力します。保存するまでファイルは変わりません）")
                       .arg(QString::fromStdString(backup->time)));
}

}  // namespace nk
