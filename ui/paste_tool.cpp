// paste_tool.cpp - scores pasted from the clipboard, reviewed, then typed.
#include "ui/paste_tool.h"

#include "input/score_paste.h"
#include "toolkit/toolkit.h"
#include "ui/frmACScore.h"
#include "ui/paste_dialog.h"
#include "ui/sheet_action.h"

#include <QApplication>
#include <QClipboard>

namespace nk {

PasteTool::PasteTool(frmACScore& sheet, std::function<const SongSearchIndex&()> index, QObject* parent)
    : QObject(parent), sheet_(sheet), index_(std::move(index)) {
  action_ = addSheetAction(sheet, *this, "actPasteScores", "スコアを貼り付ける…",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), [this] { openPaste(); });
}

void PasteTool::openPaste() {
  if (!sheet_.loaded()) return;
  PasteReview review = reviewPaste(sheet_.state(), index_(), QApplication::clipboard()->text().toStdString());
  if (review.charts.empty()) {
    toolkit().messageBox(nothingToPasteText(review), PasteTitle, MsgIcon::Exclamation);
    return;
  }
  auto* dialog = new PasteDialog(sheet_.state(), std::move(review), &sheet_);
  connect(dialog, &PasteDialog::scoresToType, this, [this](const std::vector<TypedScore>& scores) {
    const int typed = sheet_.typeScores(scores);
    toolkit().messageBox(typedFromPasteText(typed), PasteTitle, MsgIcon::None);
  });
  openSheetDialog(sheet_, dialog);
}

}  // namespace nk
