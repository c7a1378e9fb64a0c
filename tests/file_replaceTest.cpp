// file_replaceTest.cpp - whole-file replacement: success, refusals, full disk.
#include "file_replace.h"
#include "test_support.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

class FileReplace : public test::WorkDirTest {};

// Names in a folder, sorted, so that a leftover temporary file shows.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs body in a child process and returns what it wrote to the pipe.
// unprivileged: the child gives up root first. Returns nullopt when the
// child could not do so.
std::optional<std::string> inChild(const std::function<std::string()>& body) {
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  const int status = test::runUnprivileged([&] {
    const std::string text = body();
    [[maybe_unused]] ssize_t n = ::write(fds[1], text.data(), text.size());
  });
  ::close(fds[1]);
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  ::close(fds[0]);
  if (status != 0) return std::nullopt;
  return text;
}

TEST_F(FileReplace, WritesNewAndReplacesOldKeepingPermissions) {
  FileWriteResult r = replaceFileContents("ac13score.csv", "1,5,0\r\n\r\n");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.failure, "");
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,5,0\r\n\r\n");

  fs::permissions("ac13score.csv", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  r = replaceFileContents("./ac13score.csv", "\r\n");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(test::readBytes("ac13score.csv"), "\r\n");
  EXPECT_EQ(fs::status("ac13score.csv").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_directory("sub");
  EXPECT_TRUE(replaceFileContents("sub/ac12score.csv", "x").ok);
  EXPECT_EQ(namesIn("."), (std::vector<std::string>{"ac13score.csv", "sub"}));
  EXPECT_EQ(namesIn("sub"), (std::vector<std::string>{"ac12score.csv"}));
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
  // The folder lets everyone create and rename, so only the checks of the
  // file itself stand between the save and the old content.
  fs::permissions(".", fs::perms::all);
  test::writeBytes("readonly.csv", "old1");
  fs::permissions("readonly.csv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  test::writeBytes("others.csv", "old2");
  fs::permissions("others.csv", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  fs::create_directory("locked");
  test::writeBytes("locked/open.csv", "old3");
  fs::permissions("locked/open.csv", fs::perms::all);
  fs::permissions("locked", fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);

  const auto result = inChild([] {
    std::string text;
    for (const char* path : {"readonly.csv", "others.csv", "locked/open.csv"})
      text += replaceFileContents(path, "new").failure + "\n";
    return text;
  });
  if (!result) GTEST_SKIP() << "cannot run a child without root rights";
  EXPECT_EQ(*result,
            "ファイル readonly.csv に書き込めません（読み取り専用のファイルです）。\n"
            "ファイル others.csv に書き込めません（アクセスが拒否されました）。\n"
            "ファイル locked/open.csv を保存するフォルダーに書き込めません（アクセスが拒否されました）。\n");
  EXPECT_EQ(test::readBytes("readonly.csv"), "old1");
  EXPECT_EQ(test::readBytes("others.csv"), "old2");
  EXPECT_EQ(test::readBytes("locked/open.csv"), "old3");
  EXPECT_EQ(namesIn("."), (std::vector<std::string>{"locked", "others.csv", "readonly.csv"}));
  EXPECT_EQ(namesIn("locked"), std::vector<std::string>{"open.csv"});
}

TEST_F(FileReplace, FullDiskKeepsTheOldFile) {
  // A small file system of its own, mounted in a mount namespace private to
  // a child process, so that nothing outside the test ever sees it.
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::close(fds[0]);
    if (::unshare(CLONE_NEWNS) != 0) ::_exit(77);
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) ::_exit(77);
    ::mkdir("disk", 0755);
    if (::mount("tmpfs", "disk", "tmpfs", 0, "size=64k") != 0) ::_exit(77);
    test::writeBytes("disk/ac13score.csv", "1,500,0\r\n\r\n");
    // Fill what is left.
    const int filler = ::open("disk/filler", O_WRONLY | O_CREAT, 0644);
    const std::string block(4096, 'x');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    ::close(filler);
    const FileWriteResult r = replaceFileContents("disk/ac13score.csv", std::string(20000, '9'));
    std::string report = (r.ok ? "ok" : r.failure) + "\n" + test::readBytes("disk/ac13score.csv");
    for (const std::string& name : namesIn("disk")) report += "\n" + name;
    [[maybe_unused]] ssize_t n = ::write(fds[1], report.data(), report.size());
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string report;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) report.append(buffer, static_cast<size_t>(n));
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no small file system can be mounted here (needs CAP_SYS_ADMIN)";
  EXPECT_EQ(report,
            "ファイル disk/ac13score.csv に書き込めません（ディスクの空き領域が足りません）。\n"
            "1,500,0\r\n\r\n\nac13score.csv\nfiller");
}

}  // namespace
}  // namespace nk
