// frmACScore.h - the score sheet window: its layout, its controls and the
// events it handles.
//
// The window holds its session (ScoreSheet, with the state) from its opening
// to its closing: the session is created empty with the window and discarded
// with it, since a closed sheet deletes itself. The window holds no parsing,
// file access or computation of its own; its handlers read the controls, call
// the session and show the result.
//
// Controls are reached through accessors named like the controls; the ten
// rows are the indices 0 .. 9 of the arrays lblSongTitle, lblDifficulty,
// lblDifficultyU, txtScore and txtScoreU. Every control's objectName is its
// name, with "_" and the index appended for the arrays ("txtScore_3").
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"
#include "domain/arcade_version.h"
#include "sheet/score_sheet.h"
#include "total/score_trial.h"
#include "sheet/sheet_lock.h"
#include "toolkit/toolkit.h"
#include "ui/score_box.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace nk {

class LoadCancel;

class frmACScore : public QWidget, public StatusLine {
  Q_OBJECT

public:
  // What Form_Load runs once the sheet is visible: the load that downloads
  // and reads everything and shows the first page (loadFrom in
  // sheet_load_step.h), or a step of a test's own; none leaves the sheet empty.
  using LoadStep = std::function<void(frmACScore&)>;

  // A sheet for version that logs to log (the menu's); its load is loadStep.
  frmACScore(ArcadeVersion version, DebugLog log, LoadStep loadStep, QWidget* parent = nullptr);
  // Deletes the tool windows (find, breakdown) first: they read the state.
  ~frmACScore() override;

  ArcadeVersion version() const { return version_; }
  // The debug log of the run, which the load, the total and the save write to.
  const DebugLog& debugLog() const { return log_; }
  // The step this sheet loads with; the menu it returns to opens the next
  // sheet with the same.
  const LoadStep& loadStep() const { return loadStep_; }
  // The request to stop this sheet's load, which closing the sheet sets
  // while the load runs; the load step hands it to the fetch.
  LoadCancel& loadCancel() { return *loadCancel_; }

  // The sheet's load: takes the version's lock, asking first whether to go on
  // when another window holds it; shows the window, so that the status line
  // can report the progress, then runs the load step. Returns when the load
  // is done, or at once when the player chose not to open a second window
  // (loaded() stays false and the sheet is left hidden for its opener).
  void Form_Load();
  // False until Form_Load has returned: meanwhile the buttons and the score
  // boxes do nothing, since the load yields to the window system; the close
  // box asks the load to stop, which then ends the program (see closeEvent).
  bool loaded() const { return sheet_.isOpen(); }

  // Fills the ten rows for the state's CurrentPage and sets the window title.
  void ShowPage();
  // The status line of the load: lblStatusBar's caption.
  void showStatus(const std::string& text) override;
  // True when a score differs from what the last load or save left.
  bool hasUnsavedScores() const;
  // The scores the last load or save left (the day's progress counts these).
  const SheetScores& savedScores() const { return sheet_.savedScores(); }

  ScoreSheetState& state() { return sheet_.state(); }
  const ScoreSheetState& state() const { return sheet_.state(); }
  // When each chart's score last changed, from the log of improvements.
  const LastChanges& lastChanges() const { return sheet_.lastChanges(); }

  QLabel* lbl曲名() const { return lbl曲名_; }
  QLabel* lbl点数表() const { return lbl点数表_; }
  QLabel* lbl点数裏() const { return lbl点数裏_; }
  QLabel* lblSongTitle(int r) const { return lblSongTitle_.at(r); }
  QLabel* lblDifficulty(int r) const { return lblDifficulty_.at(r); }
  QLabel* lblDifficultyU(int r) const { return lblDifficultyU_.at(r); }
  ScoreBox* txtScore(int r) const { return txtScore_.at(r); }
  ScoreBox* txtScoreU(int r) const { return txtScoreU_.at(r); }
  QPushButton* btnSave() const { return btnSave_; }
  QPushButton* btnCalc() const { return btnCalc_; }
  QPushButton* btnBack() const { return btnBack_; }
  QPushButton* btnNext() const { return btnNext_; }
  QPushButton* btnMenu() const { return btnMenu_; }
  QLabel* lblStatusBar() const { return lblStatusBar_; }

  // The controls that take the focus, in the order of the tab key.
  std::vector<QWidget*> focusOrder() const;

