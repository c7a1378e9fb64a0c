// breakdown_window.cpp - the breakdown's labels, tables and buttons.
#include "ui/breakdown_window.h"

#include "ui/plan_tab.h"
#include "ui/qt_japanese.h"
#include "ui/rival_tab.h"
#include "ui/save_dialog.h"

#include "data/target_total.h"
#include "rival/rival_table.h"
#include "total/breakdown_text.h"
#include "total/plan_text.h"
#include "total/total_score.h"
#include "toolkit/toolkit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace nk {
namespace {

constexpr int Gap = 8;  // pixels between the sheet and the window

QLabel* makeLine(QWidget& window, const QString& name) {
  auto* label = new QLabel(&window);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

BreakdownWindow::BreakdownWindow(const ScoreSheetState& state, QWidget* parent, const LastChanges* changes)
    : QWidget(parent, Qt::Window), state_(state), changes_(changes), positions_(displayPositions(state)) {
  setupWindow();
  const TargetTotalRead kept = readTargetTotal(state.VersionNumber);
  target_ = kept.target;
  status_->setText(QString::fromStdString(kept.failure));
  refreshTimer_.setSingleShot(true);
  refreshTimer_.setInterval(0);
  connect(&refreshTimer_, &QTimer::timeout, this, &BreakdownWindow::refresh);
}

void BreakdownWindow::setupWindow() {
  setObjectName(QStringLiteral("breakdownWindow"));
  setWindowTitle(QStringLiteral("総合得点の内訳"));
  // The sheet's large serif face would leave room for a few rows only.
  setFont(toolWindowFont());
  auto* layout = new QVBoxLayout(this);
  total_ = makeLine(*this, QStringLiteral("lblBreakdownTotal"));
  QFont bold = total_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  total_->setFont(bold);
  layout->addWidget(total_);
  layout->addLayout(makeTargetRow());
  trialNote_ = makeLine(*this, QStringLiteral("lblTrialNote"));
  trialNote_->setText(QString::fromUtf8(TrialNote));
  // Its room is kept while hidden, so that starting a trial moves nothing.
  QSizePolicy keepRoom = trialNote_->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  trialNote_->setSizePolicy(keepRoom);
  trialNote_->hide();
  layout->addWidget(trialNote_);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("breakdownTabs"));
  for (size_t slot = 0; slot < CountedLevels; ++slot) {
    levelLines_[slot] = makeLine(*this, QStringLiteral("lblLevel_%1").arg(slot));
    layout->addWidget(levelLines_[slot]);
    tabs_->addTab(makeTable(static_cast<int>(slot)), QString::fromStdString(levelName(CountedLevelNumbers[slot])));
  }
  statistics_ = new StatisticsTab(this);
  tabs_->addTab(statistics_, QString::fromUtf8(StatisticsTabTitle));
  connect(statistics_, &StatisticsTab::chartChosen, this, [this](int16_t position, Chart chart) {
    emit entryChosen(position);
    emit chartChosen(position, chart);
  });
  planTab_ = new PlanTab(this);
  tabs_->addTab(planTab_, QStringLiteral("計画"));
  connect(planTab_, &PlanTab::chartChosen, this, &BreakdownWindow::chartChosen);
  connect(planTab_, &PlanTab::toTrial, this, &BreakdownWindow::planToTrial);
  rivalTab_ = new RivalTab(state_, this);
  tabs_->addTab(rivalTab_, QStringLiteral("ライバル"));
  connect(rivalTab_, &RivalTab::chartChosen, this, [this](int16_t position, Chart chart) {
    emit entryChosen(position);
    emit chartChosen(position, chart);
  });
  connect(rivalTab_, &RivalTab::targetChosen, this,
          [this](int64_t total) { setTargetText(QString::number(static_cast<qlonglong>(total))); });
  layout->addWidget(tabs_, 1);
  layout->addLayout(makeTrialRow());
  layout->addLayout(makeButtonRow());
  resize(640, 600);
  showTrialState();
}

// The status line, "コピー" and "CSVに保存…", and Ctrl+C for the tab shown.
QLayout* BreakdownWindow::makeButtonRow() {
  auto* buttons = new QHBoxLayout;
  status_ = makeLine(*this, QStringLiteral("lblBreakdownStatus"));
  buttons->addWidget(status_, 1);
  auto* copy = new QPushButton(QStringLiteral("コピー"), this);
  copy->setObjectName(QStringLiteral("btnCopy"));
  copy->setAutoDefault(false);
  auto* save = new QPushButton(QStringLiteral("CSVに保存…"), this);
  save->setObjectName(QStringLiteral("btnSaveCsv"));
  save->setAutoDefault(false);
  buttons->addWidget(copy);
  buttons->addWidget(save);
  connect(copy, &QPushButton::clicked, this, [this] {
    if (!copyRivalTab()) copyAll();
  });
  connect(save, &QPushButton::clicked, this, [this] {
    if (!askRivalCsv()) askCsvFile();
  });

  auto* copyAction = new QAction(QStringLiteral("内訳をコピー"), this);
  copyAction->setObjectName(QStringLiteral("actCopyBreakdown"));
  copyAction->setShortcut(QKeySequence::Copy);
  copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copyAction, &QAction::triggered, this, &BreakdownWindow::copyCurrentTab);
  addAction(copyAction);
  return buttons;
}

