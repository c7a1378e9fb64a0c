// sheet_tools.h - the sheet's tools beyond its buttons, put together: the
// page keys, the mouse wheel, each tool (finding a song and a page, the
// total's breakdown, the history, the day's progress, the backups, scores
// pasted from the clipboard, the player's data in a zip, a rival) and the context
// menu that offers them.
//
// Each tool is a controller of its own with its actions, its window and its
// wiring (find_song_tool.h ... data_zip_tool.h); this only registers them in
// the sheet's order and lists their actions in the menu. Every page the keys
// and the wheel show goes through the buttons' own handlers or through
// showPageNumber, so the title and the log are the same as for the buttons;
// until the load is done they do nothing, like the buttons.
#pragma once

#include "input/song_search.h"

#include <QObject>

#include <optional>
#include <vector>

class QAction;
class QKeyEvent;
class QPoint;
class QWheelEvent;

namespace nk {

class frmACScore;

// Made once by the sheet, as its child; its actions are the sheet's.
class SheetTools : public QObject {
public:
  explicit SheetTools(frmACScore& sheet);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // 次頁, 前頁, the first and the last page, in the menu's order.
  std::vector<QAction*> addPageKeys();
  bool isOurShortcut(const QKeyEvent& key) const;
  void turnByWheel(QWheelEvent& event);
  void showMenu(const QPoint& at);
  // The index is built on first use: a sheet is loaded once, and a new load
  // comes with a new sheet.
  const SongSearchIndex& index();

  frmACScore& sheet_;
  // The context menu's groups, in its order; null entries are separators.
  std::vector<QAction*> menu_;
  // The shortcuts a score box would otherwise take for its own cursor or paste.
  std::vector<QAction*> overBoxes_;
  int wheel_ = 0;
  std::optional<SongSearchIndex> index_;
};

}  // namespace nk
