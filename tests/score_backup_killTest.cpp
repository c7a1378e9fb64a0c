// score_backup_killTest.cpp - saves with backups killed at random moments
// (POSIX: a child saving in a loop gets SIGKILL): the score file is always
// whole, old or new, and so is every backup there is.
#include "data/score_backup.h"
#include "data/score_file.h"
#include "sheet/score_merge.h"
#include "test_support.h"

#include <csignal>
#include <random>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>

namespace nk {
namespace {

// Saves a new score at a new second, forever.
[[noreturn]] void saveForever(int32_t first) {
  ScoreSheetState s;
  s.VersionNumber = 13;
  s.ScoreFileName = "ac13score.csv";
  s.EntryScore = s.EntryScoreU = std::vector<int32_t>(1);
  ReadScoreFile(DebugLog{}, s);
  for (int32_t n = first;; ++n) {
    const SheetScores base = scoresOf(s);
    s.EntryScore[0] = n;
    const Moment at{std::chrono::sys_seconds{std::chrono::seconds{1'800'000'000 + n}}, {}};
    saveMergingFileChanges(s, base, &at);
  }
}

TEST(ScoreBackupKill, EveryFileLeftIsWhole) {
  test::TempWorkDir dir;
  const std::regex whole("1,[0-9]+,0\r\n\r\n");
  std::mt19937 random(2026);
  size_t backupsSeen = 0;
  int32_t next = 1;
  test::writeBytes("ac13score.csv", "1,0,0\r\n\r\n");
  for (int kill = 0; kill < 60; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) saveForever(next);
    ::usleep(std::uniform_int_distribution<useconds_t>(200, 20000)(random));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string scores = test::readBytes("ac13score.csv");
    ASSERT_TRUE(std::regex_match(scores, whole)) << scores;
    next = std::stoi(scores.substr(2)) + 1;
    for (const std::string& name : test::namesIn(BackupFolder)) {
      if (name.starts_with(".nk-save-")) continue;  // a killed save's temporary, removed later
      ++backupsSeen;
      EXPECT_TRUE(parseBackupName(name, 13)) << name;
      const std::string bytes = test::readBytes(backupPath(name));
      EXPECT_TRUE(std::regex_match(bytes, whole)) << name << ": " << bytes;
    }
  }
  RecordProperty("backups_checked", static_cast<int>(backupsSeen));
  EXPECT_GT(backupsSeen, 0u);
}

}  // namespace
}  // namespace nk
