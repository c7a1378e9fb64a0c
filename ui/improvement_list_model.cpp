// improvement_list_model.cpp - the period's rows, made as the list shows them.
#include "ui/improvement_list_model.h"

namespace nk {

ImprovementListModel::ImprovementListModel(const ScoreSheetState& state, const std::vector<int16_t>& positions,
                                           QObject* parent)
    : QAbstractTableModel(parent), state_(state), positions_(positions) {}

void ImprovementListModel::setList(ImprovementList list) {
  beginResetModel();
  list_ = std::move(list);
  endResetModel();
}

ImprovementRow ImprovementListModel::rowAt(int row) const {
  return improvementRowAt(state_, positions_, (*list_.log)[list_.rows[static_cast<size_t>(row)]]);
}

int ImprovementListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.rows.size());
}

int ImprovementListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ImprovementColumns;
}

QVariant ImprovementListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole) {
    const bool number = index.column() == ImpColScores || index.column() == ImpColChange;
    return static_cast<int>(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
  }
  if (role != Qt::DisplayRole) return {};
  const ImprovementRow row = rowAt(index.row());
  const std::string* texts[] = {&row.time, &row.title, &row.chart, &row.level, &row.scores, &row.change};
  static_assert(std::size(texts) == ImprovementColumns);
  return QString::fromStdString(*texts[index.column()]);
}

QVariant ImprovementListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return QString::fromUtf8(improvementColumnName(section));
}

}  // namespace nk