  // Score entry: run after every change of a score box's text, typed or
  // written by the program (textChanged, not textEdited), with the row.
  void txtScore_Change(int16_t r);
  void txtScoreU_Change(int16_t r);

  void btnSave_Click();
  void btnCalc_Click();
  void btnBack_Click();
  void btnNext_Click();
  // Asks for a fresh menu (menuRequested) and then closes the sheet; its
  // state and any unsaved scores go with it.
  void btnMenu_Click();

signals:
  void txtScoreChanged(int r);
  void txtScoreUChanged(int r);
  // A score box's change was stored into the state (typed or written by the
  // program); the sheet's tools that show scores refresh on it.
  void scoresChanged();
  // "メニュー": whoever opened the sheet shows a new menu, before the sheet closes.
  void menuRequested();
  // The score file was written (the history may have a new record).
  void scoresSaved();

protected:
  void showEvent(QShowEvent* event) override;
  // With unsaved scores, asks whether to save them, discard them, or stay.
  // During the load, asks the load to stop: it drops the transfer, removes
  // the master files and ends the program, so the window itself stays until
  // then (the load still runs on it further up the stack).
  void closeEvent(QCloseEvent* event) override;

private:
  void setupWindow();
  void setupHeaders();
  void setupRows();
  void setupButtons();
  void setupFocusOrder();
  void connectEvents();

  void scoreChanged(ScoreBox* box, int16_t r, Chart chart);
  // Saves and tells the player how it went; true when the file was written.
  bool saveScores();
  // Asks before unsaved scores would be lost; true when the sheet may go.
  bool mayLeave();
  // The score boxes' tooltips of when their charts last changed.
  void showChangeTips();

  ScoreSheet sheet_;
  ArcadeVersion version_;
  DebugLog log_;
  LoadStep loadStep_;
  std::unique_ptr<LoadCancel> loadCancel_;
  SheetLock lock_;  // held from the load to the close
  bool loading_ = false;
  bool leaving_ = false;  // the player already agreed to leave

  QLabel* lbl曲名_ = nullptr;
  QLabel* lbl点数表_ = nullptr;
  QLabel* lbl点数裏_ = nullptr;
  std::array<QLabel*, RowsPerPage> lblSongTitle_{};
  std::array<QLabel*, RowsPerPage> lblDifficulty_{};
  std::array<QLabel*, RowsPerPage> lblDifficultyU_{};
  std::array<ScoreBox*, RowsPerPage> txtScore_{};
  std::array<ScoreBox*, RowsPerPage> txtScoreU_{};
  QPushButton* btnSave_ = nullptr;
  QPushButton* btnCalc_ = nullptr;
  QPushButton* btnBack_ = nullptr;
  QPushButton* btnNext_ = nullptr;
  QPushButton* btnMenu_ = nullptr;
  QLabel* lblStatusBar_ = nullptr;

  // Beyond the buttons: the page keys, the wheel, finding a song, going to a
  // page and the context menu that offers them (frmACScore_tools.cpp).
public:
  // CurrentPage becomes the page, which ShowPage shows; nothing for a page
  // outside 1 .. PageCount or before the load is done.
  void showPageNumber(int page);
  // Shows the page that holds the display position and puts the focus into
  // its row's normal score box (the 裏 box where the normal one is hidden),
  // its text selected so that typing replaces it.
  void showEntry(int16_t displayPosition);
  // The same for the chart of that entry: its 裏 box when ura, else its
  // normal box (the other one where that is hidden).
  void showEntryChart(int16_t displayPosition, Chart chart);
  // Types each score into its chart's box, as the player would: page by
  // page (in the order given), through the boxes' own entry, unsaved until
  // 保存. The last box typed has the focus. Returns how many were typed
  // (a chart whose box is hidden, or a position off the sheet, is left).
  int typeScores(const std::vector<TypedScore>& scores);
  // Once an import rewrote the score file: the charts the player left alone
  // show the file's scores (ScoreSheet::takeFileScores), and the tool
  // windows follow as after a save.
  void takeFileScores();
  // Once a dialog of the sheet has closed: activates the sheet and reports
  // its focused control to assistive technology, so that a screen reader
  // says where typing now goes.
  void reportFocusAfterDialog();

private:
  void setupTools();
};

}  // namespace nk
