// log_fixture.h - a fresh working folder with the debug log switched on and a
// recording toolkit installed, for the tests of code that logs.
#pragma once

#include "diag/debug_log.h"
#include "test_support.h"

namespace nk::test {

class LoggedWorkDirTest : public WorkDirTest {
protected:
  LoggedWorkDirTest() { writeBytes("Debug.txt", ""); }
  std::vector<std::string> log() const { return logMessages("Debug.txt"); }
  // Switches the log off (for the long inputs, whose lines are not the point).
  void silenceLog() { debugLog = {}; }

  // The log that the code under test is handed.
  DebugLog debugLog{"./Debug.txt"};
};

}  // namespace nk::test
