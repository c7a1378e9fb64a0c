// running_mark_posix.cpp - nothing to mark on Linux.
#include "platform/running_mark.h"

namespace nk {

void markProgramRunning() {}

}  // namespace nk
