// frmACScore_tools.cpp - the sheet's tools beyond its buttons: page keys, the
// mouse wheel, its tool windows (finding a song, going to a page, the total's
// breakdown, the history) and the context menu that offers them. The sheet
// owns every tool window, and this file alone opens them. Every page they show goes through the buttons' own handlers or
// through CurrentPage and ShowPage, so the title and the log are the same as
// for the buttons; until the load is done they do nothing, like the buttons.
#include "sheet/page_view.h"
#include "sheet/song_search.h"
#include "ui/breakdown_window.h"
#include "ui/find_song_dialog.h"
#include "ui/frmACScore.h"
#include "ui/history_window.h"
#include "ui/improvements_tab.h"
#include "ui/screen_fit.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QWheelEvent>

#include <optional>

namespace nk {
namespace {

// One notch of an ordinary wheel; a high-resolution wheel sends parts of it.
constexpr int WheelNotch = 120;

class SheetTools : public QObject {
public:
  explicit SheetTools(frmACScore& sheet) : QObject(&sheet), sheet_(sheet) {
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
    sheet_.installEventFilter(this);
    // A score box would take Ctrl+Home and Ctrl+End for its own cursor.
    for (int r = 0; r < RowsPerPage; ++r) {
      sheet_.txtScore(r)->installEventFilter(this);
      sheet_.txtScoreU(r)->installEventFilter(this);
    }
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
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

private:
  template <typename Slot>
  QAction* addAction(const char* name, const char* text, const QKeySequence& keys, Slot slot) {
    auto* action = new QAction(QString::fromUtf8(text), &sheet_);
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, slot);
    sheet_.addAction(action);
    return action;
  }

  bool isOurShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : {findSong_, goToPage_, breakdown_, next_, back_, first_, last_, history_})
      if (action->shortcut() == pressed) return true;
    return false;
  }

  void turnByWheel(QWheelEvent& event) {
    event.accept();
    if (!sheet_.loaded()) return;
    wheel_ += event.angleDelta().y();
    for (; wheel_ <= -WheelNotch; wheel_ += WheelNotch) sheet_.btnNext_Click();
    for (; wheel_ >= WheelNotch; wheel_ -= WheelNotch) sheet_.btnBack_Click();
  }

  void showMenu(const QPoint& at) {
    if (!sheet_.loaded()) return;
    auto* menu = new QMenu(&sheet_);
    menu->setObjectName(QStringLiteral("sheetMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions({findSong_, goToPage_, breakdown_, history_});
    menu->addSeparator();
    menu->addActions({next_, back_, first_, last_});
    menu->popup(at);
  }

  // The index is built on first use: a sheet is loaded once, and a new load
  // comes with a new sheet.
  const SongSearchIndex& index() {
    if (!index_) index_.emplace(sheet_.state());
    return *index_;
  }

  // The dialogs are made anew for each use and opened window-modal; the tool
  // windows are one of each for the sheet, made on first use and raised when
  // opened again. Until the load is done none opens.
  template <typename Make>
  void openDialog(Make make) {
    if (!sheet_.loaded()) return;
    QDialog* dialog = make();
    // Queued: after the dialog's own signals, which may move the focus.
    connect(dialog, &QDialog::finished, &sheet_, [sheet = &sheet_] { sheet->reportFocusAfterDialog(); },
            Qt::QueuedConnection);
    dialog->open();
  }

  template <typename Window, typename Make>
  void openToolWindow(QPointer<Window>& window, Make make) {
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

  void openFindSong() {
    openDialog([this] {
      auto* dialog = new FindSongDialog(sheet_.state(), index(), &sheet_);
      connect(dialog, &FindSongDialog::chosen, &sheet_, &frmACScore::showEntry);
      return dialog;
    });
  }

  void openGoToPage() { openDialog([this] { return makeGoToPage(); }); }

  QInputDialog* makeGoToPage() {
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

  // Follows every change of a score; a double click shows the chart on the sheet.
  void openBreakdown() {
    openToolWindow(breakdownWindow_, [this] {
      auto* window = new BreakdownWindow(sheet_.state(), &sheet_, &sheet_.lastChanges());
      connect(&sheet_, &frmACScore::scoresChanged, window, &BreakdownWindow::scheduleRefresh);
      connect(&sheet_, &frmACScore::scoresSaved, window, &BreakdownWindow::scheduleRefresh);
      connect(window, &BreakdownWindow::entryChosen, &sheet_, [this](int16_t position) {
        sheet_.activateWindow();
        sheet_.raise();
        sheet_.showEntry(position);
      });
      // Beside the sheet at the size the screen leaves it.
      fitIntoScreen(*window);
      window->placeBeside(sheet_);
      return window;
    });
  }

  // Reads the file again after every save, and at every opening: a closed
  // window is only hidden, and the file may have changed meanwhile.
  void openHistory() {
    if (historyWindow_) historyWindow_->reload();
    openToolWindow(historyWindow_, [this] {
      auto* window = new HistoryWindow(sheet_.state().VersionNumber, &sheet_);
      connect(&sheet_, &frmACScore::scoresSaved, window, &HistoryWindow::reload);
      // A double click on an improvement shows its chart on the sheet.
      connect(window->addImprovements(sheet_.state()), &ImprovementsTab::chartChosen, &sheet_,
              [this](int16_t position, bool ura) {
                sheet_.activateWindow();
                sheet_.raise();
                sheet_.showEntryChart(position, ura);
              });
      window->reload();
      return window;
    });
  }

  frmACScore& sheet_;
  QPointer<BreakdownWindow> breakdownWindow_;
  QPointer<HistoryWindow> historyWindow_;
  QAction* findSong_ = nullptr;
  QAction* goToPage_ = nullptr;
  QAction* breakdown_ = nullptr;
  QAction* next_ = nullptr;
  QAction* back_ = nullptr;
  QAction* first_ = nullptr;
  QAction* last_ = nullptr;
  QAction* history_ = nullptr;
  int wheel_ = 0;
  std::optional<SongSearchIndex> index_;
};

}  // namespace

void frmACScore::setupTools() { new SheetTools(*this); }

void frmACScore::showPageNumber(int page) {
  if (!loaded_ || !pageTo(state_, page)) return;
  ShowPage();
}

void frmACScore::reportFocusAfterDialog() {
  activateWindow();
  QWidget* focused = focusWidget();
  // Until the window system activates the sheet Qt reports its focus itself
  // on activation; an active sheet got its focus while the dialog still held
  // the activation, which Qt leaves unreported.
  if (!focused || !isActiveWindow()) return;
  QAccessibleEvent event(focused, QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

void frmACScore::showEntry(int16_t displayPosition) { showEntryChart(displayPosition, false); }

void frmACScore::showEntryChart(int16_t displayPosition, bool ura) {
  if (!loaded_ || displayPosition < 0 || displayPosition >= state_.EntryCount) return;
  pageTo(state_, pageOfPosition(displayPosition));
  ShowPage();
  // The chart's box, or the row's other box where that chart is hidden;
  // selected, so that what the player types replaces the score.
  const int r = rowOfPosition(displayPosition);
  for (ScoreBox* box : ura ? std::array{txtScoreU_[r], txtScore_[r]} : std::array{txtScore_[r], txtScoreU_[r]}) {
    if (!box->isVisibleTo(this)) continue;
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return;
  }
}

}  // namespace nk
