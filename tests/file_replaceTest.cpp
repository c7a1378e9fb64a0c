// file_replaceTest.cpp - whole-file replacement: success, refusals, writes in
// place where a rename cannot work, full disk (inodes and owners:
// file_replace_posixTest.cpp; Windows attributes: file_replace_win32Test.cpp).
#include "platform/file_replace.h"
#include "test_support.h"

#include <algorithm>

namespace nk {
namespace {

namespace fs = std::filesystem;

class FileReplace : public test::WorkDirTest {};

using test::namesIn;

TEST_F(FileReplace, WritesNewAndReplacesOldKeepingPermissions) {
  FileWriteResult r = replaceFileContents("ac13score.csv", "1,5,0\r\n\r\n");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.failure, "");
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,5,0\r\n\r\n");
  fs::create_directory("sub");
  EXPECT_TRUE(replaceFileContents("sub/ac12score.csv", "x").ok);
  EXPECT_EQ(namesIn("."), (std::vector<std::string>{"ac13score.csv", "sub"}));
  EXPECT_EQ(namesIn("sub"), (std::vector<std::string>{"ac12score.csv"}));

  if (test::onWindows()) GTEST_SKIP() << "Windows files have no permission bits to keep (attributes: FileReplaceWin32)";
  fs::permissions("ac13score.csv", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  r = replaceFileContents("./ac13score.csv", "\r\n");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(test::readBytes("ac13score.csv"), "\r\n");
  EXPECT_EQ(fs::status("ac13score.csv").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileReplace, ALinkStaysALinkAndItsFileIsReplaced) {
  if (test::onWindows()) GTEST_SKIP() << "symbolic links need a privilege on Windows that a player lacks";
  fs::create_directory("synced");
  test::writeBytes("synced/ac13score.csv", "1,5,0\r\n\r\n");
  fs::create_symlink("synced/ac13score.csv", "ac13score.csv");
  EXPECT_TRUE(replaceFileContents("ac13score.csv", "2,7,0\r\n\r\n").ok);
  EXPECT_TRUE(fs::is_symlink("ac13score.csv"));
  EXPECT_EQ(test::readBytes("synced/ac13score.csv"), "2,7,0\r\n\r\n");
  EXPECT_EQ(namesIn("synced"), (std::vector<std::string>{"ac13score.csv"}));

  // A link to nowhere is refused and left as it is.
  fs::create_symlink("gone/ac12score.csv", "ac12score.csv");
  const FileWriteResult r = replaceFileContents("ac12score.csv", "x");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failure, "ファイル ac12score.csv に書き込めません（ファイルまたはフォルダーがありません）。");
  EXPECT_TRUE(fs::is_symlink("ac12score.csv"));
}

TEST_F(FileReplace, RefusalsLeaveTheOldFileAndNoTemporaryFile) {
  fs::create_directory("ac13score.csv");
  test::writeBytes("ac14score.csv", "old");
  fs::permissions("ac14score.csv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::pair<const char*, const char*> cases[] = {
      {"ac13score.csv", "ファイル ac13score.csv に書き込めません（同じ名前のフォルダーがあります）。"},
      {"ac14score.csv", "ファイル ac14score.csv に書き込めません（読み取り専用のファイルです）。"},
      {"nofolder/ac12score.csv",
       "ファイル nofolder/ac12score.csv を保存するフォルダーに書き込めません（ファイルまたはフォルダーがありません）。"},
  };
  for (const auto& [path, description] : cases) {
    const FileWriteResult r = replaceFileContents(path, "new");
    EXPECT_FALSE(r.ok) << path;
    EXPECT_EQ(r.failure, description);
  }
  EXPECT_TRUE(fs::is_directory("ac13score.csv"));
  EXPECT_EQ(test::readBytes("ac14score.csv"), "old");
  EXPECT_EQ(namesIn("."), (std::vector<std::string>{"ac13score.csv", "ac14score.csv"}));
}

TEST_F(FileReplace, AnotherUsersRightsAreHonoured) {
  if (test::onWindows()) GTEST_SKIP() << "needs POSIX permission bits and a user to drop root rights to";
  // The folder lets everyone create and rename, so only the checks of the
  // file itself stand between the save and the old content.
  fs::permissions(".", fs::perms::all);
  test::writeBytes("readonly.csv", "old1");
  fs::permissions("readonly.csv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  test::writeBytes("others.csv", "old2");
  fs::permissions("others.csv", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);

  const auto result = test::unprivilegedOutput([] {
    std::string text;
    for (const char* path : {"readonly.csv", "others.csv"}) text += replaceFileContents(path, "new").failure + "\n";
    return text;
  });
  if (!result) GTEST_SKIP() << "cannot run a child without root rights";
  EXPECT_EQ(*result,
            "ファイル readonly.csv に書き込めません（読み取り専用のファイルです）。\n"
            "ファイル others.csv に書き込めません（アクセスが拒否されました）。\n");
  EXPECT_EQ(test::readBytes("readonly.csv"), "old1");
  EXPECT_EQ(test::readBytes("others.csv"), "old2");
  EXPECT_EQ(namesIn("."), (std::vector<std::string>{"others.csv", "readonly.csv"}));
}

TEST_F(FileReplace, FullDiskKeepsTheOldFile) {
  if (test::onWindows()) GTEST_SKIP() << "needs a small file system mounted in a private mount namespace";
  // A small file system of its own, mounted in a mount namespace private to
  // a child process, so that nothing outside the test ever sees it.
  // The second file has a hard link, so it is written in place.
  const auto result = test::withSmallDisk("disk", "64k", [] {
    test::writeBytes("disk/ac13score.csv", "1,500,0\r\n\r\n");
    test::writeBytes("disk/ac14score.csv", "old");
    fs::create_hard_link("disk/ac14score.csv", "disk/ac14link.csv");
    std::string report = replaceFileContents("disk/ac14score.csv", "1,700,0\r\n\r\n").failure + "\n";
    test::fillDisk("disk");
    for (const char* path : {"disk/ac13score.csv", "disk/ac14score.csv"}) {
      const FileWriteResult r = replaceFileContents(path, std::string(20000, '9'));
      report += (r.ok ? "ok" : r.failure) + (r.oldKept ? "" : " (old lost)") + "\n" + test::readBytes(path) + "\n";
    }
    report += test::readBytes("disk/ac14link.csv");
    for (const std::string& name : namesIn("disk")) report += "\n" + name;
    return report;
  });
  if (!result) GTEST_SKIP() << "no small file system can be mounted here (needs CAP_SYS_ADMIN)";
  const std::string& report = *result;
  EXPECT_EQ(report,
            "\n"
            "ファイル disk/ac13score.csv に書き込めません（ディスクの空き領域が足りません）。\n"
            "1,500,0\r\n\r\n\n"
            "ファイル disk/ac14score.csv に書き込めません（ディスクの空き領域が足りません）。\n"
            "1,700,0\r\n\r\n\n"
            "1,700,0\r\n\r\n"
            "\nac13score.csv\nac14link.csv\nac14score.csv\nfiller");
}

}  // namespace
}  // namespace nk
