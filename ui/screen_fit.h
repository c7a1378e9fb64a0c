// screen_fit.h - windows that open within the screen: no larger than the
// screen's available area, and lying inside it.
//
// A window sized for a large screen (or scaled up, QT_SCALE_FACTOR=2) would
// otherwise open with its bottom and its buttons out of reach.
#pragma once

#include <QRect>

class QWidget;

namespace nk {

// Where a window's frame goes when it must lie within room: each side shrunk
// to room's where longer, then moved the least distance that brings it in.
QRect fittedInto(const QRect& frame, const QRect& room);

// Resizes and moves window so that its frame lies within the available area
// of its screen; a window already within it is left as it is. The window's minimum size wins over the screen's: a window
// cannot be made smaller than its controls need. The frame of a window not
// yet shown is its own geometry, as the window system adds its decoration
// only on showing.
void fitIntoScreen(QWidget& window);

}  // namespace nk
