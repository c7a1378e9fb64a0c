// wininet_failure_text.h - why a WinINet request failed, in Japanese, in the
// words the libcurl build uses for the same failure. Plain numbers, so that
// the table builds and is tested on every platform.
#pragma once

#include <string>

namespace nk {

// The cause of WinINet's error code (GetLastError after a failed call);
// connected tells a time-out after the connection from one before it. A code
// without words of its own is "通信エラー <code>".
std::string wininetFailureCause(unsigned long error, bool connected);

// The cause of an HTTP status of 400 or more: "HTTP ステータス <status>", with
// what it asks of the player for a proxy that wants a password (407).
std::string httpStatusCause(unsigned long status);

}  // namespace nk
