// backup_stepsTest.cpp - the undo of the last save and the list of backups as
// the sheet's tools run them, on real files: each way there is nothing to go
// back to gives its box, and the box after typing tells the backup's time
// and how many charts were typed.
#include "data/score_backup.h"
#include "sheet/backup_steps.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace nk {

void PrintTo(const Notice& notice, std::ostream* out) {
  *out << notice.title << " / " << notice.text << (notice.icon == MsgIcon::None ? "" : " (!)");
}

namespace {

using namespace std::chrono;

constexpr local_seconds Noon{local_days{year{2026} / 12 / 8} + hours{12}};

class BackupSteps : public test::WorkDirTest {
protected:
  BackupSteps() {
    s.VersionNumber = 13;
    s.ScoreFileName = "ac13score.csv";
    s.EntryScore = {900, 0};
    s.EntryScoreU = {0, 0};
    s.DisplayOrder = {1, 0};  // entry 1 shows first
  }
  static void keepBackup(local_seconds at, const std::string& bytes) {
    std::filesystem::create_directory(BackupFolder);
    test::writeBytes(backupPath(backupFileName(13, at)), bytes);
  }
  ScoreSheetState s;
};

TEST_F(BackupSteps, NothingToGoBackToSaysWhy) {
  const Notice none{UndoSaveTitle, NoBackupText, MsgIcon::Exclamation};
  EXPECT_EQ(readLastSaveBackup(s).failure, none);  // no folder yet
  std::filesystem::create_directory(BackupFolder);
  test::writeBytes(backupPath("メモ.txt"), "not a backup");
  EXPECT_EQ(readLastSaveBackup(s).failure, none);
  const BackupList empty = readBackupList(s);
  EXPECT_TRUE(empty.backups.empty());
  EXPECT_FALSE(empty.failure);

  // The newest backup cannot be read: its cause, and no older one instead.
  keepBackup(Noon - hours{2}, "1,5,0\r\n");
  keepBackup(Noon - hours{1}, "1,99999999999,0\r\n");
  const LastSaveBackup unreadable = readLastSaveBackup(s);
  EXPECT_FALSE(unreadable.backup);
  EXPECT_EQ(unreadable.failure, (Notice{UndoSaveTitle,
                                          "scorebackup/ac13score-20261208-110000.csv の 1 行目: 通常譜面のスコア"
                                          "「99999999999」が 32 ビット整数の範囲（-2147483648～2147483647）を超えています。",
                                          MsgIcon::Exclamation}));
}

TEST_F(BackupSteps, AFolderThatCannotBeListedIsToldUnderEachTitle) {
  test::writeBytes(BackupFolder, "a file where the folder would go");
  const LastSaveBackup last = readLastSaveBackup(s);
  ASSERT_TRUE(last.failure);
  EXPECT_EQ(last.failure->title, UndoSaveTitle);
  EXPECT_NE(last.failure->text, NoBackupText);
  const BackupList list = readBackupList(s);
  EXPECT_TRUE(list.backups.empty());
  ASSERT_TRUE(list.failure);
  EXPECT_EQ(*list.failure, (Notice{RestoreTitle, last.failure->text, MsgIcon::Exclamation}));
}

TEST_F(BackupSteps, TheLastSavesBackupBecomesTypedScoresAndItsBox) {
  keepBackup(Noon - hours{3}, "1,1,0\r\n");
  keepBackup(Noon, "1,900,0\r\n2,0,800\r\n");
  const LastSaveBackup last = readLastSaveBackup(s);
  ASSERT_TRUE(last.backup) << last.failure->text;
  EXPECT_FALSE(last.failure);
  const std::vector<TypedScore> scores = backupScoresToType(s, *last.backup);
  ASSERT_EQ(scores.size(), 1u);
  EXPECT_EQ(scores[0].displayPosition, 0);  // entry 2 shows first
  EXPECT_EQ(scores[0].chart, Chart::Ura);
  EXPECT_EQ(scores[0].score, 800);
  EXPECT_EQ(backupTypedNotice(*last.backup, 1),
            (Notice{UndoSaveTitle, "2026-12-08 12:00:00 の保存前の点数を 1 譜面に入力しました。保存するまでファイルは変わりません。",
                    MsgIcon::None}));

  const BackupList list = readBackupList(s);
  EXPECT_FALSE(list.failure);
  ASSERT_EQ(list.backups.size(), 2u);  // newest first
  EXPECT_EQ(list.backups[1].time, "2026-12-08 09:00:00");

  // Once the sheet holds the backup's scores, nothing is typed, and the box says so.
  s.EntryScoreU[1] = 800;
  const BackupRead same = readLastSaveBackup(s).backup.value();
  EXPECT_TRUE(backupScoresToType(s, same).empty());
  EXPECT_EQ(backupTypedNotice(same, 0),
            (Notice{UndoSaveTitle, "シートの点数は 2026-12-08 12:00:00 の保存前と同じです。", MsgIcon::None}));
}

}  // namespace
}  // namespace nk
