// import_dialog.h - "データを読み込む": what an import of the player's data
// would change, before anything does: the zip's moment and each file's note
// above, every chart whose score changes below (version, title, 表/裏, this
// PC's score, the score after the import, why), and "読み込む", which closes
// the dialog accepted. Nothing changes before that button.
#pragma once

#include "archive/data_merge.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace nk {

class ImportDialog : public QDialog {
public:
  ImportDialog(const ImportPlan& plan, const DataFiles& imported, QWidget* parent);

  QLabel* summary() const { return summary_; }
  QTableWidget* changes() const { return changes_; }
  QPushButton* importButton() const { return import_; }

private:
  QLabel* summary_ = nullptr;
  QTableWidget* changes_ = nullptr;
  QPushButton* import_ = nullptr;
};

}  // namespace nk
