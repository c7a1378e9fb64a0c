// today_window.h - the window "今日の成果": for today or a day chosen in its
// date chooser, the card of the day's progress (today_card.h) shrunk to a
// preview, everything of it as text below, and "画像を保存…" for the card as
// a PNG.
//
// Non-modal and owned by its score sheet, it closes with the sheet; the
// sheet's tools open it, raise it when it is open, and have it read the log
// again at every opening and after every save. Today follows the clock: once
// midnight has passed, the next reading shows the new day. What it shows is
// built by today_progress.h from the saved scores; the window only puts it on
// the screen and writes the card's bytes where the player chose.
#pragma once

#include "data/sheet_catalogue.h"
#include "history/today_progress.h"

#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace nk {

class TodayWindow : public QWidget {
  Q_OBJECT

public:
  // Reads state and saved, which the sheet owns and keeps up to date.
  TodayWindow(const ScoreSheetState& state, const SheetScores& saved, QWidget* parent);

  // Reads the log again and shows the chosen day (today, while it is chosen).
  void reload();
  // Writes the card as PNG to path crash-safe; a failure is told in a box.
  bool saveCardTo(const QString& path);

  const TodayProgress& progress() const { return progress_; }
  const QImage& card() const { return card_; }
  QDateEdit* dateEdit() const { return dateEdit_; }
  QPushButton* btnToday() const { return btnToday_; }
  QLabel* preview() const { return preview_; }
  QPlainTextEdit* details() const { return details_; }
  QPushButton* btnSaveImage() const { return btnSaveImage_; }

private:
  void setupWindow();
  void dateEdit_Change(QDate date);
  void btnSaveImage_Click();

  const ScoreSheetState& state_;
  const SheetScores& saved_;
  TodayProgress progress_;
  QImage card_;
  bool followToday_ = true;
  QDateEdit* dateEdit_ = nullptr;
  QPushButton* btnToday_ = nullptr;
  QLabel* preview_ = nullptr;
  QPlainTextEdit* details_ = nullptr;
  QPushButton* btnSaveImage_ = nullptr;
};

}  // namespace nk
