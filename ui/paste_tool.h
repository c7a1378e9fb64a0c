// paste_tool.h - "スコアを貼り付ける…" (Ctrl+Shift+V): the clipboard's lines
// read as scores (score_paste.h), reviewed in a dialog (paste_dialog.h)
// before they are typed into the boxes, unsaved until 保存. A clipboard with
// nothing to paste says why, and no dialog opens.
#pragma once

#include "input/song_search.h"

#include <QObject>

#include <functional>

class QAction;

namespace nk {

class frmACScore;

class PasteTool : public QObject {
public:
  // index gives the sheet's search index, which finds the lines' songs.
  PasteTool(frmACScore& sheet, std::function<const SongSearchIndex&()> index, QObject* parent);

  QAction* action() const { return action_; }

private:
  void openPaste();

  frmACScore& sheet_;
  std::function<const SongSearchIndex&()> index_;
  QAction* action_ = nullptr;
};

}  // namespace nk
