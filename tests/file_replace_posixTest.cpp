// file_replace_posixTest.cpp - whole-file replacement where only POSIX
// systems can look: the same inode after a write in place, owners and groups.
#include "platform/file_replace.h"
#include "test_support.h"

#include <sys/stat.h>
#include <unistd.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

class FileReplacePosix : public test::WorkDirTest {};

using test::namesIn;

TEST_F(FileReplacePosix, WhereNoRenameCanReplaceTheFileItIsWrittenInPlace) {
  // A folder that takes no new file, a shared folder where only a file's
  // owner may rename over it, and a file with a second hard link.
  fs::permissions(".", fs::perms::all);
  for (const char* folder : {"locked", "shared"}) fs::create_directory(folder);
  struct Case {
    const char* path;
    fs::perms mode;
    const char* outcome;  // what the player's save gives
  } cases[] = {
      {"locked/open.csv", fs::perms::all, "ok"},
      {"shared/theirs.csv", fs::perms::all, "ok"},
      {"linked.csv", fs::perms::all, "ok"},
      {"locked/readonly.csv", fs::perms::owner_read | fs::perms::others_read,
       "ファイル locked/readonly.csv に書き込めません（読み取り専用のファイルです）。"},
      {"locked/new.csv", fs::perms::none,
       "ファイル locked/new.csv を保存するフォルダーに書き込めません（アクセスが拒否されました）。"},
  };
  std::vector<ino_t> inodes;
  for (const Case& c : cases) {
    if (c.path == std::string("locked/new.csv")) break;
    test::writeBytes(c.path, "1,500,0\r\n\r\n");
    fs::permissions(c.path, c.mode);
    struct stat st {};
    ::stat(c.path, &st);
    inodes.push_back(st.st_ino);
  }
  fs::create_hard_link("linked.csv", "alias.csv");
  fs::permissions("locked", fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  fs::permissions("shared", fs::perms::all | fs::perms::sticky_bit);

  const auto result = test::unprivilegedOutput([&cases] {
    std::string text;
    for (const Case& c : cases) {
      const FileWriteResult r = replaceFileContents(c.path, "2,600,0\r\n\r\n");
      text += (r.ok ? "ok" : r.failure) + "\n";
    }
    return text;
  });
  if (!result) GTEST_SKIP() << "cannot run a child without root rights";
  std::string expected;
  for (const Case& c : cases) expected += std::string(c.outcome) + "\n";
  EXPECT_EQ(*result, expected);
  for (size_t i = 0; i < inodes.size(); ++i) {
    SCOPED_TRACE(cases[i].path);
    struct stat st {};
    ASSERT_EQ(::stat(cases[i].path, &st), 0);
    EXPECT_EQ(st.st_ino, inodes[i]);
    EXPECT_EQ(test::readBytes(cases[i].path), cases[i].outcome == std::string("ok") ? "2,600,0\r\n\r\n" : "1,500,0\r\n\r\n");
  }
  EXPECT_EQ(test::readBytes("alias.csv"), "2,600,0\r\n\r\n");
  EXPECT_EQ(namesIn("."), (std::vector<std::string>{"alias.csv", "linked.csv", "locked", "shared"}));
  EXPECT_EQ(namesIn("locked"), (std::vector<std::string>{"open.csv", "readonly.csv"}));
  EXPECT_EQ(namesIn("shared"), std::vector<std::string>{"theirs.csv"});
}

TEST_F(FileReplacePosix, TheReplacementKeepsOwnerAndGroupWhereTheSystemAllows) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files to other users";
  // Root saving a player's file gives it back to the player.
  test::writeBytes("player.csv", "old");
  ASSERT_EQ(::chown("player.csv", 65534, 65534), 0);
  ASSERT_TRUE(replaceFileContents("player.csv", "new").ok);
  struct stat st {};
  ASSERT_EQ(::stat("player.csv", &st), 0);
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);

  // A player saving a file of another owner in a shared folder keeps its
  // group, which is one of the player's own.
  const gid_t shared = 4242;
  fs::permissions(".", fs::perms::all);
  test::writeBytes("shared.csv", "old");
  fs::permissions("shared.csv", fs::perms::all);
  ASSERT_EQ(::chown("shared.csv", 0, shared), 0);
  const auto result =
      test::unprivilegedOutput([] { return replaceFileContents("shared.csv", "new").failure; }, {shared});
  if (!result) GTEST_SKIP() << "cannot run a child without root rights";
  EXPECT_EQ(*result, "");
  ASSERT_EQ(::stat("shared.csv", &st), 0);
  EXPECT_EQ(test::readBytes("shared.csv"), "new");
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, shared);
  EXPECT_EQ(st.st_mode & 07777, 0777u);
}

// A killed save's temporary files, aged by modification time: the next save in their folder removes
// those named exactly as mkstemp names them and too old to belong to a running save, and nothing else.
TEST(FileReplaceLeftovers, TheNextSaveRemovesStaleTemporaryFiles) {
  test::TempWorkDir dir;
  namespace fs = std::filesystem;
  const auto now = fs::file_time_type::clock::now();
  auto aged = [&](const std::string& name, std::chrono::seconds age) {
    test::writeBytes(name, "partial");
    fs::last_write_time(name, now - age);
  };
  using std::chrono::minutes, std::chrono::seconds;
  for (const char* folder : {"sub", "other"}) fs::create_directory(folder);
  struct Case { const char* name; seconds age; bool removed; } cases[] = {
      {".nk-save-Ab3xY9", minutes(11), true},
      {".nk-save-000000", minutes(60 * 24 * 30), true},
      {".nk-save-zzzzzz", seconds(StaleSaveSeconds + 30), true},
      {".nk-save-Ab3xY8", seconds(StaleSaveSeconds - 30), false},
      {".nk-save-Ab3xY7", minutes(0), false},
      {".nk-save-Ab3xY", minutes(11), false},
      {".nk-save-Ab3xY90", minutes(11), false},
      {".nk-save-Ab3x-9", minutes(11), false},
      {".nk-save-Ab3x.9", minutes(11), false},
      {"x.nk-save-Ab3xY9", minutes(11), false},
      {"nk-save-Ab3xY9", minutes(11), false},
      {".NK-SAVE-Ab3xY9", minutes(11), false},
      {"sub/.nk-save-Ab3xY9", minutes(11), false},
      {"other/.nk-save-q1w2e3", minutes(11), false},  // left to a save in its own folder
  };
  for (const Case& c : cases) aged(c.name, c.age);
  // A folder and a link of that name are not a save's file.
  fs::create_directory(".nk-save-dir001");
  fs::last_write_time(".nk-save-dir001", now - minutes(11));
  aged("target.txt", minutes(11));
  fs::create_symlink("target.txt", ".nk-save-link01");

  ASSERT_TRUE(replaceFileContents("ac13score.csv", "1,5,0\r\n\r\n").ok);
  for (const Case& c : cases) EXPECT_EQ(!fs::exists(c.name), c.removed) << c.name;
  EXPECT_TRUE(fs::is_directory(".nk-save-dir001"));
  EXPECT_TRUE(fs::is_symlink(".nk-save-link01"));
  EXPECT_EQ(test::readBytes("target.txt"), "partial");
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,5,0\r\n\r\n");

  // A save elsewhere tidies its own folder only.
  ASSERT_TRUE(replaceFileContents("other/ac12score.csv", "x").ok);
  EXPECT_EQ(namesIn("other"), std::vector<std::string>{"ac12score.csv"});
  EXPECT_TRUE(fs::exists("sub/.nk-save-Ab3xY9"));
}

}  // namespace
}  // namespace nk
