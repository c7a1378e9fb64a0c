// frmACScore_tools.cpp - the sheet's handlers that its tools call: showing a
// page by number, showing an entry's chart with the cursor in its box, and
// the focus after a dialog. The tools themselves are put together by
// sheet_tools.cpp.
#include "data/page_view.h"
#include "ui/frmACScore.h"
#include "ui/sheet_tools.h"

#include <QAccessible>

namespace nk {

void frmACScore::setupTools() { new SheetTools(*this); }

void frmACScore::showPageNumber(int page) {
  if (!loaded() || !pageTo(state(), page)) return;
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

void frmACScore::showEntry(int16_t displayPosition) { showEntryChart(displayPosition, Chart::Normal); }

void frmACScore::showEntryChart(int16_t displayPosition, Chart chart) {
  if (!loaded() || displayPosition < 0 || displayPosition >= state().EntryCount) return;
  pageTo(state(), pageOfPosition(displayPosition));
  ShowPage();
  // The chart's box, or the row's other box where that chart is hidden;
  // selected, so that what the player types replaces the score.
  const int r = rowOfPosition(displayPosition);
  for (ScoreBox* box : chart == Chart::Ura ? std::array{txtScoreU_[r], txtScore_[r]} : std::array{txtScore_[r], txtScoreU_[r]}) {
    if (!box->isVisibleTo(this)) continue;
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return;
  }
}

int frmACScore::typeScores(const std::vector<TypedScore>& scores) {
  if (!loaded()) return 0;
  ScoreBox* last = nullptr;
  int typed = 0;
  for (const TypedScore& score : scores) {
    if (score.displayPosition < 0 || score.displayPosition >= state().EntryCount) continue;
    const int page = pageOfPosition(score.displayPosition);
    if (state().CurrentPage != page) {
      pageTo(state(), page);
      ShowPage();
    }
    ScoreBox* box = (score.chart == Chart::Ura ? txtScoreU_ : txtScore_)[static_cast<size_t>(rowOfPosition(score.displayPosition))];
    if (!box->isVisibleTo(this)) continue;
    box->setText(QString::number(score.score));
    last = box;
    ++typed;
  }
  if (last) {
    last->setFocus(Qt::OtherFocusReason);
    last->selectAll();
  }
  return typed;
}

void frmACScore::takeFileScores() {
  if (!sheet_.takeFileScores()) return;
  ShowPage();
  showChangeTips();
  emit scoresChanged();
  emit scoresSaved();
}

}  // namespace nk
