// frmACScore_events.cpp - the score sheet's events: its load, the page
// display, score entry, the total, saving and leaving.
#include "ui/frmACScore.h"

#include "net/load_cancel.h"
#include "data/page_view.h"
#include "sheet/score_sheet.h"
#include "total/total_score.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPalette>

namespace nk {
namespace {

const char* const RejectedScoreTip = "この点数は大きすぎるため記録されません。直してください。";

// A box whose text cannot be stored as a score looks it until corrected.
void markRejected(ScoreBox* box, bool rejected) {
  if (box->property("rejected").toBool() == rejected) return;
  box->setProperty("rejected", rejected);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, rejected ? QColor(255, 208, 208) : QApplication::palette(box).color(QPalette::Base));
  box->setPalette(palette);
  box->setToolTip(rejected ? QString::fromUtf8(RejectedScoreTip) : box->property("changeTip").toString());
}

template <typename Box>
void showChart(Box* box, QLabel* level, const ChartView& chart) {
  box->setVisible(chart.visible);
  level->setVisible(chart.visible);
  if (!chart.visible) return;
  box->setText(QString::fromStdString(chart.score));
  level->setText(QString::fromStdString(chart.level));
  box->setAccessibleName(QString::fromStdString(chart.boxName));
  level->setAccessibleDescription(QString::fromStdString(chart.levelDescription));
}

}  // namespace

void frmACScore::Form_Load() {
  if (!lock_.acquire(version_) && toolkit().ask(sharedSheetQuestion(version_)) != GoOn) return;
  show();
  loading_ = true;
  {
    // The load's progress texts go to this sheet's status line, and to no
    // window once the load is over, however it ended.
    struct Attached {
      explicit Attached(StatusLine* line) : line_(line) { toolkit().attachStatusLine(line); }
      ~Attached() {
        if (toolkit().statusLine() == line_) toolkit().attachStatusLine(nullptr);
      }
      StatusLine* line_;
    } attached(this);
    if (loadStep_) loadStep_(*this);
  }
  loading_ = false;
  sheet_.opened();
  showChangeTips();
}

void frmACScore::showStatus(const std::string& text) { lblStatusBar_->setText(QString::fromStdString(text)); }

void frmACScore::ShowPage() {
  const auto rows = pageRows(state());
  for (int r = 0; r < RowsPerPage; ++r) {
    const RowView& row = rows[static_cast<size_t>(r)];
    if (!row.visible) {
      // An empty row keeps its old texts; it is only hidden.
      for (QWidget* control : {static_cast<QWidget*>(lblSongTitle_[r]), static_cast<QWidget*>(txtScore_[r]),
                               static_cast<QWidget*>(lblDifficulty_[r]), static_cast<QWidget*>(txtScoreU_[r]),
                               static_cast<QWidget*>(lblDifficultyU_[r])})
        control->setVisible(false);
      continue;
    }
    lblSongTitle_[r]->setVisible(true);
    lblSongTitle_[r]->setText(QString::fromStdString(row.title));
    showChart(txtScore_[r], lblDifficulty_[r], row.normal);
    showChart(txtScoreU_[r], lblDifficultyU_[r], row.ura);
  }
  setWindowTitle(QString::fromStdString(pageTitle(state())));
  showChangeTips();
}

void frmACScore::showChangeTips() {
  const auto tips = sheet_.pageTips();
  for (size_t r = 0; r < tips.size(); ++r) {
    for (size_t c = 0; c < 2; ++c) {
      ScoreBox* box = (c ? txtScoreU_ : txtScore_)[r];
      const QString tip = QString::fromStdString(tips[r][c]);
      box->setProperty("changeTip", tip);
      if (!box->property("rejected").toBool()) box->setToolTip(tip);
    }
  }
}

void frmACScore::scoreChanged(ScoreBox* box, int16_t r, Chart chart) {
  // Until the load is done the rows map to nothing.
  if (!loaded()) return;
  const EntryResult result = sheet_.store(r, chart, box->text().toStdString());
  markRejected(box, result == EntryResult::NotANumber);
  if (result == EntryResult::Stored) emit scoresChanged();
}

void frmACScore::txtScore_Change(int16_t r) { scoreChanged(txtScore_.at(static_cast<size_t>(r)), r, Chart::Normal); }

void frmACScore::txtScoreU_Change(int16_t r) { scoreChanged(txtScoreU_.at(static_cast<size_t>(r)), r, Chart::Ura); }

void frmACScore::btnBack_Click() {
  if (!loaded()) return;
  pageBack(state());
  ShowPage();
}

void frmACScore::btnNext_Click() {
  if (!loaded()) return;
  pageNext(state());
  ShowPage();
}

void frmACScore::btnCalc_Click() {
  if (!loaded()) return;
  showTotalScore(log_, state());
}

bool frmACScore::saveScores() {
  const SaveReport report = sheet_.save(localMomentNow());
  if (report.sheetChanged) {
    ShowPage();
    emit scoresChanged();
  }
  if (report.saved) showChangeTips();
  showSaveReport(log_, report);
  if (report.saved) emit scoresSaved();
  return report.saved;
}

void frmACScore::btnSave_Click() {
  if (!loaded()) return;
  saveScores();
}

bool frmACScore::hasUnsavedScores() const { return sheet_.hasUnsavedScores(); }

bool frmACScore::mayLeave() {
  if (!hasUnsavedScores()) return true;
  switch (toolkit().ask(unsavedScoresQuestion())) {
    case SaveScores:
      return saveScores();
    case DiscardScores:
      return true;
    default:
      return false;
  }
}

void frmACScore::btnMenu_Click() {
  if (!loaded() || !mayLeave()) return;
  leaving_ = true;
  emit menuRequested();
  close();
}

void frmACScore::closeEvent(QCloseEvent* event) {
  // The load yields to the window system: the sheet must outlive it. The
  // load sees the request after the yield that brought this event and ends
  // the program; there are no scores yet that could be lost.
  if (loading_) {
    loadCancel_->request();
    event->ignore();
    return;
  }
  if (!leaving_ && !mayLeave()) {
    event->ignore();
    return;
  }
  leaving_ = true;
  lock_.release();
  event->accept();
}

}  // namespace nk
