// work_folderTest.cpp - the working folder from the install layout: the
// portable marker beside the program, a program folder that takes no file,
// a data folder still to be made, in folders with Japanese names.
#include "platform/work_folder.h"
#include "test_support.h"

namespace nk {
namespace {

namespace fs = std::filesystem;

class WorkFolderTest : public test::WorkDirTest {
protected:
  const std::string program = "ノルカク", data = "users/山田/AppData/Local/norukaku-client";
  void SetUp() override {
    fs::create_directories(test::utf8Path(program));
    fs::create_directory("users");
    fs::permissions("users", fs::perms::all);  // the unprivileged case makes the data folder too
  }
};

TEST_F(WorkFolderTest, TheLayoutDecides) {
  // Installed: no marker; the data folder is made.
  WorkFolder chosen = chooseWorkFolder(program, data);
  EXPECT_EQ(chosen.path, data);
  EXPECT_TRUE(fs::is_directory(test::utf8Path(data)));
  EXPECT_EQ(workFolderNotice(chosen), "");

  // Portable: the marker beside the program; the probe file leaves nothing behind.
  test::writeBytes(program + "/" + PortableMarker, "");
  chosen = chooseWorkFolder(program, data);
  EXPECT_EQ(chosen.path, program);
  EXPECT_EQ(test::namesIn(test::utf8Path(program)), std::vector<std::string>{PortableMarker});
  EXPECT_EQ(workFolderNotice(chosen), "");

  // A data folder that cannot be made is said.
  test::writeBytes("users/山田.txt", "");
  fs::remove(test::utf8Path(program + "/" + PortableMarker));
  chosen = chooseWorkFolder(program, "users/山田.txt/norukaku-client");
  EXPECT_EQ(workFolderNotice(chosen), "フォルダ users/山田.txt/norukaku-client を作れません。\r\n点数は起動したフォルダに保存します。");
}

TEST_F(WorkFolderTest, APortableProgramInAFolderThatTakesNoFileUsesTheDataFolderAndSaysSo) {
  if (test::onWindows()) GTEST_SKIP() << "needs POSIX permission bits and a user to drop root rights to";
  test::writeBytes(program + "/" + PortableMarker, "");
  fs::permissions(test::utf8Path(program), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const auto notice = test::unprivilegedOutput([this] {
    const WorkFolder chosen = chooseWorkFolder(program, data);
    return chosen.path + "|" + workFolderNotice(chosen);
  });
  ASSERT_TRUE(notice) << "could not give up root";
  EXPECT_EQ(*notice, data + "|このフォルダにはファイルを書き込めません。\r\nノルカク\r\n\r\n点数は次のフォルダに保存します。\r\n" + data);
}

}  // namespace
}  // namespace nk
