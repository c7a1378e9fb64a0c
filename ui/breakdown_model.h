// breakdown_model.h - one level of the total's breakdown as a table: rank,
// score, title, 裏, counts, points needed, and the date of its last change
// (the columns of breakdown_text.h).
//
// The display role shows the texts of breakdown_text.h; SortRole holds the
// numbers as numbers (and the title as text), for a QSortFilterProxyModel;
// PositionRole holds the entry's display position on the sheet, UraRole
// whether the row is a 裏 chart. While scores may be tried (setTrying), the
// score cells are editable and what the player types there is reported by
// scoreTyped, never stored in the rows; a tried score is shown in bold.
#pragma once

#include "total/breakdown_text.h"

#include <QAbstractTableModel>

#include <vector>

namespace nk {

class BreakdownModel : public QAbstractTableModel {
  Q_OBJECT

public:
  static constexpr int SortRole = Qt::UserRole;
  static constexpr int PositionRole = Qt::UserRole + 1;
  static constexpr int UraRole = Qt::UserRole + 2;

  using QAbstractTableModel::QAbstractTableModel;

  // New rows for the level. The same number of rows (scores changed) keeps
  // the views' selection and sort; another number resets the model.
  void setRows(std::vector<BreakdownRow> rows);
  void setTrying(bool trying) { trying_ = trying; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
  void scoreTyped(size_t target, const QString& text);

private:
  std::vector<BreakdownRow> rows_;
  bool trying_ = false;
};

}  // namespace nk
