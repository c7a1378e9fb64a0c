// rival_tab.cpp - the rival chosen, its lines and table, and its buttons.
#include "ui/rival_tab.h"

#include "ui/text_table.h"

#include "rival/rival_source.h"
#include "rival/rival_steps.h"
#include "rival/rival_store.h"
#include "rival/rival_table.h"
#include "rival/rival_text.h"
#include "toolkit/notice.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nk {
namespace {

constexpr int SortRole = Qt::UserRole;
constexpr int PositionRole = Qt::UserRole + 1;
constexpr int UraRole = Qt::UserRole + 2;
constexpr const char* NoRivalNote =
    "ライバルはまだいません。「ライバルを追加…」で、友達が「データを書き出す…」で書き出した zip か、"
    "友達のスコアファイル（ac<番号>score.csv）を選んでください。";

// A cell that sorts by its SortRole: numbers as numbers, the rest as text.
class SortedItem : public QTableWidgetItem {
public:
  using QTableWidgetItem::QTableWidgetItem;
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant mine = data(SortRole), theirs = other.data(SortRole);
    if (mine.isValid() && theirs.isValid()) return mine.toLongLong() < theirs.toLongLong();
    return QTableWidgetItem::operator<(other);
  }
};

QLabel* makeLine(QWidget& tab, const QString& name) {
  auto* label = new QLabel(&tab);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setWordWrap(true);
  return label;
}

QPushButton* makeButton(QWidget& tab, const char* text, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(text), &tab);
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

RivalTab::RivalTab(const ScoreSheetState& state, QWidget* parent)
    : QWidget(parent), state_(state), positions_(displayPositions(state)) {
  setObjectName(QStringLiteral("rivalTab"));
  // Its lines and table scroll as one where a small screen leaves the
  // window too little room for them.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("rivalScroll"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long lines wrap instead
  auto* page = new QWidget(scroll);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(makeButtonRow());
  total_ = makeLine(*this, QStringLiteral("lblRivalTotal"));
  layout->addWidget(total_);
  for (size_t slot = 0; slot < CountedLevels; ++slot) {
    levels_[slot] = makeLine(*this, QStringLiteral("lblRivalLevel_%1").arg(slot));
    layout->addWidget(levels_[slot]);
  }
  passing_ = makeLine(*this, QStringLiteral("lblRivalPassing"));
  layout->addWidget(passing_);
  note_ = makeLine(*this, QStringLiteral("lblRivalNote"));
  layout->addWidget(note_);
  table_ = makeTextTable(*this, "rivalTable", RivalColumns, nullptr, RivalColTitle);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionsClickable(true);
  table_->horizontalHeader()->setSortIndicatorShown(true);
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  // A click on a heading sorts by it, a second one the other way; the order
  // stays while the scores change.
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    sortOrder_ = column == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortColumn_ = column;
    table_->horizontalHeader()->setSortIndicator(sortColumn_, sortOrder_);
    table_->sortItems(sortColumn_, sortOrder_);
  });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    const QTableWidgetItem* item = table_->item(row, 0);
    if (item && item->data(PositionRole).toInt() >= 0)
      emit chartChosen(static_cast<int16_t>(item->data(PositionRole).toInt()), chartOf(item->data(UraRole).toBool()));
  });
  layout->addWidget(table_, 1);
  scroll->setWidget(page);
  fillNames();
  loadChosen();
}

// The rivals' list, "ライバルを追加…", "削除" and "このライバルを目標に".
QLayout* RivalTab::makeButtonRow() {
  auto* row = new QHBoxLayout;
  rivals_ = new QComboBox(this);
  rivals_->setObjectName(QStringLiteral("cboRival"));
  rivals_->setMinimumContentsLength(12);
  row->addWidget(rivals_, 1);
  auto* add = makeButton(*this, "ライバルを追加…", "btnAddRival");
  remove_ = makeButton(*this, "削除", "btnRemoveRival");
  target_ = makeButton(*this, "このライバルを目標に", "btnRivalTarget");
  row->addWidget(add);
  row->addWidget(remove_);
  row->addWidget(target_);
  connect(rivals_, &QComboBox::activated, this, [this](int index) { choose(rivals_->itemText(index).toStdString()); });
  connect(add, &QPushButton::clicked, this, &RivalTab::askToAdd);
  connect(remove_, &QPushButton::clicked, this, &RivalTab::removeChosen);
  connect(target_, &QPushButton::clicked, this, [this] {
    if (comparison_ && comparison_->passingTotal) emit targetChosen(*comparison_->passingTotal);
  });
  return row;
}

void RivalTab::fillNames() {
  const RivalNames kept = rivalNames(state_.VersionNumber);
  rivals_->clear();
  for (const std::string& name : kept.names) rivals_->addItem(QString::fromStdString(name));
  namesNote_ = kept.failure;
  const int at = rivals_->findText(QString::fromStdString(chosen_));
  if (at < 0) chosen_ = kept.names.empty() ? std::string() : kept.names.front();
  rivals_->setCurrentIndex(std::max(at, 0));
  rivals_->setEnabled(!kept.names.empty());
}

void RivalTab::loadChosen() {
  rivalScores_.reset();
  loadNote_.clear();
  if (chosen_.empty()) {
    loadNote_ = namesNote_.empty() ? NoRivalNote : namesNote_;
    return;
  }
  const RivalOnSheet on = rivalOnSheet(chosen_, state_);
  if (!on.scores) {
    loadNote_ = on.failure;
    return;
  }
  rivalScores_ = on.scores;
  if (on.placed.onThisPcLists) loadNote_ = onThisPcListsText();
  if (const std::string unmatched = unmatchedText(on.placed.unmatched); !unmatched.empty())
    loadNote_ += (loadNote_.empty() ? "" : "\r\n") + unmatched;
}