QTableView* BreakdownWindow::makeTable(int slot) {
  auto* model = new BreakdownModel(this);
  models_[static_cast<size_t>(slot)] = model;
  auto* proxy = new QSortFilterProxyModel(this);
  proxy->setSourceModel(model);
  proxy->setSortRole(BreakdownModel::SortRole);
  auto* view = new QTableView(this);
  view->setObjectName(QStringLiteral("breakdownTable_%1").arg(slot));
  view->setModel(proxy);
  view->setSortingEnabled(true);
  view->sortByColumn(ColRank, Qt::AscendingOrder);
  view->setEditTriggers(QAbstractItemView::EditKeyPressed);  // a trial's score cells only
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setWordWrap(false);
  view->verticalHeader()->hide();
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  view->horizontalHeader()->setSectionResizeMode(ColTitle, QHeaderView::Stretch);
  // A table would copy its current cell only; Ctrl+C copies the whole breakdown.
  view->installEventFilter(this);
  connect(model, &BreakdownModel::scoreTyped, this, &BreakdownWindow::tryScore);
  // In a trial a double click types the row's trial score; else it shows the chart.
  connect(view, &QTableView::doubleClicked, this, [this, view](const QModelIndex& index) {
    if (trial_.active()) {
      view->edit(index.siblingAtColumn(ColScore));
      return;
    }
    const int position = index.data(BreakdownModel::PositionRole).toInt();
    if (position < 0) return;
    emit entryChosen(static_cast<int16_t>(position));
    emit chartChosen(static_cast<int16_t>(position), chartOf(index.data(BreakdownModel::UraRole).toBool()));
  });
  tables_[static_cast<size_t>(slot)] = view;
  return view;
}

bool BreakdownWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
    return true;  // eaten unaccepted: the window's shortcut runs
  return QWidget::eventFilter(watched, event);
}

void BreakdownWindow::placeBeside(const QWidget& sheet) {
  const QRect frame = sheet.frameGeometry();
  const QScreen* screen = sheet.screen();
  const QRect room = screen ? screen->availableGeometry() : QRect(frame.topLeft(), frame.size() * 3);
  QPoint at(frame.right() + Gap, frame.top());
  if (at.x() + width() > room.right()) at.setX(std::max(room.left(), frame.left() - Gap - width()));
  at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
  move(at);
}

void BreakdownWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refresh();
}

