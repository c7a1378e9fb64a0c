// paste_dialog.cpp - the review of pasted scores and the player's picks.
#include "ui/paste_dialog.h"

#include "ui/qt_japanese.h"
#include "ui/text_table.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nk {
namespace {

QLabel* makeLabel(QWidget& parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, &parent);
  label->setObjectName(QString::fromUtf8(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

}  // namespace

PasteDialog::PasteDialog(const ScoreSheetState& state, PasteReview review, QWidget* parent)
    : QDialog(parent), state_(state), review_(std::move(review)), picks_(firstChoices(review_)) {
  setObjectName(QStringLiteral("pasteDialog"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowModality(Qt::WindowModal);
  setFont(toolWindowFont());
  setWindowTitle(QString::fromUtf8(PasteTitle));
  auto* layout = new QVBoxLayout(this);
  summary_ = makeLabel(*this, "lblPasteSummary", QString());
  layout->addWidget(summary_);
  changes_ = makeTextTable(*this, "pasteChanges", PasteChangeColumns, pasteChangeColumnName, PasteColTitle);
  layout->addWidget(changes_, 3);

  choices_ = makeTextTable(*this, "pasteChoices", PasteChoiceColumns, pasteChoiceColumnName, ChoiceColSong);
  addChoiceRows();
  const bool picking = choices_->rowCount() > 0;
  auto* choicesLabel = makeLabel(*this, "lblPasteChoices", QStringLiteral("曲が決まらない行（曲を選ぶと入力します）"));
  choicesLabel->setVisible(picking);
  choices_->setVisible(picking);
  layout->addWidget(choicesLabel);
  layout->addWidget(choices_, 2);

  unused_ = makeTextTable(*this, "pasteUnused", UnusedColumns, unusedColumnName, UnusedColText);
  layout->addWidget(makeLabel(*this, "lblPasteUnused", QStringLiteral("使わない行")));
  layout->addWidget(unused_, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  type_ = new QPushButton(QStringLiteral("入力する"), this);
  type_->setObjectName(QStringLiteral("btnTypePasted"));
  type_->setAutoDefault(false);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("btnClose"));
  buttons->addWidget(type_);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(type_, &QPushButton::clicked, this, [this] {
    // Against the sheet as it is now, not as it was when the dialog opened.
    const std::vector<TypedScore> scores = pastedScores(pasteOutcome(state_, review_, picks_));
    if (scores.empty()) return;
    accept();
    emit scoresToType(scores);
  });
  resize(640, 560);
  refresh();
}

// A row for each line whose song is not decided, with a box of the songs it may be.
void PasteDialog::addChoiceRows() {
  for (size_t i = 0; i < review_.charts.size(); ++i) {
    const PastedChart& chart = review_.charts[i];
    if (chart.found) continue;
    const int row = choices_->rowCount();
    choices_->insertRow(row);
    setTextRow(*choices_, row, pasteChoiceCells(chart), ChoiceColScore, true);
    auto* songs = new QComboBox(choices_);
    for (const std::string& item : pasteChoiceItems(state_, chart)) songs->addItem(QString::fromStdString(item));
    songs->setEnabled(!chart.candidates.empty());
    connect(songs, &QComboBox::currentIndexChanged, this, [this, i](int index) {
      const std::vector<int16_t>& candidates = review_.charts[i].candidates;
      picks_[i] = index > 0 && static_cast<size_t>(index) <= candidates.size() ? candidates[static_cast<size_t>(index) - 1]
                                                                               : int16_t{-1};
      refresh();
    });
    choices_->setCellWidget(row, ChoiceColSong, songs);
  }
}

void PasteDialog::refresh() {
  const PasteOutcome outcome = pasteOutcome(state_, review_, picks_);
  summary_->setText(QString::fromStdString(pasteSummaryText(outcome)));
  changes_->setRowCount(static_cast<int>(outcome.changes.size()));
  for (size_t r = 0; r < outcome.changes.size(); ++r)
    setTextRow(*changes_, static_cast<int>(r), pasteChangeCells(state_, outcome.changes[r]), PasteColNow, true);
  unused_->setRowCount(static_cast<int>(outcome.unused.size()));
  for (size_t r = 0; r < outcome.unused.size(); ++r)
    setTextRow(*unused_, static_cast<int>(r), unusedCells(outcome.unused[r]), UnusedColumns, true);
  type_->setEnabled(!outcome.changes.empty());
}

}  // namespace nk
