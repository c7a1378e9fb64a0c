// find_song_tool.h - the sheet's tools that find a place on it: "曲を探す…"
// (Ctrl+F), a song by a part of its title, and "ページへ移動…" (Ctrl+G), a
// page by its number. Both dialogs are made anew for each use; what they
// choose is shown through the sheet's own handlers (showEntry,
// showPageNumber), so the title and the log are as for the buttons.
#pragma once

#include "input/song_search.h"

#include <QObject>

#include <functional>

class QAction;
class QInputDialog;

namespace nk {

class frmACScore;

class FindSongTool : public QObject {
public:
  // index gives the sheet's search index (built on its first use).
  FindSongTool(frmACScore& sheet, std::function<const SongSearchIndex&()> index, QObject* parent);

  QAction* findSong() const { return findSong_; }
  QAction* goToPage() const { return goToPage_; }

private:
  void openFindSong();
  void openGoToPage();
  QInputDialog* makeGoToPage();

  frmACScore& sheet_;
  std::function<const SongSearchIndex&()> index_;
  QAction* findSong_ = nullptr;
  QAction* goToPage_ = nullptr;
};

}  // namespace nk
