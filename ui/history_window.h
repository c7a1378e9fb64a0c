// history_window.h - the window "記録の推移": the total over time as a line
// chart (history_chart.h), with the sums of levels 7 to 10 as lines that a
// click on their legend entry switches on and off, the list of records
// newest first, and "画像を保存…" for a PNG of the chart; for a sheet, a
// second tab "更新履歴" with its log of improvements (improvements_tab.h).
//
// Non-modal and owned by its score sheet, it closes with the sheet; the
// sheet's tools open it, raise it when it is open, and have it read the file
// again at every opening and after every save. What it shows is built
// by history_view.h; the window only puts it on the screen.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QWidget>

#include <cstdint>

namespace nk {

class HistoryChart;
class ImprovementsTab;
struct HistoryView;
struct ScoreSheetState;

class HistoryWindow : public QWidget {
  Q_OBJECT

public:
  HistoryWindow(int16_t versionNumber, QWidget* parent);

  // Adds the tab "更新履歴" for the sheet's state (once); reload() then reads
  // its log too.
  ImprovementsTab* addImprovements(const ScoreSheetState& state);
  ImprovementsTab* improvements() const { return improvements_; }
  QTabWidget* tabs() const { return tabs_; }

  // Reads the history file again and shows it.
  void reload();
  // Shows a view already built (reload, and the benchmark).
  void showView(const HistoryView& view);
  // Writes the chart as it is on the screen to path as PNG; false when the
  // file could not be written.
  bool saveChartImage(const QString& path);

  // The chart with its lines: the total and the sums of levels 7 to 10.
  HistoryChart* chart() const { return chart_; }
  // The records newest first: time, total, change, ☆7 .. ☆10, charts entered.
  QTreeView* list() const { return list_; }
  QLabel* note() const { return note_; }
  QPushButton* btnSaveImage() const { return btnSaveImage_; }

private:
  void setupList();
  void btnSaveImage_Click();

  int16_t versionNumber_;
  QTabWidget* tabs_ = nullptr;
  ImprovementsTab* improvements_ = nullptr;
  HistoryChart* chart_ = nullptr;
  QTreeView* list_ = nullptr;
  QLabel* note_ = nullptr;
  QPushButton* btnSaveImage_ = nullptr;
};

}  // namespace nk
