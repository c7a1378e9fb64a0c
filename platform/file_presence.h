// file_presence.h - whether a file counts as present: the test that switches
// the debug log on and that the load asks of the master files and the
// player's score file.
#pragma once

#include <string>

namespace nk {

// True when path names a normal file: not missing, not a directory, device or
// pipe, and not marked hidden or system where the platform has those marks.
bool isNormalFile(const std::string& path);

}  // namespace nk
