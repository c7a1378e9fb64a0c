// frmMenu.h - the version menu: the window the program starts on, which
// starts the debug log of a run and opens the score sheet for the chosen
// arcade version.
#pragma once

#include "diag/debug_log.h"
#include "ui/frmACScore.h"
#include "ui/sheet_load_step.h"

#include <QPushButton>
#include <QWidget>

#include <cstdint>

namespace nk {

class frmMenu : public QWidget {
  Q_OBJECT

public:
  // The sheets this menu opens load with sheetLoad.
  explicit frmMenu(frmACScore::LoadStep sheetLoad = loadFrom(builtInServerBases()),
                   QWidget* parent = nullptr);

  // Runs before the window is first shown: the title with the program's
  // version, then a fresh debug log ("./Debug.txt") with its start line.
  void Form_Load();
  // The debug log of the run, set by Form_Load; the sheets this menu opens
  // log to it.
  const DebugLog& debugLog() const { return log_; }

  QPushButton* btnAC12Score() const { return btnAC12Score_; }
  QPushButton* btnAC13Score() const { return btnAC13Score_; }
  QPushButton* btnAC14Score() const { return btnAC14Score_; }

  void btnAC12Score_Click();
  void btnAC13Score_Click();
  void btnAC14Score_Click();

protected:
  void showEvent(QShowEvent* event) override;

private:
  // The score sheet for version is opened and loaded, and only then the
  // menu closes. When the player chooses not to open a sheet that another
  // window holds, the menu stays.
  void openScoreSheet(ArcadeVersion version);

  QPushButton* btnAC12Score_ = nullptr;
  QPushButton* btnAC13Score_ = nullptr;
  QPushButton* btnAC14Score_ = nullptr;
  // Set by the first choice: the sheet's load yields to the window system,
  // and a second click meanwhile must not open a second sheet.
  bool choosing_ = false;
  frmACScore::LoadStep sheetLoad_;
  DebugLog log_;
};

// Creates a menu, runs its Form_Load and shows it: the program's start, and
// the way back from the score sheet, whose load step the new menu keeps.
frmMenu* showMenu(frmACScore::LoadStep sheetLoad = loadFrom(builtInServerBases()));

}  // namespace nk