bool RivalTab::choose(const std::string& name) {
  if (rivals_->findText(QString::fromStdString(name)) < 0) return false;
  chosen_ = name;
  rivals_->setCurrentText(QString::fromStdString(name));
  loadChosen();
  showComparison();
  return true;
}

void RivalTab::showScores(const SheetScores& mine) {
  mine_ = mine;
  showComparison();
}

void RivalTab::showComparison() {
  comparison_.reset();
  if (rivalScores_ && !mine_.normal.empty()) comparison_ = compareWithRival(state_, mine_, *rivalScores_);
  const bool shown = comparison_.has_value();
  total_->setText(shown ? QString::fromStdString(rivalTotalLine(chosen_, *comparison_)) : QString());
  for (size_t slot = 0; slot < CountedLevels; ++slot)
    levels_[slot]->setText(shown ? QString::fromStdString(rivalLevelLine(chosen_, comparison_->levels[slot])) : QString());
  passing_->setText(shown ? QString::fromStdString(passingTotalLine(chosen_, *comparison_)) : QString());
  note_->setText(QString::fromStdString(loadNote_));
  note_->setHidden(loadNote_.empty());
  remove_->setEnabled(!chosen_.empty());
  target_->setEnabled(shown && comparison_->passingTotal.has_value());
  fillTable();
}

void RivalTab::fillTable() {
  QStringList headers;
  for (int c = 0; c < RivalColumns; ++c) headers << QString::fromStdString(rivalColumnName(c, chosen_));
  table_->setHorizontalHeaderLabels(headers);
  const std::vector<ChartSideBySide> none;
  const std::vector<ChartSideBySide>& charts = comparison_ ? comparison_->charts : none;
  table_->setRowCount(static_cast<int>(charts.size()));
  for (size_t r = 0; r < charts.size(); ++r) {
    const ChartSideBySide& chart = charts[r];
    const std::vector<std::string> cells = rivalRowCells(state_, chart);
    const std::array<std::optional<int64_t>, RivalColumns> sortBy = {
        std::nullopt, std::nullopt, chart.level, std::nullopt, chart.mine, chart.rival, chart.rivalLead};
    for (int c = 0; c < RivalColumns; ++c) {
      auto* item = new SortedItem(QString::fromStdString(cells.at(static_cast<size_t>(c))));
      if (const auto& key = sortBy[static_cast<size_t>(c)]) {
        item->setData(SortRole, static_cast<qlonglong>(*key));
        if (c >= RivalColMine) item->setTextAlignment(Qt::AlignVCenter | Qt::AlignRight);
      }
      table_->setItem(static_cast<int>(r), c, item);
    }
    table_->item(static_cast<int>(r), 0)->setData(PositionRole, static_cast<int>(positions_.at(chart.entry)));
    table_->item(static_cast<int>(r), 0)->setData(UraRole, isUra(chart.chart));
  }
  if (sortColumn_ >= 0) table_->sortItems(sortColumn_, sortOrder_);
}

bool RivalTab::addFrom(const std::string& path, const std::string& name) {
  const RivalAdded added = addRival(path, name, state_);
  if (!added.ok) {
    showNotice({RivalAddTitle, added.failure, MsgIcon::Exclamation});
    return false;
  }
  chosen_ = added.kept.name;
  fillNames();
  choose(chosen_);
  showNotice({RivalAddTitle, added.text, MsgIcon::None});
  return true;
}

void RivalTab::askToAdd() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  // A modal loop of its own, as the data zip's dialog: Windows shows its own.
  QPointer<QFileDialog> dialog = new QFileDialog(this, QStringLiteral("ライバルを追加"), folder,
                                                 QStringLiteral("友達のデータ (*.zip *.csv)"));
  dialog->setObjectName(QStringLiteral("rivalFileDialog"));
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  const bool picked = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
  const std::string path = picked ? dialog->selectedFiles().front().toStdString() : std::string();
  delete dialog;
  if (path.empty()) return;
  if (const std::string name = askName(path); !name.empty()) addFrom(path, name);
}

std::string RivalTab::askName(const std::string& path) {
  QString name = QString::fromStdString(proposedRivalName(path));
  for (;;) {
    bool ok = false;
    name = QInputDialog::getText(this, QString::fromUtf8(RivalAddTitle), QStringLiteral("ライバルの名前:"),
                                 QLineEdit::Normal, name, &ok);
    if (!ok) return {};
    const std::string failure = rivalNameFailure(name.trimmed().toStdString());
    if (failure.empty()) return name.trimmed().toStdString();
    showNotice({RivalAddTitle, failure, MsgIcon::Exclamation});
  }
}

bool RivalTab::removeChosen() {
  if (chosen_.empty()) return false;
  const Question question{"ライバル「" + chosen_ + "」を削除しますか？（保存したライバルの点数だけが消えます）",
                          "ライバルの削除", MsgIcon::None, {"削除", "キャンセル"}, 1, 1};
  if (toolkit().ask(question) != 0) return false;
  if (const std::string failure = removeRival(state_.VersionNumber, chosen_); !failure.empty()) {
    showNotice({"ライバルの削除", failure, MsgIcon::Exclamation});
    return false;
  }
  chosen_.clear();
  fillNames();
  loadChosen();
  showComparison();
  return true;
}

}  // namespace nk