void BreakdownWindow::scheduleRefresh() {
  if (isVisible()) refreshTimer_.start();
}

void BreakdownWindow::refresh() {
  refreshTimer_.stop();
  breakdown_ = trial_.breakdown(state_);
  total_->setText(QString::fromStdString(breakdownTotalLine(breakdown_) + (trial_.active() ? TrialMark : "")));
  targetLine_->setText(QString::fromStdString(targetLine(target_, breakdown_.total)));
  plan_ = target_ ? planTowards(breakdown_, *target_) : TargetPlan{};
  planTab_->showPlan(planSummary(target_, plan_), planRows(state_, plan_, positions_));
  for (size_t slot = 0; slot < CountedLevels; ++slot) {
    const LevelBreakdown& level = breakdown_.levels[slot];
    levelLines_[slot]->setText(QString::fromStdString(levelSummaryLine(level)));
    std::vector<BreakdownRow> rows = breakdownRows(state_, level, positions_, changes_);
    if (trial_.active())
      for (BreakdownRow& row : rows) row.tried = trial_.tried(state_, row.target);
    models_[slot]->setRows(std::move(rows));
  }
  statistics_->setTable(levelStatistics(state_, breakdown_, positions_));
  rivalTab_->showScores(trialSheetScores(state_, trial_));
}

void BreakdownWindow::copyAll() {
  if (refreshTimer_.isActive()) refresh();
  QGuiApplication::clipboard()->setText(QString::fromStdString(breakdownTabText(state_, sheetBreakdown())));
  status_->setText(QStringLiteral("内訳をコピーしました。"));
}

void BreakdownWindow::copyCurrentTab() {
  if (copyRivalTab()) return;
  if (tabs_->currentWidget() != statistics_) return copyAll();
  if (refreshTimer_.isActive()) refresh();
  QGuiApplication::clipboard()->setText(QString::fromStdString(statisticsTabText(statistics_->table())));
  status_->setText(QString::fromUtf8(StatisticsCopiedStatus));
}

bool BreakdownWindow::saveCsvTo(const QString& path) {
  if (refreshTimer_.isActive()) refresh();
  return tellSaved(saveBreakdownCsv(path.toStdString(), state_, sheetBreakdown()));
}

bool BreakdownWindow::tellSaved(const FileWriteResult& result) {
  if (!result.ok) {
    status_->clear();
    toolkit().messageBox(result.failure, SaveFailureTitle, MsgIcon::Exclamation);
    return false;
  }
  status_->setText(QStringLiteral("CSVに保存しました。"));
  return true;
}

void BreakdownWindow::askCsvFile() {
  const QString path = askSaveFileName(this, QStringLiteral("CSVに保存"), QStringLiteral("総合得点の内訳.csv"),
                                       QStringLiteral("CSV (*.csv)"));
  if (!path.isEmpty()) saveCsvTo(path);
}

bool BreakdownWindow::copyRivalTab() {
  if (tabs_->currentWidget() != rivalTab_) return false;
  if (refreshTimer_.isActive()) refresh();
  if (!rivalTab_->comparison()) return true;
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(rivalTabText(state_, rivalTab_->chosen(), *rivalTab_->comparison())));
  status_->setText(QStringLiteral("ライバルとの比較をコピーしました。"));
  return true;
}

bool BreakdownWindow::askRivalCsv() {
  if (tabs_->currentWidget() != rivalTab_) return false;
  if (refreshTimer_.isActive()) refresh();
  if (!rivalTab_->comparison()) return true;
  const QString path = askSaveFileName(this, QStringLiteral("CSVに保存"), QStringLiteral("ライバルとの比較.csv"),
                                       QStringLiteral("CSV (*.csv)"));
  if (!path.isEmpty()) tellSaved(saveRivalCsv(path.toStdString(), state_, rivalTab_->chosen(), *rivalTab_->comparison()));
  return true;
}

}  // namespace nk
