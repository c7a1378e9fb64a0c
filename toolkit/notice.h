// notice.h - a message box as data: its title, its text and its icon.
//
// The steps below the windows that end in a box for the player (an export,
// an import, an undone save) return it as a Notice instead of showing it, so
// that their texts are built in one place and tested without a screen; the
// window shows what comes back, in the order it comes.
#pragma once

#include "toolkit/toolkit.h"

#include <string>

namespace nk {

struct Notice {
  std::string title;
  std::string text;
  MsgIcon icon = MsgIcon::None;

  bool operator==(const Notice&) const = default;
};

// Shows the notice through the installed toolkit, as a modal box with OK.
inline void showNotice(const Notice& notice) { toolkit().messageBox(notice.text, notice.title, notice.icon); }

}  // namespace nk
