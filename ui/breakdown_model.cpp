// breakdown_model.cpp - the rows of one level, shown and sorted.
#include "ui/breakdown_model.h"

#include "data/display_text.h"

#include <QFont>

namespace nk {

void BreakdownModel::setRows(std::vector<BreakdownRow> rows) {
  if (rows.size() != rows_.size()) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    return;
  }
  rows_ = std::move(rows);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, BreakdownTableColumns - 1));
}

int BreakdownModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BreakdownModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : BreakdownTableColumns;
}

QVariant BreakdownModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || static_cast<size_t>(index.row()) >= rows_.size()) return {};
  const BreakdownRow& row = rows_[static_cast<size_t>(index.row())];
  if (role == PositionRole) return static_cast<int>(row.displayPosition);
  if (role == UraRole) return isUra(row.chart);
  if (role == Qt::EditRole) return index.column() == ColScore ? QVariant(QString::fromStdString(groupedDecimal(row.score))) : QVariant();
  if (role == Qt::FontRole && row.tried && index.column() == ColScore) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (role == Qt::TextAlignmentRole) {
    const bool number = index.column() == ColRank || index.column() == ColScore || index.column() == ColNeeded;
    return static_cast<int>(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
  }
  if (role != Qt::DisplayRole && role != SortRole) return {};
  const bool sort = role == SortRole;
  switch (index.column()) {
    case ColRank:
      return sort ? QVariant(static_cast<qlonglong>(row.rank)) : QVariant(QString::fromStdString(groupedDecimal(row.rank)));
    case ColScore:
      return sort ? QVariant(row.score) : QVariant(QString::fromStdString(groupedDecimal(row.score)));
    case ColTitle:
      return QString::fromStdString(row.title);
    case ColUra:
      return sort ? QVariant(isUra(row.chart) ? 1 : 0) : QVariant(isUra(row.chart) ? QString::fromUtf8(UraChartMark) : QString());
    case ColCounts:
      return sort ? QVariant(row.counts ? 0 : 1) : QVariant(row.counts ? QString::fromUtf8(CountsMark) : QString());
    case ColNeeded:
      return sort ? QVariant(static_cast<qlonglong>(row.neededKey)) : QVariant(QString::fromStdString(row.neededText));
    case ColChanged:
      return sort ? QVariant(static_cast<qlonglong>(row.changedKey)) : QVariant(QString::fromStdString(row.changed));
    default:
      return {};
  }
}

Qt::ItemFlags BreakdownModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return trying_ && index.column() == ColScore ? flags | Qt::ItemIsEditable : flags;
}

bool BreakdownModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!trying_ || role != Qt::EditRole || index.column() != ColScore ||
      static_cast<size_t>(index.row()) >= rows_.size())
    return false;
  emit scoreTyped(rows_[static_cast<size_t>(index.row())].target, value.toString());
  return true;
}

QVariant BreakdownModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  return QString::fromUtf8(breakdownColumnName(section));
}

}  // namespace nk
