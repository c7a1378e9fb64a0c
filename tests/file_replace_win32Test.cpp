// file_replace_win32Test.cpp - whole-file replacement on Windows: attributes
// kept, the read-only attribute honoured, a file held by another program.
#include "held_file_win32.h"
#include "platform/file_replace.h"
#include "platform/win32_support.h"
#include "test_support.h"

#include <windows.h>

#include <thread>

namespace nk {
namespace {

using test::namesIn;

class FileReplaceWin32 : public test::WorkDirTest {};

DWORD attributesOf(const char* path) { return ::GetFileAttributesW(widen(path).c_str()); }

TEST_F(FileReplaceWin32, TheReplacementKeepsTheOldFilesAttributes) {
  const DWORD kept[] = {FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
                        FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE};
  for (const DWORD attributes : kept) {
    SCOPED_TRACE(attributes);
    test::writeBytes("ac13score.csv", "1,5,0\r\n\r\n");
    ASSERT_TRUE(::SetFileAttributesW(L"ac13score.csv", attributes));
    const FileWriteResult r = replaceFileContents("ac13score.csv", "2,7,0\r\n\r\n");
    EXPECT_TRUE(r.ok) << r.failure;
    EXPECT_EQ(attributesOf("ac13score.csv") & attributes, attributes);
    EXPECT_EQ(test::readBytes("ac13score.csv"), "2,7,0\r\n\r\n");
    EXPECT_EQ(namesIn("."), std::vector<std::string>{"ac13score.csv"});
    ::SetFileAttributesW(L"ac13score.csv", FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(FileReplaceWin32, TheReadOnlyAttributeRefusesTheSave) {
  test::writeBytes("ac14score.csv", "old");
  ASSERT_TRUE(::SetFileAttributesW(L"ac14score.csv", FILE_ATTRIBUTE_READONLY));
  const FileWriteResult r = replaceFileContents("./ac14score.csv", "new");
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.oldKept);
  EXPECT_EQ(r.failure, "ファイル ac14score.csv に書き込めません（読み取り専用のファイルです）。");
  EXPECT_EQ(test::readBytes("ac14score.csv"), "old");
  EXPECT_EQ(namesIn("."), std::vector<std::string>{"ac14score.csv"});
}

TEST_F(FileReplaceWin32, AFileHeldByAnotherProgramFailsCleanly) {
  // Held open for reading and writing but not for removal (the share modes
  // of a program that reads the file meanwhile), or not shared at all; by
  // another program, and by another handle of this one.
  const DWORD shares[] = {FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_SHARE_READ, 0};
  for (const bool elsewhere : {true, false}) {
    for (const DWORD share : shares) {
      SCOPED_TRACE(std::string(elsewhere ? "another program, share " : "this program, share ") + std::to_string(share));
      test::writeBytes("ac12score.csv", "1,500,0\r\n\r\n");
      FileWriteResult r;
      if (elsewhere) {
        test::FileHeldElsewhere held(L"ac12score.csv", share);
        r = replaceFileContents("ac12score.csv", "2,600,0\r\n\r\n");
      } else {
        const HANDLE held = ::CreateFileW(L"ac12score.csv", GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        r = replaceFileContents("ac12score.csv", "2,600,0\r\n\r\n");
        ::CloseHandle(held);
      }
      EXPECT_FALSE(r.ok);
      EXPECT_TRUE(r.oldKept);
      EXPECT_EQ(r.failure, "ファイル ac12score.csv に書き込めません（ファイルが使用中です）。");
      EXPECT_EQ(test::readBytes("ac12score.csv"), "1,500,0\r\n\r\n");
      EXPECT_EQ(namesIn("."), std::vector<std::string>{"ac12score.csv"});
    }
  }
}

TEST_F(FileReplaceWin32, AFileHeldForAMomentIsWaitedFor) {
  // As an antivirus scanner holds a file that just changed: not shared for removal, for a moment.
  test::writeBytes("ac12score.csv", "1,500,0\r\n\r\n");
  const HANDLE held = ::CreateFileW(L"ac12score.csv", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread scanner([held] {
    ::Sleep(300);
    ::CloseHandle(held);
  });
  const FileWriteResult r = replaceFileContents("ac12score.csv", "2,600,0\r\n\r\n");
  scanner.join();
  EXPECT_TRUE(r.ok) << r.failure;
  EXPECT_EQ(test::readBytes("ac12score.csv"), "2,600,0\r\n\r\n");
}

TEST_F(FileReplaceWin32, AFileWithASecondNameIsWrittenInPlace) {
  test::writeBytes("linked.csv", "1,500,0\r\n\r\n");
  ASSERT_TRUE(::CreateHardLinkW(L"alias.csv", L"linked.csv", nullptr));
  const FileWriteResult r = replaceFileContents("linked.csv", "2,600,0\r\n\r\n");
  EXPECT_TRUE(r.ok) << r.failure;
  EXPECT_EQ(test::readBytes("alias.csv"), "2,600,0\r\n\r\n");
  EXPECT_EQ(test::readBytes("linked.csv"), "2,600,0\r\n\r\n");
  EXPECT_EQ(namesIn("."), (std::vector<std::string>{"alias.csv", "linked.csv"}));
}

}  // namespace
}  // namespace nk
