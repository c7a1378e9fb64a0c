// system_error_text.h - Japanese descriptions of operating-system errors, for
// the texts that the player sees in a message box.
#pragma once

#include <string>

namespace nk {

// The cause behind an errno value, for example "ファイルまたはフォルダーがありません".
std::string systemErrorText(int errnoValue);

}  // namespace nk
