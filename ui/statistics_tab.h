// statistics_tab.h - the tab "統計" of "総合得点の内訳": the table of
// level_statistics.h, and under it the charts of the count cell last clicked.
//
// It shows the texts it is given and builds none. setTable() keeps the
// clicked cell listed while the table keeps its columns (the scores changed);
// a table of other columns empties the list. A double click on a listed chart
// reports its entry's display position and 表/裏 through chartChosen(). Ctrl+C is left
// to the window, which copies the table while this tab is current.
#pragma once

#include "total/level_statistics.h"

#include <QWidget>

#include <cstdint>

class QTableView;

namespace nk {

class TextTableModel;

class StatisticsTab : public QWidget {
  Q_OBJECT

public:
  explicit StatisticsTab(QWidget* parent = nullptr);

  void setTable(StatisticsTable table);
  const StatisticsTable& table() const { return table_; }

  QTableView* tableView() const { return tableView_; }
  QTableView* chartList() const { return chartList_; }

signals:
  void chartChosen(int16_t displayPosition, Chart chart);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QTableView* makeView(TextTableModel* model, const QString& name);
  void listCell(int row, int column);

  StatisticsTable table_;
  TextTableModel* tableModel_ = nullptr;
  TextTableModel* chartModel_ = nullptr;
  QTableView* tableView_ = nullptr;
  QTableView* chartList_ = nullptr;
  int listedRow_ = -1, listedColumn_ = -1;
};

}  // namespace nk
