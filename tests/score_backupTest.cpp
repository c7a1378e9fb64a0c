// score_backupTest.cpp - the backups a save keeps of the score file: their
// names, the keeping rule at its edges, and saves that make them (or not).
#include "data/score_backup.h"
#include "data/score_file.h"
#include "sheet/backup_restore.h"
#include "sheet/score_merge.h"
#include "test_support.h"

namespace nk {
namespace {

using namespace std::chrono;

constexpr local_days Today{year{2026} / 12 / 8};

TEST(ScoreBackupNames, OneNameForOneBackupOfOneVersion) {
  const local_seconds evening = Today + hours{20} + minutes{30} + seconds{15};
  EXPECT_EQ(backupFileName(13, evening), "ac13score-20261208-203015.csv");
  EXPECT_EQ(backupFileName(13, evening, 2), "ac13score-20261208-203015-2.csv");
  EXPECT_EQ(backupFileName(14, Today), "ac14score-20261208-000000.csv");
  for (const char* name : {"ac13score-20261208-203015.csv", "ac13score-20261208-203015-2.csv",
                           "ac13score-20240229-235959-1234.csv"}) {
    const auto parsed = parseBackupName(name, 13);
    ASSERT_TRUE(parsed) << name;
    EXPECT_EQ(backupFileName(13, parsed->time, parsed->sequence), name);
  }
  for (const char* name : {"ac14score-20261208-203015.csv", "ac13score.csv", "ac13score-20261208-203015-1.csv",
                           "ac13score-20261208-203015-02.csv", "ac13score-20261308-203015.csv",
                           "ac13score-20230229-120000.csv", "ac13score-20261208-240000.csv",
                           "ac13score-20261208-203015.txt", "ac13score-20261208-2030.csv", "ac13score-20261208-203015-.csv"})
    EXPECT_FALSE(parseBackupName(name, 13)) << name;
}

TEST(ScoreBackupKeeping, TheLastTwentyAndEachDaysLastForSixtyDays) {
  // Two saves a day, morning and evening, for 70 days back from today.
  std::vector<BackupName> backups;
  for (int back = 0; back < 70; ++back)
    for (int hour : {8, 21}) {
      const local_seconds time = Today - days{back} + hours{hour};
      backups.push_back({backupFileName(13, time), time, 1});
    }
  std::vector<std::string> expected;
  for (int back = 10; back < 70; ++back) {  // the newest 20 are the last ten days
    expected.push_back(backupFileName(13, Today - days{back} + hours{8}));
    if (back >= BackupDaysKept) expected.push_back(backupFileName(13, Today - days{back} + hours{21}));
  }
  std::vector<std::string> removed = backupsToRemove(backups, Today);
  std::sort(removed.begin(), removed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(removed, expected);
  // 21 saves within one second: the later sequence is the newer, and only
  // the first goes; yesterday's last save stays, one before it goes.
  const local_seconds now = Today + hours{12};
  std::vector<BackupName> same;
  for (int i = 1; i <= int(BackupsKept) + 1; ++i) same.push_back({backupFileName(13, now, i), now, i});
  const std::string first = backupFileName(13, now);
  EXPECT_EQ(backupsToRemove(same, Today), std::vector<std::string>{first});
  same.push_back({backupFileName(13, now - days{1}), now - days{1}, 1});
  EXPECT_EQ(backupsToRemove(same, Today), std::vector<std::string>{first});
  same.push_back({backupFileName(13, now - days{1} - hours{1}), now - days{1} - hours{1}, 1});
  EXPECT_EQ(backupsToRemove(same, Today), (std::vector<std::string>{first, backupFileName(13, now - days{1} - hours{1})}));
}

class ScoreBackupSave : public test::WorkDirTest {
protected:
  ScoreBackupSave() {
    s.VersionNumber = 13;
    s.ScoreFileName = "ac13score.csv";
    s.EntryScore = s.EntryScoreU = std::vector<int32_t>(2);
  }
  // Types the score into entry 1 and saves at the local moment given.
  MergedSave saveAt(int32_t score, local_seconds when) {
    const SheetScores base = scoresOf(s);
    s.EntryScore[0] = score;
    const Moment at{sys_seconds{when.time_since_epoch()}, seconds{0}};
    return saveMergingFileChanges(s, base, &at);
  }
  std::vector<std::string> backups() const {
    std::string failure;
    std::vector<std::string> names;
    for (const BackupName& b : listBackups(13, failure)) names.push_back(b.name);
    return names;
  }
  ScoreSheetState s;
};

// A folder of a hundred thousand files: 40,000 backups, one each five minutes
// back from today, and 60,000 files of the player's. The list reads only the
// newest that the rule keeps; a save keeps its backup, removes the version's
// surplus by the rule and leaves every other file.
TEST_F(ScoreBackupSave, AFolderOfAHundredThousandFilesIsListedByItsNewestAndKept) {
  if (test::onWindows())
    GTEST_SKIP() << "Wine looks up each new name in the whole folder, so a hundred thousand files take hours; "
                    "the listing and the keeping are the same code on Linux";
  const local_seconds noon = Today + hours{12};
  ASSERT_TRUE(saveAt(5, noon).write.ok);
  std::filesystem::create_directory(BackupFolder);
  constexpr int Backups = 40000, Others = 60000;
  for (int i = 0; i < Backups; ++i) test::writeBytes(backupPath(backupFileName(13, Today - minutes{5 * (i + 1)})), "1,7,0\r\n");
  for (int i = 0; i < Others; ++i) test::writeBytes(backupPath("メモ-" + std::to_string(i) + ".txt"), "");

  std::string failure;
  const std::vector<BackupRead> listed = readNewestBackups(s, listBackups(13, failure));
  EXPECT_EQ(failure, "");
  ASSERT_EQ(listed.size(), MostBackupsListed);
  EXPECT_EQ(listed.front().name.name, "ac13score-20261207-235500.csv");
  EXPECT_EQ(listed.back().name.name, backupFileName(13, Today - minutes{5 * MostBackupsListed}));

  const MergedSave saved = saveAt(6, noon + seconds{1});
  ASSERT_TRUE(saved.write.ok);
  EXPECT_EQ(saved.backupFailure, "");
  // The 20 newest (the new one and 19 of yesterday) and the newest of each of
  // the 58 days before yesterday within the 60.
  EXPECT_EQ(backups().size(), 78u);
  EXPECT_EQ(backups().front(), "ac13score-20261208-120001.csv");
  EXPECT_EQ(test::namesIn(BackupFolder).size(), 78u + Others);
}

TEST_F(ScoreBackupSave, EachSaveThatChangesTheFileKeepsItAsItWas) {
  const local_seconds noon = Today + hours{12};
  ASSERT_TRUE(saveAt(5, noon).write.ok);
  EXPECT_FALSE(std::filesystem::exists(BackupFolder)) << "no file before the first save: nothing to keep";
  ASSERT_TRUE(saveAt(6, noon).write.ok);
  ASSERT_TRUE(saveAt(6, noon + seconds{1}).write.ok);  // changes nothing: no backup
  ASSERT_TRUE(saveAt(7, noon).write.ok);               // the same second again
  EXPECT_EQ(backups(), (std::vector<std::string>{"ac13score-20261208-120000-2.csv", "ac13score-20261208-120000.csv"}));
  EXPECT_EQ(test::readBytes(backupPath(backups()[1])), "1,5,0\r\n\r\n");
  EXPECT_EQ(test::readBytes(backupPath(backups()[0])), "1,6,0\r\n\r\n");

  // Names of other versions and files of the player stay; the version's
  // old backups go as the rule says: 100 days back, the day before the last
  // 60, and a second of a day.
  for (const char* name : {"ac14score-20200101-000000.csv", "メモ.txt", "ac13score-20200101-000000-01.csv"})
    test::writeBytes(backupPath(name), "x");
  test::writeBytes(backupPath(backupFileName(13, Today - days{100})), "old");
  test::writeBytes(backupPath(backupFileName(13, Today - days{BackupDaysKept} + hours{23})), "a day too old");
  test::writeBytes(backupPath(backupFileName(13, Today - days{BackupDaysKept - 1})), "the oldest day kept");
  test::writeBytes(backupPath(backupFileName(13, Today - days{30} + hours{9})), "morning");
  test::writeBytes(backupPath(backupFileName(13, Today - days{30} + hours{22})), "evening");
  for (int i = 0; i < 25; ++i) ASSERT_TRUE(saveAt(100 + i, noon + minutes{i + 1}).write.ok);
  const std::vector<std::string> kept = backups();
  ASSERT_EQ(kept.size(), BackupsKept + 2);
  EXPECT_EQ(kept[BackupsKept], backupFileName(13, Today - days{30} + hours{22}));
  EXPECT_EQ(kept.back(), backupFileName(13, Today - days{BackupDaysKept - 1}));
  EXPECT_EQ(test::readBytes(backupPath(kept.front())), "1,123,0\r\n\r\n");
  EXPECT_EQ(test::namesIn(BackupFolder).size(), BackupsKept + 2 + 3);

  // A backup folder that takes no file costs a warning, never the save.
  std::filesystem::permissions(".", std::filesystem::perms::all);
  std::filesystem::permissions("ac13score.csv", std::filesystem::perms::all);  // the child is another user
  std::filesystem::permissions(BackupFolder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                                 std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  const auto report = test::unprivilegedOutput([&] {
    const MergedSave saved = saveAt(999, noon + hours{1});
    return (saved.write.ok ? "saved " : "not saved ") + saved.backupFailure;
  });
  std::filesystem::permissions(BackupFolder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
  if (!report) GTEST_SKIP() << "cannot run a child without root rights";
  EXPECT_EQ(report->substr(0, 6), "saved ") << *report;
  EXPECT_NE(report->find("点数は保存しましたが、保存前の点数のバックアップを作れませんでした。"), std::string::npos) << *report;
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,999,0\r\n\r\n");
  EXPECT_EQ(backups(), kept);
}

}  // namespace
}  // namespace nk
