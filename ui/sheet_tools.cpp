// sheet_tools.cpp - the sheet's page keys, wheel, tool windows and context menu.
#include "ui/sheet_tools.h"

#include "ui/breakdown_window.h"
#include "ui/find_song_dialog.h"
#include "ui/frmACScore.h"
#include "ui/history_window.h"
#include "ui/improvements_tab.h"
#include "ui/paste_dialog.h"
#include "ui/screen_fit.h"
#include "ui/today_window.h"

#include "sheet/backup_restore.h"
#include "sheet/score_paste.h"
#include "toolkit/toolkit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputDialog>
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
  findSong_ = addAction("actFindSong", "曲を探す…", QKeySequence(Qt::CTRL | Qt::Key_F), [this] { openFindSong(); });
  goToPage_ = addAction("actGoToPage", "ページへ移動…", QKeySequence(Qt::CTRL | Qt::Key_G), [this] { openGoToPage(); });
  breakdown_ = addAction("actBreakdown", "総合得点の内訳…", QKeySequence(Qt::CTRL | Qt::Key_B),
                         [this] { openBreakdown(); });
  next_ = addAction("actNextPage", "次頁", QKeySequence(Qt::Key_PageDown), [this] { sheet_.btnNext_Click(); });
  back_ = addAction("actBackPage", "前頁", QKeySequence(Qt::Key_PageUp), [this] { sheet_.btnBack_Click(); });
  first_ = addAction("actFirstPage", "最初の頁", QKeySequence(Qt::CTRL | Qt::Key_Home),
                     [this] { sheet_.showPageNumber(1); });
  last_ = addAction("actLastPage", "最後の頁", QKeySequence(Qt::CTRL | Qt::Key_End),
                    [this] { sheet_.showPageNumber(sheet_.state().PageCount); });
  history_ = addAction("actHistory", "記録の推移…", QKeySequence(Qt::CTRL | Qt::Key_H), [this] { openHistory(); });
  today_ = addAction("actToday", "今日の成果…", QKeySequence(Qt::CTRL | Qt::Key_T), [this] { openToday(); });
  undoSave_ = addAction("actUndoSave", UndoSaveTitle, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z),
                        [this] { undoLastSave(); });
  restore_ = addAction("actRestoreBackup", "バックアップから戻す…", QKeySequence(), [this] { openRestore(); });
  paste_ = addAction("actPasteScores", "スコアを貼り付ける…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V),
                     [this] { openPaste(); });
  export_ = addAction("actExportData", "データを書き出す…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                      [this] { openExport(); });
  import_ = addAction("actImportData", "データを読み込む…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I),
                      [this] { openImport(); });
  sheet_.installEventFilter(this);
  // A score box would take Ctrl+Home and Ctrl+End for its own cursor, and
  // Ctrl+Shift+V for a paste of its own.
  for (int r = 0; r < RowsPerPage; ++r) {
    sheet_.txtScore(r)->installEventFilter(this);
    sheet_.txtScoreU(r)->installEventFilter(this);
  }
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

template <typename Slot>
QAction* SheetTools::addAction(const char* name, const char* text, const QKeySequence& keys, Slot slot) {
  auto* action = new QAction(QString::fromUtf8(text), &sheet_);
  action->setObjectName(QString::fromUtf8(name));
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(action, &QAction::triggered, this, slot);
  sheet_.addAction(action);
  return action;
}

bool SheetTools::isOurShortcut(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* action : {findSong_, goToPage_, breakdown_, next_, back_, first_, last_, history_, today_, undoSave_,
                                 paste_})
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
  menu->addActions({findSong_, goToPage_, breakdown_, history_, today_});
  menu->addSeparator();
  menu->addActions({undoSave_, restore_, paste_});
  menu->addSeparator();
  menu->addActions({export_, import_});
  menu->addSeparator();
  menu->addActions({next_, back_, first_, last_});
  menu->popup(at);
}

const SongSearchIndex& SheetTools::index() {
  if (!index_) index_.emplace(sheet_.state());
  return *index_;
}

template <typename Make>
void SheetTools::openDialog(Make make) {
  if (!sheet_.loaded()) return;
  showDialog(make());
}

void SheetTools::showDialog(QDialog* dialog) {
  // Queued: after the dialog's own signals, which may move the focus.
  connect(dialog, &QDialog::finished, &sheet_, [sheet = &sheet_] { sheet->reportFocusAfterDialog(); },
          Qt::QueuedConnection);
  dialog->open();
}

