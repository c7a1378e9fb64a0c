// file_presence_win32Test.cpp - on Windows a hidden or system file counts as
// absent: the debug log is not written to, a master file is not taken.
#include "diag/debug_log.h"
#include "platform/file_presence.h"
#include "platform/win32_support.h"
#include "test_support.h"

#include <windows.h>

namespace nk {
namespace {

class FilePresenceWin32 : public test::WorkDirTest {};

TEST_F(FilePresenceWin32, HiddenAndSystemFilesCountAsAbsent) {
  struct Case {
    const char* name;
    DWORD attributes;
    bool present;
  } cases[] = {
      {"normal.dat", FILE_ATTRIBUTE_NORMAL, true},
      {"archive.dat", FILE_ATTRIBUTE_ARCHIVE, true},
      {"readonly.dat", FILE_ATTRIBUTE_READONLY, true},
      {"hidden.dat", FILE_ATTRIBUTE_HIDDEN, false},
      {"system.dat", FILE_ATTRIBUTE_SYSTEM, false},
      {"both.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::writeBytes(c.name, "x");
    ASSERT_TRUE(::SetFileAttributesW(widen(c.name).c_str(), c.attributes));
    EXPECT_EQ(isNormalFile(c.name), c.present);
    EXPECT_EQ(isNormalFile(std::string("./") + c.name), c.present);
    ::SetFileAttributesW(widen(c.name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  EXPECT_FALSE(isNormalFile("missing.dat"));
  EXPECT_FALSE(isNormalFile("."));
}

TEST_F(FilePresenceWin32, AHiddenLogIsNotWritten) {
  const DebugLog log{"./Debug.txt"};
  test::writeBytes("Debug.txt", "keep");
  ASSERT_TRUE(::SetFileAttributesW(L"Debug.txt", FILE_ATTRIBUTE_HIDDEN));
  PutLog(log, "entry");
  ClearLog(log);
  ::SetFileAttributesW(L"Debug.txt", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(test::readBytes("Debug.txt"), "keep");
  ClearLog(log);
  PutLog(log, "entry");
  EXPECT_EQ(test::logMessages(), std::vector<std::string>{"entry"});
}

}  // namespace
}  // namespace nk
