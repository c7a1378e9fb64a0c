// find_song_tool.cpp - finding a song and going to a page.
#include "ui/find_song_tool.h"

#include "ui/find_song_dialog.h"
#include "ui/frmACScore.h"
#include "ui/qt_japanese.h"
#include "ui/sheet_action.h"

#include <QInputDialog>

namespace nk {

FindSongTool::FindSongTool(frmACScore& sheet, std::function<const SongSearchIndex&()> index, QObject* parent)
    : QObject(parent), sheet_(sheet), index_(std::move(index)) {
  findSong_ = addSheetAction(sheet, *this, "actFindSong", "曲を探す…", QKeySequence(Qt::CTRL | Qt::Key_F),
                             [this] { openFindSong(); });
  goToPage_ = addSheetAction(sheet, *this, "actGoToPage", "ページへ移動…", QKeySequence(Qt::CTRL | Qt::Key_G),
                             [this] { openGoToPage(); });
}

void FindSongTool::openFindSong() {
  if (!sheet_.loaded()) return;
  auto* dialog = new FindSongDialog(sheet_.state(), index_(), &sheet_);
  connect(dialog, &FindSongDialog::chosen, &sheet_, &frmACScore::showEntry);
  openSheetDialog(sheet_, dialog);
}

void FindSongTool::openGoToPage() {
  if (!sheet_.loaded()) return;
  openSheetDialog(sheet_, makeGoToPage());
}

QInputDialog* FindSongTool::makeGoToPage() {
  const ScoreSheetState& s = sheet_.state();
  auto* dialog = new QInputDialog(&sheet_);
  dialog->setObjectName(QStringLiteral("goToPageDialog"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setFont(toolWindowFont());
  dialog->setWindowTitle(QStringLiteral("ページへ移動"));
  dialog->setLabelText(QStringLiteral("移動先のページ (1～%1):").arg(s.PageCount));
  dialog->setInputMode(QInputDialog::IntInput);
  dialog->setIntRange(1, s.PageCount);
  dialog->setIntValue(s.CurrentPage);
  connect(dialog, &QInputDialog::intValueSelected, &sheet_, [this](int page) { sheet_.showPageNumber(page); });
  return dialog;
}

}  // namespace nk
