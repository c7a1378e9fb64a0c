// main.cpp - the program's start: the Qt toolkit, then the version menu and
// the event loop until the last window closes.
#include "ui/frmMenu.h"
#include "ui/qt_japanese.h"
#include "ui/qt_toolkit.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  nk::installQtJapanese(app);
  nk::QtToolkit toolkit;
  nk::ScopedToolkit installed(toolkit);
  nk::showMenu();
  return QApplication::exec();
}
