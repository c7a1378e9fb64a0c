// save_dialog.cpp - the save dialogs' folder, kept for the run by the toolkit.
#include "ui/save_dialog.h"

#include "toolkit/toolkit.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace nk {

QString saveDialogFolder() {
  const std::string& last = toolkit().lastSaveFolder();
  if (!last.empty()) return QString::fromStdString(last);
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return documents.isEmpty() ? QDir::homePath() : documents;
}

QString askSaveFileName(QWidget* parent, const QString& caption, const QString& fileName, const QString& filter) {
  const QString path =
      QFileDialog::getSaveFileName(parent, caption, QDir(saveDialogFolder()).filePath(fileName), filter);
  if (!path.isEmpty()) toolkit().setLastSaveFolder(QFileInfo(path).absolutePath().toStdString());
  return path;
}

}  // namespace nk
