// running_mark_win32.cpp - the named mutex that the installer opens.
#include "platform/running_mark.h"

#include <windows.h>

namespace nk {

void markProgramRunning() {
  // Held until the process ends, when Windows closes the handle; a second copy
  // of the program opens the same mutex, which is just as good a mark.
  CreateMutexW(nullptr, FALSE, RunningMarkName);
}

}  // namespace nk