template <typename Window, typename Make>
void SheetTools::openToolWindow(QPointer<Window>& window, Make make) {
  if (!sheet_.loaded()) return;
  const bool made = !window;
  if (made) {
    window = make();
    fitIntoScreen(*window);
  }
  window->show();
  // Once shown, its decoration is known where the window system tells it
  // at once; the frame too must lie within the screen.
  if (made) fitIntoScreen(*window);
  window->raise();
  window->activateWindow();
}

void SheetTools::openFindSong() {
  openDialog([this] {
    auto* dialog = new FindSongDialog(sheet_.state(), index(), &sheet_);
    connect(dialog, &FindSongDialog::chosen, &sheet_, &frmACScore::showEntry);
    return dialog;
  });
}

void SheetTools::openGoToPage() { openDialog([this] { return makeGoToPage(); }); }

QInputDialog* SheetTools::makeGoToPage() {
  const ScoreSheetState& s = sheet_.state();
  auto* dialog = new QInputDialog(&sheet_);
  dialog->setObjectName(QStringLiteral("goToPageDialog"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setFont(QApplication::font());
  dialog->setWindowTitle(QStringLiteral("ページへ移動"));
  dialog->setLabelText(QStringLiteral("移動先のページ (1～%1):").arg(s.PageCount));
  dialog->setInputMode(QInputDialog::IntInput);
  dialog->setIntRange(1, s.PageCount);
  dialog->setIntValue(s.CurrentPage);
  connect(dialog, &QInputDialog::intValueSelected, &sheet_, [this](int page) { sheet_.showPageNumber(page); });
  return dialog;
}

void SheetTools::openBreakdown() {
  openToolWindow(breakdownWindow_, [this] {
    auto* window = new BreakdownWindow(sheet_.state(), &sheet_, &sheet_.lastChanges());
    connect(&sheet_, &frmACScore::scoresChanged, window, &BreakdownWindow::scheduleRefresh);
    connect(&sheet_, &frmACScore::scoresSaved, window, &BreakdownWindow::scheduleRefresh);
    connect(window, &BreakdownWindow::chartChosen, &sheet_, [this](int16_t position, Chart chart) {
      sheet_.activateWindow();
      sheet_.raise();
      sheet_.showEntryChart(position, chart);
    });
    connect(window, &BreakdownWindow::scoresToType, &sheet_, [this](const std::vector<TypedScore>& scores) {
      sheet_.activateWindow();
      sheet_.raise();
      sheet_.typeScores(scores);
    });
    // Beside the sheet at the size the screen leaves it.
    fitIntoScreen(*window);
    window->placeBeside(sheet_);
    return window;
  });
}

void SheetTools::openHistory() {
  if (historyWindow_) historyWindow_->reload();
  openToolWindow(historyWindow_, [this] {
    auto* window = new HistoryWindow(sheet_.state().VersionNumber, &sheet_);
    connect(&sheet_, &frmACScore::scoresSaved, window, &HistoryWindow::reload);
    // A double click on an improvement shows its chart on the sheet.
    connect(window->addImprovements(sheet_.state()), &ImprovementsTab::chartChosen, &sheet_,
            [this](int16_t position, Chart chart) {
              sheet_.activateWindow();
              sheet_.raise();
              sheet_.showEntryChart(position, chart);
            });
    window->reload();
    return window;
  });
}

void SheetTools::openToday() {
  if (todayWindow_) todayWindow_->reload();
  openToolWindow(todayWindow_, [this] {
    auto* window = new TodayWindow(sheet_.state(), sheet_.savedScores(), &sheet_);
    connect(&sheet_, &frmACScore::scoresSaved, window, &TodayWindow::reload);
    window->reload();
    return window;
  });
}

void SheetTools::openPaste() {
  if (!sheet_.loaded()) return;
  PasteReview review = reviewPaste(sheet_.state(), index(), QApplication::clipboard()->text().toStdString());
  if (review.charts.empty()) {
    toolkit().messageBox(nothingToPasteText(review), PasteTitle, MsgIcon::Exclamation);
    return;
  }
  openDialog([this, &review] {
    auto* dialog = new PasteDialog(sheet_.state(), std::move(review), &sheet_);
    connect(dialog, &PasteDialog::scoresToType, this, [this](const std::vector<TypedScore>& scores) {
      const int typed = sheet_.typeScores(scores);
      toolkit().messageBox(typedFromPasteText(typed), PasteTitle, MsgIcon::None);
    });
    return dialog;
  });
}

}  // namespace nk
