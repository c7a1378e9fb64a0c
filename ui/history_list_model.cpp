// history_list_model.cpp - the records' rows, made as the list shows them.
#include "ui/history_list_model.h"

#include "data/display_text.h"
#include "domain/ranking_rule.h"

namespace nk {

std::string historyColumnName(int column) {
  switch (column) {
    case HistColTime: return "日時";
    case HistColTotal: return "総合得点";
    case HistColChange: return "増減";
    case HistColEntered: return "入力済み譜面";
    default: break;
  }
  if (column >= HistColLevel7 && column <= HistColLevel10)
    return shortLevelName(CountedLevelNumbers[static_cast<size_t>(column - HistColLevel7)]);
  return "";
}

void HistoryListModel::setView(const HistoryView& view) {
  beginResetModel();
  view_ = view;
  endResetModel();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(view_.rowCount());
}

int HistoryListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : HistoryColumns; }

QVariant HistoryListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole)
    return index.column() == HistColTime ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const HistoryRow row = historyRowAt(view_, static_cast<size_t>(index.row()));
  const std::string* texts[] = {&row.time,         &row.total,        &row.change,       &row.levelSums[0],
                                &row.levelSums[1], &row.levelSums[2], &row.levelSums[3], &row.entered};
  static_assert(std::size(texts) == HistoryColumns);
  return QString::fromStdString(*texts[index.column()]);
}

QVariant HistoryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= HistoryColumns) return {};
  return QString::fromStdString(historyColumnName(section));
}

}  // namespace nk
