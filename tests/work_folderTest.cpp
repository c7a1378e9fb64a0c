// work_folderTest.cpp - the working folder from the install layout, in Japanese-named folders.
#include "platform/work_folder.h"
#include "test_support.h"

namespace nk {
namespace {

namespace fs = std::filesystem;

class WorkFolderTest : public test::WorkDirTest {
protected:
  void SetUp() override {
    fs::create_directories(test::utf8Path(program));
    fs::create_directory("users");
    fs::permissions("users", fs::perms::all);  // the unprivileged case makes the data folder too
  }
  void markPortable() { test::writeBytes(program + "/" + PortableMarker, ""); }
  const std::string program = "ノルカク", data = "users/山田/AppData/Local/norukaku-client";
};

TEST_F(WorkFolderTest, TheLayoutDecides) {
  const WorkFolder installed = chooseWorkFolder(program, data);  // no marker: the data folder, made
  EXPECT_EQ(installed.path + workFolderNotice(installed), data);
  EXPECT_TRUE(fs::is_directory(test::utf8Path(data)));
  markPortable();
  const WorkFolder portable = chooseWorkFolder(program, data);
  EXPECT_EQ(portable.path + workFolderNotice(portable), program);
  // The probe of the folder leaves nothing behind.
  EXPECT_EQ(test::namesIn(test::utf8Path(program)), std::vector<std::string>{PortableMarker});
  test::writeBytes("users/山田.txt", "");
  EXPECT_EQ(workFolderNotice(chooseWorkFolder("users", "users/山田.txt/x")),
            "フォルダ users/山田.txt/x を作れません。\r\n点数は起動したフォルダに保存します。");
}

// The program folder and the data folder differ in whether they take a file,
// both ways round: the program's own folder is the one tried.
TEST_F(WorkFolderTest, APortableProgramInAFolderThatTakesNoFileUsesTheDataFolderAndSaysSo) {
  if (test::onWindows()) GTEST_SKIP() << "needs POSIX permission bits and a user to drop root rights to";
  markPortable();
  fs::create_directories(test::utf8Path(data));
  constexpr auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  const struct Case {
    bool programTakesFiles, dataTakesFiles;
    std::string chosen;
  } cases[] = {
      {false, true,
       data + "|このフォルダにはファイルを書き込めません。\r\nノルカク\r\n\r\n点数は次のフォルダに保存します。\r\n" + data},
      {true, false, program + "|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    fs::permissions(test::utf8Path(program), fs::perms::all);
    fs::permissions(test::utf8Path(data), fs::perms::all);
    if (!c.programTakesFiles) fs::permissions(test::utf8Path(program), write, fs::perm_options::remove);
    if (!c.dataTakesFiles) fs::permissions(test::utf8Path(data), write, fs::perm_options::remove);
    const auto chosen = test::unprivilegedOutput([this] {
      const WorkFolder w = chooseWorkFolder(program, data);
      return w.path + "|" + workFolderNotice(w);
    });
    ASSERT_TRUE(chosen) << "could not give up root";
    EXPECT_EQ(*chosen, c.chosen);
  }
}

}  // namespace
}  // namespace nk
