// load_sequence_win32Test.cpp - the removal of the master files on Windows,
// where a read-only file cannot be deleted.
#include "diag/debug_log.h"
#include "domain/master_files.h"
#include "failure_of.h"
#include "load/load_sequence.h"
#include "platform/win32_support.h"
#include "test_support.h"

#include <windows.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

TEST(MasterFileRemovalWin32, AReadOnlyFileRaisesBeforeTheLoadAndIsLoggedAtItsEnd) {
  test::TempWorkDir dir;
  test::writeBytes("Debug.txt", "");
  for (const MasterFile& file : MasterFiles) {
    test::writeBytes(file.testedName, "left over");
    ASSERT_TRUE(::SetFileAttributesW(widen(file.testedName).c_str(), FILE_ATTRIBUTE_READONLY));
  }
  const DebugLog log{"./Debug.txt"};
  const std::string raised = test::failureOf([&] { removeMasterFiles(log, true); });
  removeMasterFiles(log, false);  // must go on past every failure
  EXPECT_EQ(raised, "ファイル songlist.dat を削除できません（アクセスが拒否されました）。");
  for (const MasterFile& file : MasterFiles) {
    EXPECT_TRUE(fs::exists(file.testedName));
    ::SetFileAttributesW(widen(file.testedName).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  EXPECT_EQ(test::logMessages(), (std::vector<std::string>{
                                     "ファイル songlist.dat を削除できません（アクセスが拒否されました）。",
                                     "ファイル srlist.dat を削除できません（アクセスが拒否されました）。",
                                     "ファイル versionlist.dat を削除できません（アクセスが拒否されました）。",
                                     "ファイル version.dat を削除できません（アクセスが拒否されました）。",
                                 }));
  // Writable again, they go.
  removeMasterFiles(log, true);
  for (const MasterFile& file : MasterFiles) EXPECT_FALSE(fs::exists(file.testedName));
}

}  // namespace
}  // namespace nk
