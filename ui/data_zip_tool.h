// data_zip_tool.h - the sheet's tools that carry the player's data to another
// PC: "データを書き出す…" (Ctrl+Shift+E) writes every version's files into
// one zip, "データを読み込む…" (Ctrl+Shift+I) reads such a zip and shows its
// changes (import_dialog.h) before they are made. The steps and their boxes
// are data_zip_steps.h's; this tool asks for the file and the agreement, and
// once an import rewrote the score file, the sheet takes its scores.
#pragma once

#include <QObject>

#include <string>

class QAction;
class QFileDialog;

namespace nk {

class frmACScore;

class DataZipTool : public QObject {
public:
  DataZipTool(frmACScore& sheet, QObject* parent);

  QAction* exportAction() const { return export_; }
  QAction* importAction() const { return import_; }

private:
  void openExport();
  void openImport();
  void importFrom(const std::string& path);
  QFileDialog* makeDataFileDialog(bool saving);
  // The path chosen, or empty when the dialog was cancelled.
  std::string chooseDataFile(bool saving);

  frmACScore& sheet_;
  QAction* export_ = nullptr;
  QAction* import_ = nullptr;
};

}  // namespace nk
