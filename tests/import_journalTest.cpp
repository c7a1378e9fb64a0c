// import_journalTest.cpp - the player's data carried between two working
// folders on real files: the export leaves out what belongs to one PC, the
// import writes its plan whole or puts everything back, refuses a plan that
// another window overtook, and a journal left by a crash is finished at the
// next start.
#include "archive/import_journal.h"
#include "archive/player_files.h"
#include "load/kept_masters.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

const Moment Now{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

void keepMasters(int16_t v, const std::string& content) {
  for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat"})
    test::writeBytes(name, content + name);
  ASSERT_EQ(keepMasterFiles(v, Now), std::nullopt);
}

TEST(ImportJournal, ExportedDataIsImportedOnAnotherPcAndOnlyOnce) {
  std::string zip;
  {
    test::TempWorkDir first;
    test::writeBytes("ac13score.csv", "1,900000,0\r\n2,0,800000\r\n\r\n");
    test::writeBytes("ac13score.csv.lock", "1");
    test::writeBytes("Debug.txt", "\r\n");
    keepMasters(13, "first");
    size_t files = 0;
    ASSERT_EQ(exportPlayerData("data.zip", Now, files), "");
    EXPECT_EQ(files, 6u);  // the score file and the kept set: no lock, no log, no loose master file
    zip = test::readBytes("data.zip");
  }
  test::TempWorkDir second;
  test::writeBytes("ac13score.csv", "1,950000,0\r\n\r\n");
  const ReadDataZip read = readDataZip(zip);
  ASSERT_TRUE(read.data) << read.failure;
  const GatheredData here = gatherPlayerData(Now);
  const ImportPlan plan = planImport(*read.data, here.data);
  ASSERT_EQ(plan.changes.size(), 1u);  // 2 裏; entry 1 keeps this PC's higher score
  const AppliedImport applied = applyImport(plan, here.data, Now);
  ASSERT_TRUE(applied.ok) << applied.failure;
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,950000,0\r\n2,0,800000\r\n\r\n");
  ASSERT_TRUE(readKeptMasters(13));  // its folders made
  EXPECT_EQ(readKeptMasters(13)->files[0], "firstsonglist.dat");
  EXPECT_EQ(test::namesIn("."), (std::vector<std::string>{"ac13score.csv", "masters", "scorebackup"}));
  const std::vector<std::string> backups = test::namesIn("scorebackup");  // as a save keeps one
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(test::readBytes("scorebackup/" + backups[0]), "1,950000,0\r\n\r\n");
  // The same plan once more: this PC changed since it was worked out.
  const AppliedImport again = applyImport(plan, here.data, Now);
  EXPECT_FALSE(again.ok);
  EXPECT_NE(again.failure.find("ほかのウィンドウがデータを変えました。何も変えていません。"), std::string::npos);
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,950000,0\r\n2,0,800000\r\n\r\n");
}

TEST(ImportJournal, AFailedWriteLeavesEveryFileAsItWas) {
  test::TempWorkDir dir;
  test::writeBytes("ac13score.csv", "1,5,0\r\n\r\n");
  test::writeBytes("masters", "a file where the folder would go");
  const GatheredData here = gatherPlayerData(Now);
  const ImportPlan plan{{}, 0, {{"ac13score.csv", "1,6,0\r\n\r\n"}, {"ac13history.csv", "new"}, {"masters/ac14/srlist.dat", "x"}}, {}, {}};
  const AppliedImport applied = applyImport(plan, here.data, Now);
  EXPECT_FALSE(applied.ok);
  EXPECT_NE(applied.failure.find("フォルダー masters/ac14 を作れません"), std::string::npos) << applied.failure;
  EXPECT_NE(applied.failure.find("何も変えていません。"), std::string::npos);
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,5,0\r\n\r\n");
  EXPECT_EQ(test::namesIn("."), (std::vector<std::string>{"ac13score.csv", "masters"}));  // no history, no journal
}

TEST(ImportJournal, AJournalLeftBehindIsFinishedAtTheNextStart) {
  const auto journal = [](std::map<std::string, std::string> files) { return dataZipBytes({Now, std::move(files)}); };
  const struct {
    const char* what;
    std::string journal;
    const char* told;
    const char* scores;  // ac13score.csv afterwards
  } cases[] = {
      {"cut short", journal({{"order.txt", "ac13score.csv\r\nmasters/ac13/srlist.dat\r\n"},
                             {"new/ac13score.csv", "1,7,0\r\n\r\n"}, {"new/masters/ac13/srlist.dat", "s"},
                             {"old/ac13score.csv", "1,5,0\r\n\r\n"}}),
       "前回中断したデータの読み込みを終えました。", "1,7,0\r\n\r\n"},
      {"emptied after it was done", "", "", "1,5,0\r\n\r\n"},
      {"a path not ours", journal({{"order.txt", "../ac13score.csv\r\n"}, {"new/../ac13score.csv", "1,8,0\r\n\r\n"}}), "",
       "1,5,0\r\n\r\n"},
      {"a file missing", journal({{"order.txt", "ac13score.csv\r\n"}}), "", "1,5,0\r\n\r\n"},
  };
  for (const auto& c : cases) {
    test::TempWorkDir dir;
    test::writeBytes("ac13score.csv", "1,5,0\r\n\r\n");
    test::writeBytes(ImportJournalName, c.journal);
    EXPECT_EQ(finishPendingImport(), c.told) << c.what;
    EXPECT_EQ(test::readBytes("ac13score.csv"), c.scores) << c.what;
    EXPECT_FALSE(std::filesystem::exists(ImportJournalName)) << c.what;
    EXPECT_EQ(finishPendingImport(), "") << c.what;
  }
}

}  // namespace
}  // namespace nk
