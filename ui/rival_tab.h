// rival_tab.h - the breakdown window's tab "ライバル": a kept rival chosen
// from the list, both totals and their difference, the same per level, the
// total that passes the rival, and one row per chart where either has a
// score (both scores and the difference), at first in the order where the
// rival leads by the least; a click on a heading sorts by that column.
//
// Its buttons: "ライバルを追加…" (a friend's data zip or score file, then a
// name for the rival), "削除" and "このライバルを目標に". The tab reads and
// keeps rivals through rival/rival_steps.h and shows what comes back; the
// window gives it the scores to compare (the trial's while one runs) and
// takes its target. A double click on a row reports the chart through
// chartChosen.
#pragma once

#include "data/score_state.h"
#include "rival/rival_compare.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace nk {

class RivalTab : public QWidget {
  Q_OBJECT

public:
  RivalTab(const ScoreSheetState& state, QWidget* parent);

  // Compares the player's scores mine with the chosen rival's.
  void showScores(const SheetScores& mine);
  // Asks for a friend's file and a name, keeps the rival and chooses it.
  void askToAdd();
  // The same without the file dialog (the tests, and a file dropped in).
  bool addFrom(const std::string& path, const std::string& name);
  bool removeChosen();
  // Chooses the kept rival of that name; false when there is none.
  bool choose(const std::string& name);

  // The chosen rival's name ("" while none) and the comparison shown.
  const std::string& chosen() const { return chosen_; }
  const std::optional<RivalComparison>& comparison() const { return comparison_; }
  QComboBox* rivals() const { return rivals_; }
  QLabel* totalLabel() const { return total_; }
  QLabel* levelLabel(int slot) const { return levels_.at(static_cast<size_t>(slot)); }
  QLabel* passingLabel() const { return passing_; }
  QLabel* noteLabel() const { return note_; }
  QTableWidget* table() const { return table_; }
  QPushButton* targetButton() const { return target_; }

signals:
  void chartChosen(int16_t displayPosition, Chart chart);
  // "このライバルを目標に": the total that passes the rival.
  void targetChosen(int64_t total);

private:
  QLayout* makeButtonRow();
  void fillNames();
  void loadChosen();
  void showComparison();
  void fillTable();
  // The name the player gives the rival, proposed from the file's; "" when cancelled.
  std::string askName(const std::string& path);

  const ScoreSheetState& state_;
  std::vector<int16_t> positions_;
  std::string chosen_;
  std::optional<SheetScores> rivalScores_;
  std::string loadNote_;   // how the chosen rival's scores were placed, or why not
  std::string namesNote_;  // why the kept rivals cannot be listed; empty when they can
  SheetScores mine_;
  std::optional<RivalComparison> comparison_;
  QComboBox* rivals_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* target_ = nullptr;
  QLabel* total_ = nullptr;
  std::array<QLabel*, CountedLevels> levels_{};
  QLabel* passing_ = nullptr;
  QLabel* note_ = nullptr;
  QTableWidget* table_ = nullptr;
  int sortColumn_ = -1;  // the comparison's own order
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace nk
