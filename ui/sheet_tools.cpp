// sheet_tools.cpp - the sheet's tools registered, its page keys, wheel and
// context menu.
#include "ui/sheet_tools.h"

#include "ui/backup_tool.h"
#include "ui/breakdown_tool.h"
#include "ui/data_zip_tool.h"
#include "ui/find_song_tool.h"
#include "ui/frmACScore.h"
#include "ui/history_tool.h"
#include "ui/paste_tool.h"
#include "ui/phone_page_tool.h"
#include "ui/sheet_action.h"
#include "ui/today_tool.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWheelEvent>

namespace nk {
namespace {

// One notch of an ordinary wheel; a high-resolution wheel sends parts of it.
constexpr int WheelNotch = 120;

}  // namespace

SheetTools::SheetTools(frmACScore& sheet) : QObject(&sheet), sheet_(sheet) {
  setObjectName(QStringLiteral("sheetTools"));
  auto index = [this]() -> const SongSearchIndex& { return this->index(); };
  auto* find = new FindSongTool(sheet, index, this);
  auto* breakdown = new BreakdownTool(sheet, this);
  const std::vector<QAction*> pages = addPageKeys();
  auto* history = new HistoryTool(sheet, this);
  auto* today = new TodayTool(sheet, this);
  auto* backups = new BackupTool(sheet, this);
  auto* paste = new PasteTool(sheet, index, this);
  auto* data = new DataZipTool(sheet, this);
  auto* phone = new PhonePageTool(sheet, this);
  menu_ = {find->findSong(),       find->goToPage(),    breakdown->action(),  history->action(),
           today->action(),        nullptr,             backups->undoSave(),  backups->restore(),
           paste->action(),        nullptr,             data->exportAction(), data->importAction(),
           breakdown->addRivalAction(), phone->action(), nullptr};
  menu_.insert(menu_.end(), pages.begin(), pages.end());
  overBoxes_ = {find->findSong(), find->goToPage(), breakdown->action()};
  overBoxes_.insert(overBoxes_.end(), pages.begin(), pages.end());
  overBoxes_.insert(overBoxes_.end(), {history->action(), today->action(), backups->undoSave(), paste->action()});
  sheet_.installEventFilter(this);
  // A score box would take Ctrl+Home and Ctrl+End for its own cursor, and
  // Ctrl+Shift+V for a paste of its own.
  for (int r = 0; r < RowsPerPage; ++r) {
    sheet_.txtScore(r)->installEventFilter(this);
    sheet_.txtScoreU(r)->installEventFilter(this);
  }
}

std::vector<QAction*> SheetTools::addPageKeys() {
  return {
      addSheetAction(sheet_, *this, "actNextPage", "次頁", QKeySequence(Qt::Key_PageDown),
                     [this] { sheet_.btnNext_Click(); }),
      addSheetAction(sheet_, *this, "actBackPage", "前頁", QKeySequence(Qt::Key_PageUp),
                     [this] { sheet_.btnBack_Click(); }),
      addSheetAction(sheet_, *this, "actFirstPage", "最初の頁", QKeySequence(Qt::CTRL | Qt::Key_Home),
                     [this] { sheet_.showPageNumber(1); }),
      addSheetAction(sheet_, *this, "actLastPage", "最後の頁", QKeySequence(Qt::CTRL | Qt::Key_End),
                     [this] { sheet_.showPageNumber(sheet_.state().PageCount); }),
  };
}

bool SheetTools::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      return isOurShortcut(*static_cast<QKeyEvent*>(event));  // eaten unaccepted: the shortcut runs
    case QEvent::Wheel:
      if (watched != &sheet_) return false;
      turnByWheel(*static_cast<QWheelEvent*>(event));
      return true;
    case QEvent::ContextMenu:
      if (watched != &sheet_) return false;
      showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    default:
      return false;
  }
}

bool SheetTools::isOurShortcut(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* action : overBoxes_)
    if (action->shortcut() == pressed) return true;
  return false;
}

void SheetTools::turnByWheel(QWheelEvent& event) {
  event.accept();
  if (!sheet_.loaded()) return;
  wheel_ += event.angleDelta().y();
  for (; wheel_ <= -WheelNotch; wheel_ += WheelNotch) sheet_.btnNext_Click();
  for (; wheel_ >= WheelNotch; wheel_ -= WheelNotch) sheet_.btnBack_Click();
}

void SheetTools::showMenu(const QPoint& at) {
  if (!sheet_.loaded()) return;
  auto* menu = new QMenu(&sheet_);
  menu->setObjectName(QStringLiteral("sheetMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (QAction* action : menu_) {
    if (action)
      menu->addAction(action);
    else
      menu->addSeparator();
  }
  menu->popup(at);
}

const SongSearchIndex& SheetTools::index() {
  if (!index_) index_.emplace(sheet_.state());
  return *index_;
}

}  // namespace nk
