// screen_fit.cpp - fitting a window into its screen's available area.
#include "ui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace nk {

QRect fittedInto(const QRect& frame, const QRect& room) {
  QRect fitted(frame.topLeft(), frame.size().boundedTo(room.size()));
  fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.left() + room.width() - fitted.width()));
  fitted.moveTop(std::clamp(fitted.top(), room.top(), room.top() + room.height() - fitted.height()));
  return fitted;
}

void fitIntoScreen(QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (!screen) screen = window.screen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  // A window that fits keeps the place it has or the window system gives it.
  if (room.contains(frame)) return;
  const QSize decoration = frame.size() - window.size();
  // The decoration keeps its size; the window inside it gives way.
  window.resize(fittedInto(frame, room).size() - decoration);
  // Placed for the size it took, which its minimum may have kept larger than
  // the screen: then its top left corner, with the title bar, stays in sight.
  // move() places a window's frame, not its inside.
  window.move(fittedInto(QRect(frame.topLeft(), window.size() + decoration), room).topLeft());
}

}  // namespace nk
