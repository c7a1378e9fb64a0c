// improvements_tab.cpp - the period's improvements as a list made row by row.
#include "ui/improvements_tab.h"

#include "data/moment.h"
#include "total/breakdown_text.h"
#include "ui/improvement_list_model.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>


namespace nk {
ImprovementsTab::ImprovementsTab(const ScoreSheetState& state, QWidget* parent)
    : QWidget(parent), state_(state), positions_(displayPositions(state)) {
  setObjectName(QStringLiteral("improvementsTab"));
  period_ = new QComboBox(this);
  period_->setObjectName(QStringLiteral("cboPeriod"));
  for (ImprovementPeriod period : ImprovementPeriods) period_->addItem(QString::fromUtf8(periodName(period)));
  period_->setCurrentIndex(static_cast<int>(ImprovementPeriod::All));
  connect(period_, &QComboBox::currentIndexChanged, this, [this] { showPeriod(); });
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblImprovementSummary"));
  summary_->setTextFormat(Qt::PlainText);

  list_ = new QTreeView(this);
  list_->setObjectName(QStringLiteral("lstImprovements"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  auto* model = new ImprovementListModel(state_, positions_, list_);
  list_->setModel(model);
  // Widths from the widest texts a column can hold: sizing to the contents
  // would measure rows of a long log on every change of the period.
  QHeaderView* header = list_->header();
  header->setStretchLastSection(false);
  const char* const widest[] = {"2026-12-31 23:59", "", UraChartMark, "難易度", "9,999,999 → 9,999,999", "+9,999,999"};
  for (int c = 0; c < ImprovementColumns; ++c)
    header->resizeSection(c, list_->fontMetrics().horizontalAdvance(QString::fromUtf8(widest[c])) + 24);
  header->setSectionResizeMode(ImpColTitle, QHeaderView::Stretch);
  connect(list_, &QTreeView::doubleClicked, this, [this, model](const QModelIndex& index) {
    const ImprovementRow row = model->rowAt(index.row());
    if (row.displayPosition >= 0) emit chartChosen(row.displayPosition, row.kind);
  });

  auto* top = new QHBoxLayout;
  top->addWidget(period_);
  top->addWidget(summary_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(list_, 1);
}

void ImprovementsTab::reload() { showLog(loadImprovementLog(state_.VersionNumber)); }

void ImprovementsTab::showLog(const ImprovementLog& log) {
  log_ = log;
  showPeriod();
}

void ImprovementsTab::setPeriod(ImprovementPeriod period) { period_->setCurrentIndex(static_cast<int>(period)); }

void ImprovementsTab::showPeriod() {
  const auto period = static_cast<ImprovementPeriod>(period_->currentIndex());
  ImprovementList list = improvementsSince(log_.records, periodStart(period, localMomentNow()));
  summary_->setText(QString::fromStdString(log_.note.empty() ? list.summary : list.summary + "　" + log_.note));
  static_cast<ImprovementListModel*>(list_->model())->setList(std::move(list));
}

}  // namespace nk
