// gui_test_support.h - what the window tests share: no window outlives its
// test, and closed windows can be seen gone.
#pragma once

#include "test_support.h"
#include "ui/qt_japanese.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace nk::test {

// Runs the deletions that closed windows (WA_DeleteOnClose) left pending.
inline void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Deletes every top-level window, shown, hidden or closed.
inline void destroyAllWindows() {
  QList<QPointer<QWidget>> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) windows.append(w);
  // A window may own another top-level one (a popup menu): QPointer notices.
  for (const QPointer<QWidget>& w : windows) delete w.data();
  runDeferredDeletes();
}

// The visible top-level windows of type W.
template <class W>
std::vector<W*> visibleWindows() {
  std::vector<W*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* typed = qobject_cast<W*>(w); typed && typed->isVisible()) found.push_back(typed);
  return found;
}

// Types text as Windows delivers characters without keys of their own (an input method's
// full-width digits): a key press with the character and no key code each (not Latin-1 only).
inline void typeCharacters(QWidget* w, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

// The one face of the tool windows (ui/qt_japanese.h), checked to draw kana
// and Latin alike: what a tool window's text with digits after kana is drawn in.
inline QString toolWindowFace() {
  const QString face = QFontInfo(toolWindowFont()).family();
  const QList<QFontDatabase::WritingSystem> scripts = QFontDatabase::writingSystems(face);
  EXPECT_TRUE(scripts.contains(QFontDatabase::Japanese) && scripts.contains(QFontDatabase::Latin))
      << face.toStdString();
  return face;
}

// Fresh working folder, recording toolkit, and no window left afterwards.
class WindowTest : public WorkDirTest {
protected:
  void TearDown() override { destroyAllWindows(); }
};

}  // namespace nk::test
