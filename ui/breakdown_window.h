// breakdown_window.h - "総合得点の内訳": the total, one line per star level
// (count, quota, counted sum, cut-off, scores entered) and one sortable table
// per level with every chart's rank, score, title, 裏 mark, whether it counts
// and the points it still needs.
//
// A thin window over the sheet's state, which it only reads; the sheet owns
// it and deletes it before its state (see ~frmACScore). scheduleRefresh()
// recomputes on the next pass of the event loop, once however often it was
// called in this pass, and only while the window is shown. It writes no log
// line: the log belongs to "合計". A double click on a row reports the chart
// through chartChosen() (and its entry through entryChosen()).
//
// Beyond the levels: the target total (its own file, target_total.h) with
// what is missing, the tab "計画" with the plan towards it (plan_tab.h), and
// a trial of scores (score_trial.h) that every figure of the window follows
// while it runs; "シートに反映" hands its scores to the sheet through
// scoresToType(), and the sheet types them into its boxes. The window writes
// no file but the target's and the CSV the player asks for.
//
// The tab "ライバル" (rival_tab.h) sets the kept rivals beside the player's
// scores, the trial's while one runs; "このライバルを目標に" sets the target.
#pragma once

#include "data/score_state.h"
#include "platform/file_replace.h"
#include "total/score_trial.h"
#include "total/target_plan.h"
#include "total/total_breakdown.h"
#include "ui/breakdown_model.h"
#include "ui/statistics_tab.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QLayout;
class QPushButton;
class QTabWidget;
class QTableView;

namespace nk {

class PlanTab;
class RivalTab;

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

  // The target as typed by the player ("" for none); a refused text or a
  // file that cannot be written is shown in a box. True when kept.
  bool setTargetText(const QString& typed);
  // The trial: started, its score for the target's chart as typed, dropped,
  // and its scores handed to the sheet (the trial then ends).
  void startTrial();
  bool tryScore(size_t target, const QString& typed);
  void stopTrial();
  void applyTrial();
  void planToTrial();

  const TotalBreakdown& breakdown() const { return breakdown_; }
  const TargetPlan& plan() const { return plan_; }
  const ScoreTrial& trial() const { return trial_; }
  QLabel* targetLabel() const { return targetLine_; }
  PlanTab* planTab() const { return planTab_; }
  QPushButton* button(const char* name) const;
  QLabel* totalLabel() const { return total_; }
  QLabel* levelLabel(int slot) const { return levelLines_.at(static_cast<size_t>(slot)); }
  QTabWidget* tabs() const { return tabs_; }
  QTableView* table(int slot) const { return tables_.at(static_cast<size_t>(slot)); }
  BreakdownModel* model(int slot) const { return models_.at(static_cast<size_t>(slot)); }
  StatisticsTab* statisticsTab() const { return statistics_; }
  RivalTab* rivalTab() const { return rivalTab_; }

signals:
  void entryChosen(int16_t displayPosition);
  void chartChosen(int16_t displayPosition, Chart chart);
  void scoresToType(const std::vector<TypedScore>& scores);

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void setupWindow();
  QTableView* makeTable(int slot);
  void askCsvFile();
  void askTarget();
  QLayout* makeTargetRow();
  QLayout* makeTrialRow();
  QLayout* makeButtonRow();
  void showTrialState();
  // The breakdown of what the sheet holds, trial or not: what is copied and saved.
  TotalBreakdown sheetBreakdown() const;
  // Ctrl+C: the statistics table while its tab is current, else copyAll().
  void copyCurrentTab();
  // The rival tab's copy and CSV, while it is current; false when it is not.
  bool copyRivalTab();
  bool askRivalCsv();
  // The status after a CSV written, or the box of why not; true when written.
  bool tellSaved(const FileWriteResult& result);

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
  std::optional<int64_t> target_;
  TargetPlan plan_;
  ScoreTrial trial_;
  QLabel* targetLine_ = nullptr;
  QLabel* trialNote_ = nullptr;
  PlanTab* planTab_ = nullptr;
  RivalTab* rivalTab_ = nullptr;
  QPushButton* trialStart_ = nullptr;
  QPushButton* trialStop_ = nullptr;
  QPushButton* trialApply_ = nullptr;
};

}  // namespace nk
