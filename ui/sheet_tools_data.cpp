// sheet_tools_data.cpp - the sheet's tools that carry the player's data to
// another PC: every version's files written into one zip, and such a zip
// read back after its changes were shown.
#include "ui/sheet_tools.h"

#include "archive/data_merge.h"
#include "archive/import_journal.h"
#include "archive/player_files.h"
#include "data/score_backup.h"
#include "toolkit/toolkit.h"
#include "ui/frmACScore.h"
#include "ui/import_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QStandardPaths>

#include <memory>

namespace nk {

QFileDialog* SheetTools::makeDataFileDialog(bool saving) {
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
std::string SheetTools::chooseDataFile(bool saving) {
  QPointer<QFileDialog> dialog = makeDataFileDialog(saving);
  const bool chosen = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
  const std::string path = chosen ? dialog->selectedFiles().front().toStdString() : std::string();
  delete dialog;
  sheet_.reportFocusAfterDialog();
  return path;
}

void SheetTools::openExport() {
  if (!sheet_.loaded()) return;
  if (const std::string path = chooseDataFile(true); !path.empty()) exportTo(path);
}

void SheetTools::openImport() {
  if (!sheet_.loaded()) return;
  if (const std::string path = chooseDataFile(false); !path.empty()) importFrom(path);
}

void SheetTools::exportTo(const std::string& path) {
  size_t files = 0;
  const std::string failure = exportPlayerData(path, localMomentNow(), files);
  if (!failure.empty()) {
    toolkit().messageBox(failure, ExportTitle, MsgIcon::Exclamation);
    return;
  }
  toolkit().messageBox("データを書き出しました（ファイル " + std::to_string(files) + " 個）。\n" + path, ExportTitle,
                       MsgIcon::None);
}

void SheetTools::importFrom(const std::string& path) {
  if (!sheet_.loaded()) return;
  ReadDataZip zip = readDataZipFile(path);
  if (!zip.data) {
    toolkit().messageBox(zip.failure + "\n読み込んでいません。", ImportTitle, MsgIcon::Exclamation);
    return;
  }
  GatheredData here = gatherPlayerData(localMomentNow());
  if (!here.failure.empty()) {
    toolkit().messageBox(here.failure + "\n読み込んでいません。", ImportTitle, MsgIcon::Exclamation);
    return;
  }
  auto plan = std::make_shared<const ImportPlan>(planImport(*zip.data, here.data));
  if (!plan->failure.empty()) {
    toolkit().messageBox(plan->failure + "\n読み込んでいません。", ImportTitle, MsgIcon::Exclamation);
    return;
  }
  auto basis = std::make_shared<const DataFiles>(std::move(here.data));
  auto* dialog = new ImportDialog(*plan, *zip.data, &sheet_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, plan, basis] {
    const AppliedImport applied = applyImport(*plan, *basis, localMomentNow());
    if (!applied.ok) {
      toolkit().messageBox(applied.failure, ImportTitle, MsgIcon::Exclamation);
      return;
    }
    sheet_.takeFileScores();
    toolkit().messageBox(importDoneText(*plan), ImportTitle, MsgIcon::None);
    if (!applied.warning.empty()) toolkit().messageBox(applied.warning, BackupFailureTitle, MsgIcon::Exclamation);
  });
  showDialog(dialog);
}

}  // namespace nk
