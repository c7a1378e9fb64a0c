// file_faultsTest.cpp - the whole load when the working folder is at fault:
// a debug log that cannot be written, a score file that cannot be read, a
// full disk. The load goes on or ends with a box; the score file stays.
#include "faults_fixture.h"

#include <unistd.h>

namespace nk {
namespace {

namespace fs = std::filesystem;
using test::Strings;

class FileFaults : public test::FaultsFixture {
protected:
  // What the load did, as one text a child process can hand back.
  std::string outcome(bool ended) {
    std::string text = ended ? "ended" : "loaded";
    for (const auto& box : tk.boxes) text += "\nbox " + box.title + ": " + box.text;
    text += "\npages " + std::to_string(pagesShown) + ", entries " + std::to_string(state.EntryCount);
    if (state.EntryCount > 0) text += ", first score " + std::to_string(state.EntryScore[0]);
    if (fs::is_regular_file("Debug.txt")) {
      const Strings log = test::logMessages();
      for (size_t i = log.size() < 2 ? 0 : log.size() - 2; i < log.size(); ++i) text += "\nlog " + log[i];
    }
    if (test::anyMasterFileLeft()) text += "\nmaster files left";
    return text;
  }
};

using test::namesIn;

TEST_F(FileFaults, ADebugLogThatCannotBeWrittenChangesNothing) {
  // A folder of that name: no log at all.
  fs::remove("Debug.txt");
  fs::create_directory("Debug.txt");
  freshLog = false;
  ASSERT_FALSE(load());
  expectLoaded();
  EXPECT_TRUE(fs::is_empty("Debug.txt"));
  expectScoreFileUnchanged();
  fs::remove("Debug.txt");

  // A read-only file, for a player without the rights to override the mark.
  fs::permissions(".", fs::perms::all);
  test::writeBytes("Debug.txt", "");
  fs::permissions("Debug.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const auto report = test::unprivilegedOutput([this] { return outcome(load()); });
  if (!report) GTEST_SKIP() << "cannot run a child without root rights";
  EXPECT_EQ(*report, "loaded\npages 1, entries 23, first score 500");
  EXPECT_EQ(test::readBytes("Debug.txt"), "");
  EXPECT_FALSE(test::anyMasterFileLeft());
  expectScoreFileUnchanged();
}

TEST_F(FileFaults, AScoreFileThatCannotBeReadEndsTheLoadOrCountsAsAbsent) {
  // A folder of that name is no score file: the sheet opens with no scores,
  // and the folder stays as it was.
  fs::remove(ScoreFile);
  fs::create_directory(ScoreFile);
  ASSERT_FALSE(load());
  EXPECT_TRUE(tk.boxes.empty());
  EXPECT_EQ(pagesShown, 1);
  EXPECT_EQ(state.EntryScore, std::vector<int32_t>(23, 0));
  const Strings log = test::logMessages();
  EXPECT_EQ(Strings(log.end() - 3, log.end()),
            (Strings{"CSVファイル展開開始", "CSVファイルが存在しません", "CSVファイル展開終了"}));
  EXPECT_TRUE(fs::is_directory(ScoreFile));
  EXPECT_TRUE(fs::is_empty(ScoreFile));
  fs::remove(ScoreFile);

  // A file nobody may read: the failure exit names it and why.
  test::writeBytes(ScoreFile, ScoreBytes);
  fs::permissions(ScoreFile, fs::perms::none);
  fs::permissions(".", fs::perms::all);
  test::writeBytes("Debug.txt", "");
  fs::permissions("Debug.txt", fs::perms::all);
  const auto report = test::unprivilegedOutput([this] { return outcome(load()); });
  if (!report) GTEST_SKIP() << "cannot run a child without root rights";
  const std::string description = "ファイル ac13score.csv を読み込めません（アクセスが拒否されました）。";
  EXPECT_EQ(*report, "ended\nbox 初期化失敗: " + description + "\npages 0, entries 23, first score 0\nlog " +
                         description + "\nlog 初期処理失敗");
  EXPECT_EQ(fs::status(ScoreFile).permissions(), fs::perms::none);
  expectScoreFileUnchanged();
}

TEST_F(FileFaults, AFullDiskEndsTheFirstDownloadAndKeepsTheScoreFile) {
  serveSecondary();
  freshLog = false;
  const auto report = test::withSmallDisk("disk", "64k", [this] {
    if (::chdir("disk") != 0) return std::string("no disk folder");
    test::writeBytes("Debug.txt", "");
    test::writeBytes(ScoreFile, ScoreBytes);
    test::fillDisk(".");
    std::string text = outcome(load());
    text += "\nscore file " + std::string(test::readBytes(ScoreFile) == ScoreBytes ? "kept" : "changed");
    text += "\nDebug.txt " + std::to_string(fs::file_size("Debug.txt")) + " bytes";
    for (const std::string& name : namesIn(".")) text += "\n" + name;
    return text;
  });
  if (!report) GTEST_SKIP() << "no small file system can be mounted here (needs CAP_SYS_ADMIN)";
  // Both servers answered; the disk took nothing. The log could not grow.
  EXPECT_EQ(*report,
            "ended\nbox 異常終了: DownloadSongMasterで異常が発生しました。\r\n"
            "./songlist.dat に書き込めません（ディスクの空き領域が足りません）\n"
            "pages 0, entries 0\nmaster files left\nscore file kept\nDebug.txt 0 bytes\n"
            "Debug.txt\nac13score.csv\nfiller\nsonglist.dat");
  expectScoreFileUnchanged();
}

}  // namespace
}  // namespace nk
