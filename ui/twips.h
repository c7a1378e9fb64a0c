// twips.h - turns the window layouts' twips into pixels of the screen.
//
// The layouts of both windows are measured in twips (1/1440 inch) from the
// top-left corner of the client area. They are scaled with the logical dpi of
// the screen the window is on, so at 96 dpi 15 twips make one pixel and on any
// other screen the windows keep their size in inches.
#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

namespace nk {

constexpr int TwipsPerInch = 1440;

// Rounds to the nearest pixel; layout values are never negative.
constexpr int twipsToPixels(int twips, int dpi) {
  return (twips * dpi + TwipsPerInch / 2) / TwipsPerInch;
}

// A rectangle of the layout, in pixels of the screen that widget is on.
inline QRect twipsRect(const QWidget& widget, int left, int top, int width, int height) {
  const int dpiX = widget.logicalDpiX();
  const int dpiY = widget.logicalDpiY();
  return QRect(twipsToPixels(left, dpiX), twipsToPixels(top, dpiY), twipsToPixels(width, dpiX),
               twipsToPixels(height, dpiY));
}

inline QSize twipsSize(const QWidget& widget, int width, int height) {
  return twipsRect(widget, 0, 0, width, height).size();
}

}  // namespace nk
