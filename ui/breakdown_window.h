// breakdown_window.h - "総合得点の内訳": the total, one line per star level
// (count, quota, counted sum, cut-off, scores entered) and one sortable table
// per level with every chart's rank, score, title, 裏 mark, whether it counts
// and the points it still needs.
//
// A thin window over the sheet's state, which it only reads; the sheet owns
// it and deletes it before its state (see ~frmACScore). scheduleRefresh()
// recomputes on the next pass of the event loop, once however often it was
// called in this pass, and only while the window is shown. It writes no log
// line: the log belongs to "合計". A double click on a row reports the entry's
// display position through entryChosen().
#pragma once

#include "data/score_state.h"
#include "sheet/total_breakdown.h"
#include "ui/breakdown_model.h"
#include "ui/statistics_tab.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class QLabel;
class QTabWidget;
class QTableView;

namespace nk {

class BreakdownWindow : public QWidget {
  Q_OBJECT

public:
  // With changes, the tables show when each chart's score last changed.
  BreakdownWindow(const ScoreSheetState& state, QWidget* parent, const LastChanges* changes = nullptr);

  // Next to the sheet (right of it, or left where the screen ends), its top
  // level with the sheet's.
  void placeBeside(const QWidget& sheet);

  void scheduleRefresh();
  void refresh();
  // The whole breakdown as tab-separated text on the clipboard.
  void copyAll();
  // Writes the CSV file; a failure is shown in a box. True when written.
  bool saveCsvTo(const QString& path);

  const TotalBreakdown& breakdown() const { return breakdown_; }
  QLabel* totalLabel() const { return total_; }
  QLabel* levelLabel(int slot) const { return levelLines_.at(static_cast<size_t>(slot)); }
  QTabWidget* tabs() const { return tabs_; }
  QTableView* table(int slot) const { return tables_.at(static_cast<size_t>(slot)); }
  BreakdownModel* model(int slot) const { return models_.at(static_cast<size_t>(slot)); }
  StatisticsTab* statisticsTab() const { return statistics_; }

signals:
  void entryChosen(int16_t displayPosition);

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void setupWindow();
  QTableView* makeTable(int slot);
  void askCsvFile();
  // Ctrl+C: the statistics table while its tab is current, else copyAll().
  void copyCurrentTab();

  const ScoreSheetState& state_;
  const LastChanges* changes_;
  TotalBreakdown breakdown_;
  std::vector<int16_t> positions_;  // the display order does not change once loaded
  QTimer refreshTimer_;
  QLabel* total_ = nullptr;
  std::array<QLabel*, CountedLevels> levelLines_{};
  QTabWidget* tabs_ = nullptr;
  std::array<QTableView*, CountedLevels> tables_{};
  std::array<BreakdownModel*, CountedLevels> models_{};
  StatisticsTab* statistics_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace nk
