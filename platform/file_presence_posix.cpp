// file_presence_posix.cpp - the presence test on POSIX systems.
#include "platform/file_presence.h"

#include <sys/stat.h>

namespace nk {

bool isNormalFile(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  // No hidden or system marks here; a directory, device or pipe is no file.
  return S_ISREG(st.st_mode);
}

}  // namespace nk
