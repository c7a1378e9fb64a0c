// frmMenu.cpp - the version menu: layout, its load and the version choice.
#include "ui/frmMenu.h"

#include "diag/debug_log.h"
#include "domain/program_version.h"
#include "ui/frmACScore.h"
#include "ui/twips.h"

#include <QPointer>
#include <QShowEvent>

#include <string>

namespace nk {

namespace {

QPushButton* makeVersionButton(QWidget& window, const char* name, const QString& caption, int top) {
  auto* button = new QPushButton(caption, &window);
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  button->setGeometry(twipsRect(window, 120, top, 2535, 375));
  return button;
}

}  // namespace

frmMenu::frmMenu(frmACScore::LoadStep sheetLoad, QWidget* parent)
    : QWidget(parent), sheetLoad_(std::move(sheetLoad)) {
  setObjectName(QStringLiteral("frmMenu"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8(ProgramTitle));
  setFixedSize(twipsSize(*this, 7590, 5160));

  // Created in the order of the tab key.
  btnAC12Score_ = makeVersionButton(*this, "btnAC12Score", QStringLiteral("AC12 自己ベストスコア管理"), 120);
  btnAC13Score_ = makeVersionButton(*this, "btnAC13Score", QStringLiteral("AC13 自己ベストスコア管理"), 600);
  btnAC14Score_ = makeVersionButton(*this, "btnAC14Score", QStringLiteral("AC14 自己ベストスコア管理"), 1080);
  setTabOrder(btnAC12Score_, btnAC13Score_);
  setTabOrder(btnAC13Score_, btnAC14Score_);

  connect(btnAC12Score_, &QPushButton::clicked, this, &frmMenu::btnAC12Score_Click);
  connect(btnAC13Score_, &QPushButton::clicked, this, &frmMenu::btnAC13Score_Click);
  connect(btnAC14Score_, &QPushButton::clicked, this, &frmMenu::btnAC14Score_Click);
}

void frmMenu::Form_Load() {
  const std::string title = std::string(ProgramTitle) + " ver" + ProgramVersion;
  setWindowTitle(QString::fromStdString(title));
  log_ = DebugLog{"./Debug.txt"};
  ClearLog(log_);
  PutLog(log_, title + " 開始");
}

void frmMenu::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!focusWidget()) btnAC12Score_->setFocus(Qt::ActiveWindowFocusReason);
}

void frmMenu::btnAC12Score_Click() { openScoreSheet(AC12); }
void frmMenu::btnAC13Score_Click() { openScoreSheet(AC13); }
void frmMenu::btnAC14Score_Click() { openScoreSheet(AC14); }

void frmMenu::openScoreSheet(ArcadeVersion version) {
  if (choosing_) return;
  choosing_ = true;
  auto* sheet = new frmACScore(version, log_, sheetLoad_);
  connect(sheet, &frmACScore::menuRequested, sheet, [sheet] { showMenu(sheet->loadStep()); });
  // The player may close the menu while the load yields; then there is
  // nothing left to close here.
  QPointer<frmMenu> self(this);
  sheet->Form_Load();
  if (!sheet->loaded()) {
    // The player chose not to open the sheet a second time: the menu stays.
    sheet->deleteLater();
    if (self) choosing_ = false;
    return;
  }
  if (self) close();
}

frmMenu* showMenu(frmACScore::LoadStep sheetLoad) {
  auto* menu = new frmMenu(std::move(sheetLoad));
  menu->Form_Load();
  menu->show();
  return menu;
}

}  // namespace nk
