// improvement_list_model.h - the period's improvements of the tab "更新履歴"
// as a table, newest first, in the columns of improvement_view.h.
//
// A row's texts are made when the list asks for them, from the sheet's state
// (titles, levels) and its display positions, which the tab owns and which
// outlive the model.
#pragma once

#include "data/score_state.h"
#include "history/improvement_view.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace nk {

class ImprovementListModel : public QAbstractTableModel {
  Q_OBJECT

public:
  ImprovementListModel(const ScoreSheetState& state, const std::vector<int16_t>& positions, QObject* parent);

  // The rows of list, replacing the ones shown.
  void setList(ImprovementList list);
  // The row's record as the list shows it.
  ImprovementRow rowAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
  const ScoreSheetState& state_;
  const std::vector<int16_t>& positions_;
  ImprovementList list_;
};

}  // namespace nk
