// import_dialog.cpp - the changes of an import, shown before it is done.
#include "ui/import_dialog.h"

#include "archive/player_files.h"
#include "ui/qt_japanese.h"
#include "ui/text_table.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nk {

ImportDialog::ImportDialog(const ImportPlan& plan, const DataFiles& imported, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("importDialog"));
  setWindowModality(Qt::WindowModal);
  setFont(toolWindowFont());
  setWindowTitle(QString::fromUtf8(ImportTitle));
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel(QString::fromStdString(importSummary(plan, imported)), this);
  summary_->setObjectName(QStringLiteral("lblImportSummary"));
  summary_->setTextFormat(Qt::PlainText);
  summary_->setWordWrap(true);
  layout->addWidget(summary_);
  changes_ = makeTextTable(*this, "importChanges", ImportColumns, importColumnName, ImportColTitle);
  changes_->setRowCount(static_cast<int>(plan.changes.size()));
  for (size_t r = 0; r < plan.changes.size(); ++r)
    setTextRow(*changes_, static_cast<int>(r), changeCells(plan.changes[r]), ImportColHere);
  layout->addWidget(changes_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  import_ = new QPushButton(QStringLiteral("読み込む"), this);
  import_->setObjectName(QStringLiteral("btnImport"));
  import_->setEnabled(!plan.writes.empty());
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  cancel->setDefault(true);
  buttons->addWidget(import_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(import_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  resize(640, 520);
}

}  // namespace nk
