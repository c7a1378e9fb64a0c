// main.cpp - the program's start: the Qt toolkit, the working folder, then the
// version menu and the event loop until the last window closes.
#include "archive/import_journal.h"
#include "archive/player_files.h"
#include "platform/running_mark.h"
#include "platform/work_folder.h"
#include "ui/frmMenu.h"
#include "ui/qt_japanese.h"
#include "ui/qt_toolkit.h"

#include <QApplication>

int main(int argc, char** argv) {
  nk::markProgramRunning();
  QApplication app(argc, argv);
  nk::installQtJapanese(app);
  nk::QtToolkit toolkit;
  nk::ScopedToolkit installed(toolkit);
  // Before any file is touched: the folder of the scores and the log.
  if (const std::string notice = nk::workFolderNotice(nk::enterWorkFolder()); !notice.empty())
    toolkit.messageBox(notice, nk::WorkFolderNoticeTitle, nk::MsgIcon::Exclamation);
  // An import of the player's data that a crash cut short is finished first.
  if (const std::string finished = nk::finishPendingImport(); !finished.empty())
    toolkit.messageBox(finished, nk::ImportTitle, nk::MsgIcon::Exclamation);
  nk::showMenu();
  return QApplication::exec();
}
