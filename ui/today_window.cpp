// today_window.cpp - the day chooser, the card's preview and its saving.
#include "ui/today_window.h"

#include "data/moment.h"
#include "rival/rival_steps.h"
#include "rival/rival_text.h"
#include "toolkit/toolkit.h"
#include "ui/qt_japanese.h"
#include "ui/save_dialog.h"
#include "ui/sheet_font.h"
#include "ui/today_card.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPixmap>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace nk {
namespace {

// The preview at half the card's size.
constexpr int PreviewWidth = TodayCardWidth / 2;
constexpr int PreviewHeight = TodayCardHeight / 2;

std::chrono::year_month_day civilDate(QDate date) {
  return std::chrono::year{date.year()} / std::chrono::month{static_cast<unsigned>(date.month())} /
         std::chrono::day{static_cast<unsigned>(date.day())};
}

}  // namespace

TodayWindow::TodayWindow(const ScoreSheetState& state, const SheetScores& saved, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), saved_(saved) {
  setupWindow();
}

void TodayWindow::setupWindow() {
  setObjectName(QStringLiteral("todayWindow"));
  setWindowTitle(QString::fromUtf8(TodayWindowTitle));
  setFont(toolWindowFont());
  dateEdit_ = new QDateEdit(this);
  dateEdit_->setObjectName(QStringLiteral("dateDay"));
  dateEdit_->setCalendarPopup(true);
  dateEdit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  btnToday_ = new QPushButton(QStringLiteral("今日"), this);
  btnToday_->setObjectName(QStringLiteral("btnToday"));
  btnSaveImage_ = new QPushButton(QStringLiteral("画像を保存…"), this);
  btnSaveImage_->setObjectName(QStringLiteral("btnSaveImage"));
  preview_ = new QLabel(this);
  preview_->setObjectName(QStringLiteral("lblPreview"));
  preview_->setFixedSize(PreviewWidth, PreviewHeight);
  details_ = new QPlainTextEdit(this);
  details_->setObjectName(QStringLiteral("txtDetails"));
  details_->setReadOnly(true);
  connect(dateEdit_, &QDateEdit::dateChanged, this, &TodayWindow::dateEdit_Change);
  connect(btnToday_, &QPushButton::clicked, this, [this] { dateEdit_->setDate(dateEdit_->maximumDate()); });
  connect(btnSaveImage_, &QPushButton::clicked, this, &TodayWindow::btnSaveImage_Click);

  auto* top = new QHBoxLayout;
  top->addWidget(dateEdit_);
  top->addWidget(btnToday_);
  top->addStretch(1);
  top->addWidget(btnSaveImage_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(preview_, 0, Qt::AlignHCenter);
  layout->addWidget(details_, 1);
  resize(PreviewWidth + 40, PreviewHeight + 360);
}

void TodayWindow::reload() {
  const ProgressDay today = todayOf(localMomentNow());
  const QDate todayDate = QDate::fromString(QString::fromStdString(today.date), Qt::ISODate);
  {
    const QSignalBlocker quiet(dateEdit_);
    dateEdit_->setMaximumDate(todayDate);
    if (followToday_) dateEdit_->setDate(todayDate);
  }
  const QDate chosen = dateEdit_->date();
  progress_ = loadTodayProgress(state_, saved_, chosen == todayDate ? today : dayOf(civilDate(chosen)));
  // The kept rivals the day passed, on the card and below it.
  TodayCardText text = todayCardText(progress_, state_.VersionNumber);
  text.passed = rivalsPassedText(rivalsPassed(state_, progress_.startTotal, progress_.endTotal));
  card_ = paintTodayCard(text, sheetFont());
  preview_->setPixmap(QPixmap::fromImage(
      card_.scaled(PreviewWidth, PreviewHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  details_->setPlainText(QString::fromStdString(todayProgressText(progress_) +
                                               (text.passed.empty() ? "" : "\n" + text.passed + "\n")));
}

void TodayWindow::dateEdit_Change(QDate date) {
  followToday_ = date == dateEdit_->maximumDate();
  reload();
}

bool TodayWindow::saveCardTo(const QString& path) {
  const QByteArray png = todayCardPng(card_);
  const FileWriteResult result =
      saveTodayCard(path.toStdString(), std::string_view(png.constData(), static_cast<size_t>(png.size())));
  if (!result.ok) toolkit().messageBox(result.failure, SaveFailureTitle, MsgIcon::Exclamation);
  return result.ok;
}

void TodayWindow::btnSaveImage_Click() {
  const QString suggested = QString::fromStdString(todayCardFileName(progress_, state_.VersionNumber));
  const QString path = askSaveFileName(this, QStringLiteral("画像を保存"), suggested, QStringLiteral("PNG 画像 (*.png)"));
  if (!path.isEmpty()) saveCardTo(path);
}

}  // namespace nk
