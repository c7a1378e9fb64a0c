// breakdown_trial.cpp - the breakdown window's target total and its trial of
// scores: the target's row, the trial's buttons and what they do.
#include "ui/breakdown_window.h"

#include "data/display_text.h"
#include "data/target_total.h"
#include "total/plan_text.h"
#include "toolkit/toolkit.h"
#include "ui/plan_tab.h"
#include "ui/qt_japanese.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>

#include <limits>

namespace nk {
namespace {

QPushButton* makeButton(QWidget& window, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromUtf8(text), &window);
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

std::string trialRefusal() {
  return "試算の点数は 0 から " + groupedDecimal(std::numeric_limits<int32_t>::max()) +
         " までの整数で入力してください（空欄でシートの点数に戻ります）。";
}

}  // namespace

QLayout* BreakdownWindow::makeTargetRow() {
  auto* row = new QHBoxLayout;
  targetLine_ = new QLabel(this);
  targetLine_->setObjectName(QStringLiteral("lblTarget"));
  targetLine_->setTextFormat(Qt::PlainText);
  targetLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  row->addWidget(targetLine_, 1);
  QPushButton* set = makeButton(*this, "btnSetTarget", "目標を設定…");
  row->addWidget(set);
  connect(set, &QPushButton::clicked, this, &BreakdownWindow::askTarget);
  return row;
}

QLayout* BreakdownWindow::makeTrialRow() {
  auto* row = new QHBoxLayout;
  trialStart_ = makeButton(*this, "btnTrial", "試算");
  trialStop_ = makeButton(*this, "btnTrialStop", "試算をやめる");
  trialApply_ = makeButton(*this, "btnTrialApply", "シートに反映");
  for (QPushButton* button : {trialStart_, trialStop_, trialApply_}) row->addWidget(button);
  row->addStretch(1);
  connect(trialStart_, &QPushButton::clicked, this, &BreakdownWindow::startTrial);
  connect(trialStop_, &QPushButton::clicked, this, &BreakdownWindow::stopTrial);
  connect(trialApply_, &QPushButton::clicked, this, &BreakdownWindow::applyTrial);
  return row;
}

QPushButton* BreakdownWindow::button(const char* name) const {
  return findChild<QPushButton*>(QString::fromUtf8(name));
}

void BreakdownWindow::askTarget() {
  auto* dialog = new QInputDialog(this);
  dialog->setObjectName(QStringLiteral("targetDialog"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setFont(toolWindowFont());
  dialog->setWindowTitle(QString::fromUtf8(TargetTitle));
  dialog->setLabelText(QStringLiteral("目標総合得点（空欄で目標なし）:"));
  dialog->setTextValue(target_ ? QString::number(*target_) : QString());
  connect(dialog, &QInputDialog::textValueSelected, this, &BreakdownWindow::setTargetText);
  dialog->open();
}

bool BreakdownWindow::setTargetText(const QString& typed) {
  const auto parsed = parseTargetText(typed.toStdString());
  if (!parsed) {
    toolkit().messageBox(targetRefusal(), TargetTitle, MsgIcon::Exclamation);
    return false;
  }
  const FileWriteResult saved = saveTargetTotal(state_.VersionNumber, *parsed);
  if (!saved.ok) {
    toolkit().messageBox(saved.failure + notSavedText("目標総合得点") + "。", TargetTitle, MsgIcon::Exclamation);
    return false;
  }
  target_ = *parsed;
  status_->clear();
  refresh();
  return true;
}

void BreakdownWindow::startTrial() {
  trial_.start();
  showTrialState();
  refresh();
}

bool BreakdownWindow::tryScore(size_t target, const QString& typed) {
  if (!trial_.active()) return false;
  const auto score = parseTrialScore(typed.toStdString());
  if (!score) {
    toolkit().messageBox(trialRefusal(), "試算", MsgIcon::Exclamation);
    return false;
  }
  trial_.set(state_, target, *score);
  showTrialState();
  scheduleRefresh();
  return true;
}

void BreakdownWindow::stopTrial() {
  trial_.stop();
  showTrialState();
  refresh();
}

void BreakdownWindow::planToTrial() {
  trial_.addPlan(state_, plan_);
  showTrialState();
  refresh();
}

void BreakdownWindow::applyTrial() {
  const std::vector<TypedScore> scores = trial_.typedScores(state_, positions_);
  trial_.stop();
  showTrialState();
  // The sheet's boxes change, and their signals refresh this window.
  if (!scores.empty()) emit scoresToType(scores);
  refresh();
  status_->setText(QStringLiteral("試算の %1 譜面をシートに入力しました（未保存）。").arg(scores.size()));
}

void BreakdownWindow::showTrialState() {
  const bool trying = trial_.active();
  trialNote_->setVisible(trying);
  trialStart_->setEnabled(!trying);
  trialStop_->setEnabled(trying);
  trialApply_->setEnabled(trying && trial_.size() > 0);
  for (BreakdownModel* model : models_) model->setTrying(trying);
}

TotalBreakdown BreakdownWindow::sheetBreakdown() const {
  return trial_.active() ? computeTotalBreakdown(state_) : breakdown_;
}

}  // namespace nk
