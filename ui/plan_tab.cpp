// plan_tab.cpp - the plan's summary, its rows and the button to try it.
#include "ui/plan_tab.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nk {
namespace {

constexpr int PositionRole = Qt::UserRole;
constexpr int UraRole = Qt::UserRole + 1;

}  // namespace

PlanTab::PlanTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("planTab"));
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblPlanSummary"));
  summary_->setTextFormat(Qt::PlainText);
  summary_->setWordWrap(true);
  layout->addWidget(summary_);
  table_ = new QTableWidget(0, PlanColumns, this);
  table_->setObjectName(QStringLiteral("planTable"));
  QStringList headers;
  for (int c = 0; c < PlanColumns; ++c) headers << QString::fromUtf8(planColumnName(c));
  table_->setHorizontalHeaderLabels(headers);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(PlanColTitle, QHeaderView::Stretch);
  layout->addWidget(table_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  toTrial_ = new QPushButton(QStringLiteral("試算に入れる"), this);
  toTrial_->setObjectName(QStringLiteral("btnPlanToTrial"));
  toTrial_->setAutoDefault(false);
  buttons->addWidget(toTrial_);
  layout->addLayout(buttons);
  connect(toTrial_, &QPushButton::clicked, this, &PlanTab::toTrial);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    const QTableWidgetItem* item = table_->item(row, 0);
    if (item) emit chartChosen(static_cast<int16_t>(item->data(PositionRole).toInt()), chartOf(item->data(UraRole).toBool()));
  });
}

void PlanTab::showPlan(const std::string& summary, const std::vector<PlanRow>& rows) {
  summary_->setText(QString::fromStdString(summary));
  table_->setRowCount(static_cast<int>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r) {
    const PlanRow& row = rows[r];
    const std::array<const std::string*, PlanColumns> cells = {&row.level, &row.title, &row.chart,
                                                               &row.now,   &row.needed, &row.raise};
    for (int c = 0; c < PlanColumns; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(*cells[static_cast<size_t>(c)]));
      if (c >= PlanColNow) item->setTextAlignment(Qt::AlignVCenter | Qt::AlignRight);
      table_->setItem(static_cast<int>(r), c, item);
    }
    table_->item(static_cast<int>(r), 0)->setData(PositionRole, static_cast<int>(row.displayPosition));
    table_->item(static_cast<int>(r), 0)->setData(UraRole, isUra(row.kind));
  }
  toTrial_->setEnabled(!rows.empty());
}

}  // namespace nk
