// improvements_tab.h - the tab "更新履歴" of the history window: the log of
// improvements newest first within the period chosen above it ("今日",
// "7日間", "30日間", "すべて"), with the count of charts changed and the points
// they gained in it. A double click on a row reports its chart through
// chartChosen(), as the breakdown's double click does.
//
// It reads the sheet's state (titles, levels, positions), which the sheet owns
// and which outlives it; what it shows is built by improvement_view.h.
#pragma once

#include "data/score_state.h"
#include "history/improvement_view.h"

#include <QComboBox>
#include <QLabel>
#include <QTreeView>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace nk {

class ImprovementsTab : public QWidget {
  Q_OBJECT

public:
  ImprovementsTab(const ScoreSheetState& state, QWidget* parent);

  // Reads the log again and shows the chosen period of it.
  void reload();
  // Shows a log already read (reload, and the benchmark).
  void showLog(const ImprovementLog& log);
  void setPeriod(ImprovementPeriod period);

  QComboBox* period() const { return period_; }
  QLabel* summary() const { return summary_; }
  QTreeView* list() const { return list_; }

signals:
  void chartChosen(int16_t displayPosition, Chart chart);

private:
  void showPeriod();

  const ScoreSheetState& state_;
  std::vector<int16_t> positions_;
  ImprovementLog log_;
  QComboBox* period_ = nullptr;
  QLabel* summary_ = nullptr;
  QTreeView* list_ = nullptr;
};

}  // namespace nk
