// plan_tab.h - the breakdown window's tab "計画": what the plan towards the
// target total does, one row per planned chart (level, title, 表/裏, the
// score now, the score the plan needs, the raise), and "試算に入れる".
//
// It shows the texts of plan_text.h only. A double click on a row reports
// the chart through chartChosen; the button through toTrial.
#pragma once

#include "total/plan_text.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace nk {

class PlanTab : public QWidget {
  Q_OBJECT

public:
  explicit PlanTab(QWidget* parent);

  void showPlan(const std::string& summary, const std::vector<PlanRow>& rows);

  QLabel* summary() const { return summary_; }
  QTableWidget* table() const { return table_; }
  QPushButton* toTrialButton() const { return toTrial_; }

signals:
  void chartChosen(int16_t displayPosition, Chart chart);
  void toTrial();

private:
  QLabel* summary_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* toTrial_ = nullptr;
};

}  // namespace nk
