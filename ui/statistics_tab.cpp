// statistics_tab.cpp - the statistics table and the list of a cell's charts.
#include "ui/statistics_tab.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <string>
#include <utility>
#include <vector>

namespace nk {

// A grid of texts under a heading; the first two columns are words, the
// rest numbers, in both of the tab's tables.
class TextTableModel : public QAbstractTableModel {
public:
  using QAbstractTableModel::QAbstractTableModel;

  // The same heading and number of rows (scores changed) keeps the view's
  // current cell; anything else resets the model.
  void setTexts(std::vector<std::string> heading, std::vector<std::vector<std::string>> rows) {
    if (heading != heading_ || rows.size() != rows_.size()) {
      beginResetModel();
      heading_ = std::move(heading);
      rows_ = std::move(rows);
      endResetModel();
      return;
    }
    rows_ = std::move(rows);
    if (!rows_.empty() && !heading_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(heading_.size());
  }
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= rows_.size()) return {};
    if (role == Qt::TextAlignmentRole)
      return static_cast<int>(Qt::AlignVCenter | (index.column() >= 2 ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole) return {};
    const auto& row = rows_[static_cast<size_t>(index.row())];
    const auto column = static_cast<size_t>(index.column());
    return column < row.size() ? QString::fromStdString(row[column]) : QString();
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        static_cast<size_t>(section) >= heading_.size())
      return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromStdString(heading_[static_cast<size_t>(section)]);
  }

private:
  std::vector<std::string> heading_;
  std::vector<std::vector<std::string>> rows_;
};

namespace {

std::vector<std::string> chartListHeading() {
  const auto names = statisticsChartColumnNames();
  return {names.begin(), names.end()};
}

}  // namespace

StatisticsTab::StatisticsTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("statisticsTab"));
  tableModel_ = new TextTableModel(this);
  chartModel_ = new TextTableModel(this);
  chartModel_->setTexts(chartListHeading(), {});
  tableView_ = makeView(tableModel_, QStringLiteral("statisticsTable"));
  tableView_->setSelectionBehavior(QAbstractItemView::SelectItems);
  chartList_ = makeView(chartModel_, QStringLiteral("statisticsCharts"));
  chartList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  chartList_->horizontalHeader()->setSectionResizeMode(ChartTitle, QHeaderView::Stretch);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tableView_, 3);  // up to its height, before the list
  layout->addWidget(chartList_, 1);

  connect(tableView_, &QTableView::clicked, this, [this](const QModelIndex& at) { listCell(at.row(), at.column()); });
  connect(tableView_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& at) {
    if (at.isValid()) listCell(at.row(), at.column());
  });
  connect(chartList_, &QTableView::doubleClicked, this, [this](const QModelIndex& at) {
    if (listedRow_ < 0 || !at.isValid()) return;
    const auto& listed = table_.charts[static_cast<size_t>(listedRow_)][static_cast<size_t>(listedColumn_)];
    const auto k = static_cast<size_t>(at.row());
    if (k < listed.size() && listed[k].displayPosition >= 0) emit chartChosen(listed[k].displayPosition, chartOf(listedRow_ % 2 == 1));  // rows: 表, 裏 of each level
  });
}

QTableView* StatisticsTab::makeView(TextTableModel* model, const QString& name) {
  auto* view = new QTableView(this);
  view->setObjectName(name);
  view->setModel(model);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setWordWrap(false);
  view->verticalHeader()->hide();
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // A view would copy its current cell only; the window copies the table.
  view->installEventFilter(this);
  return view;
}

bool StatisticsTab::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
    return true;  // eaten unaccepted: the window's shortcut runs
  return QWidget::eventFilter(watched, event);
}

void StatisticsTab::setTable(StatisticsTable table) {
  const bool sameColumns = table.columns == table_.columns;
  table_ = std::move(table);
  tableModel_->setTexts(table_.columns, table_.rows);
  // At most the eight rows whole under the heading (its height known once it
  // has columns), with room for the scroll bar of a wide table; less, and
  // scrolled, on a screen too small for the window.
  const QTableView& v = *tableView_;
  tableView_->setMaximumHeight(v.verticalHeader()->length() + v.horizontalHeader()->sizeHint().height() +
                             v.horizontalScrollBar()->sizeHint().height() + 2 * v.frameWidth());
  if (sameColumns && listedRow_ >= 0) {
    listCell(listedRow_, listedColumn_);
    return;
  }
  listedRow_ = listedColumn_ = -1;
  chartModel_->setTexts(chartListHeading(), {});
}

void StatisticsTab::listCell(int row, int column) {
  if (row < 0 || column < 0 || static_cast<size_t>(row) >= table_.charts.size() ||
      static_cast<size_t>(column) >= table_.charts[static_cast<size_t>(row)].size())
    return;
  listedRow_ = row;
  listedColumn_ = column;
  std::vector<std::vector<std::string>> lines;
  for (const StatisticsChart& chart : table_.charts[static_cast<size_t>(row)][static_cast<size_t>(column)])
    lines.emplace_back(chart.cells.begin(), chart.cells.end());
  chartModel_->setTexts(chartListHeading(), std::move(lines));
}

}  // namespace nk
