// history_list_model.h - the records of the window "記録の推移" as a table,
// newest first: time, total, change, ☆7 .. ☆10, charts entered (the texts
// of history_view.h).
//
// A row's texts are made when the list asks for them: it asks only for the
// rows it shows, so a long history costs no item or text per record.
#pragma once

#include "history/history_view.h"

#include <QAbstractTableModel>

#include <string>

namespace nk {

// The columns of the records' table, in order, beside HistoryRow's fields.
enum HistoryColumn { HistColTime, HistColTotal, HistColChange, HistColLevel7, HistColLevel8, HistColLevel9,
                     HistColLevel10, HistColEntered, HistoryColumns };
std::string historyColumnName(int column);

class HistoryListModel : public QAbstractTableModel {
  Q_OBJECT

public:
  using QAbstractTableModel::QAbstractTableModel;

  // The records of view, replacing the ones shown.
  void setView(const HistoryView& view);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
  HistoryView view_;
};

}  // namespace nk
