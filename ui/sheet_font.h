// sheet_font.h - the face the score sheet and its cards are drawn in.
//
// Kept apart from the sheet's window, so that what only draws in the
// sheet's face (the day's card, the Windows font probe) does not take in
// the whole window with its load and session. Setting the font records the
// face's stand-ins with Qt once more; that is harmless and cheap.
#pragma once

#include <QFont>

namespace nk {

// The sheet's font: "ＭＳ Ｐ明朝" 14.25 point bold; where that face is missing,
// "MS PMincho" (its name on a Windows of another locale), "Yu Mincho" or
// IPAPMincho stands in, the first found.
QFont sheetFont();

}  // namespace nk
