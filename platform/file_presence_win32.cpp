// file_presence_win32.cpp - the presence test on Windows: a hidden or system
// file counts as absent, as a directory listing of normal files would have it.
#include "platform/file_presence.h"
#include "platform/win32_support.h"

#include <windows.h>

namespace nk {

bool isNormalFile(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  constexpr DWORD NotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_DEVICE;
  return (attributes & NotNormal) == 0;
}

}  // namespace nk
