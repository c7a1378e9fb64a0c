// breakdown_model.h - one level of the total's breakdown as a table: rank,
// score, title, 裏, counts, points needed, and the date of its last change
// (the columns of breakdown_text.h).
//
// The display role shows the texts of breakdown_text.h; SortRole holds the
// numbers as numbers (and the title as text), for a QSortFilterProxyModel;
// PositionRole holds the entry's display position on the sheet.
#pragma once

#include "sheet/breakdown_text.h"

#include <QAbstractTableModel>

#include <vector>

namespace nk {

class BreakdownModel : public QAbstractTableModel {
  Q_OBJECT

public:
  static constexpr int SortRole = Qt::UserRole;
  static constexpr int PositionRole = Qt::UserRole + 1;

  using QAbstractTableModel::QAbstractTableModel;

  // New rows for the level. The same number of rows (scores changed) keeps
  // the views' selection and sort; another number resets the model.
  void setRows(std::vector<BreakdownRow> rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
  std::vector<BreakdownRow> rows_;
};

}  // namespace nk
