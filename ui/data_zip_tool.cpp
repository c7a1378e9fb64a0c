// data_zip_tool.cpp - the player's data written into a zip and read back.
#include "ui/data_zip_tool.h"

#include "archive/data_zip_steps.h"
#include "archive/player_files.h"
#include "ui/frmACScore.h"
#include "ui/import_dialog.h"
#include "ui/sheet_action.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QStandardPaths>

#include <memory>

namespace nk {

DataZipTool::DataZipTool(frmACScore& sheet, QObject* parent) : QObject(parent), sheet_(sheet) {
  export_ = addSheetAction(sheet, *this, "actExportData", "データを書き出す…",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), [this] { openExport(); });
  import_ = addSheetAction(sheet, *this, "actImportData", "データを読み込む…",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), [this] { openImport(); });
}

QFileDialog* DataZipTool::makeDataFileDialog(bool saving) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  auto* dialog = new QFileDialog(&sheet_, QString::fromUtf8(saving ? "データを書き出す" : "データを読み込む"), folder,
                                 QStringLiteral("zip (*.zip)"));
  dialog->setObjectName(QStringLiteral("dataFileDialog"));
  dialog->setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setDefaultSuffix(QStringLiteral("zip"));
  if (saving) dialog->selectFile(QString::fromStdString(exportFileName(localMomentNow())));
  return dialog;
}

// Run as a modal loop of its own: Windows then shows its own file dialog on
// the program's thread, as every program's "save as" does (a window-modal
// one would run it in a thread of its own, which Wine never draws).
std::string DataZipTool::chooseDataFile(bool saving) {
  QPointer<QFileDialog> dialog = makeDataFileDialog(saving);
  const bool chosen = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
  const std::string path = chosen ? dialog->selectedFiles().front().toStdString() : std::string();
  delete dialog;
  sheet_.reportFocusAfterDialog();
  return path;
}

void DataZipTool::openExport() {
  if (!sheet_.loaded()) return;
  if (const std::string path = chooseDataFile(true); !path.empty()) showNotice(exportData(path, localMomentNow()).notice);
}

void DataZipTool::openImport() {
  if (!sheet_.loaded()) return;
  if (const std::string path = chooseDataFile(false); !path.empty()) importFrom(path);
}

void DataZipTool::importFrom(const std::string& path) {
  if (!sheet_.loaded()) return;
  auto review = std::make_shared<const ImportReview>(reviewImport(path, localMomentNow()));
  if (review->failure) return showNotice(*review->failure);
  auto* dialog = new ImportDialog(review->plan, review->imported, &sheet_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, review] {
    const ImportOutcome outcome = applyImportReview(*review, localMomentNow());
    if (outcome.ok) sheet_.takeFileScores();
    for (const Notice& notice : outcome.notices) showNotice(notice);
  });
  openSheetDialog(sheet_, dialog);
}

}  // namespace nk
