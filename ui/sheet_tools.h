// sheet_tools.h - the sheet's tools beyond its buttons: page keys, the mouse
// wheel, its tool windows (finding a song, going to a page, the total's
// breakdown, the history, the day's progress, scores pasted from the
// clipboard, the player's data written into a zip and read back) and the
// context menu that offers them.
//
// The sheet owns every tool window, and these tools alone open them. Every
// page they show goes through the buttons' own handlers or through
// CurrentPage and ShowPage, so the title and the log are the same as for the
// buttons; until the load is done they do nothing, like the buttons.
#pragma once

#include "sheet/song_search.h"

#include <QObject>
#include <QPointer>

#include <optional>
#include <string>

class QAction;
class QDialog;
class QFileDialog;
class QInputDialog;
class QKeyEvent;
class QKeySequence;
class QPoint;
class QWheelEvent;

namespace nk {

struct BackupRead;
class BreakdownWindow;
class HistoryWindow;
class TodayWindow;
class frmACScore;

// Made once by the sheet, as its child; its actions are the sheet's.
class SheetTools : public QObject {
public:
  explicit SheetTools(frmACScore& sheet);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  template <typename Slot>
  QAction* addAction(const char* name, const char* text, const QKeySequence& keys, Slot slot);
  bool isOurShortcut(const QKeyEvent& key) const;
  void turnByWheel(QWheelEvent& event);
  void showMenu(const QPoint& at);
  // The index is built on first use: a sheet is loaded once, and a new load
  // comes with a new sheet.
  const SongSearchIndex& index();
  // The dialogs are made anew for each use and opened window-modal; the tool
  // windows are one of each for the sheet, made on first use and raised when
  // opened again. Until the load is done none opens.
  template <typename Make>
  void openDialog(Make make);
  void showDialog(QDialog* dialog);
  template <typename Window, typename Make>
  void openToolWindow(QPointer<Window>& window, Make make);
  void openFindSong();
  void openGoToPage();
  QInputDialog* makeGoToPage();
  // Follows every change of a score; a double click shows the chart on the sheet.
  void openBreakdown();
  // Reads the file again after every save, and at every opening: a closed
  // window is only hidden, and the file may have changed meanwhile.
  void openHistory();
  // The same for the day's progress, from the saved scores.
  void openToday();
  // The scores before the last save (its backup) into the boxes, unsaved;
  // the list of backups to choose from (sheet_tools_backups.cpp).
  void undoLastSave();
  void openRestore();
  void typeBackup(const BackupRead& backup);
  // The clipboard's lines reviewed before they are typed, unsaved.
  void openPaste();
  // The player's data of every version into one zip, and such a zip read
  // back: its changes shown before they are made (sheet_tools_data.cpp).
  void openExport();
  void openImport();
  void exportTo(const std::string& path);
  void importFrom(const std::string& path);
  QFileDialog* makeDataFileDialog(bool saving);
  // The path chosen, or empty when the dialog was cancelled.
  std::string chooseDataFile(bool saving);

  frmACScore& sheet_;
  QPointer<BreakdownWindow> breakdownWindow_;
  QPointer<HistoryWindow> historyWindow_;
  QPointer<TodayWindow> todayWindow_;
  QAction* findSong_ = nullptr;
  QAction* goToPage_ = nullptr;
  QAction* breakdown_ = nullptr;
  QAction* next_ = nullptr;
  QAction* back_ = nullptr;
  QAction* first_ = nullptr;
  QAction* last_ = nullptr;
  QAction* history_ = nullptr;
  QAction* today_ = nullptr;
  QAction* undoSave_ = nullptr;
  QAction* restore_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* export_ = nullptr;
  QAction* import_ = nullptr;
  int wheel_ = 0;
  std::optional<SongSearchIndex> index_;
};

}  // namespace nk
