// paste_dialog.h - "スコアを貼り付ける": what the pasted lines would change
// (title, 表/裏, now, pasted), the lines whose song the player picks or
// leaves, and the lines not used with why; "入力する" hands the changes, as
// they are against the sheet at that moment, to scoresToType() (the sheet
// types them, unsaved) and closes. Nothing changes before that button.
//
// It only reads the sheet's state, which must outlive it (it is the sheet's
// child); the lists follow every pick.
#pragma once

#include "input/score_paste.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace nk {

class PasteDialog : public QDialog {
  Q_OBJECT

public:
  PasteDialog(const ScoreSheetState& state, PasteReview review, QWidget* parent);

  QLabel* summary() const { return summary_; }
  QTableWidget* changes() const { return changes_; }
  // The song column holds a combo box per row: "leave" first, then the candidates.
  QTableWidget* choices() const { return choices_; }
  QTableWidget* unused() const { return unused_; }
  QPushButton* typeButton() const { return type_; }

signals:
  void scoresToType(const std::vector<TypedScore>& scores);

private:
  void addChoiceRows();
  void refresh();

  const ScoreSheetState& state_;
  PasteReview review_;
  std::vector<int16_t> picks_;
  QLabel* summary_ = nullptr;
  QTableWidget* changes_ = nullptr;
  QTableWidget* choices_ = nullptr;
  QTableWidget* unused_ = nullptr;
  QPushButton* type_ = nullptr;
};

}  // namespace nk
