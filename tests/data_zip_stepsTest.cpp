// data_zip_stepsTest.cpp - the export and the import as the sheet's tools run
// them, on real files: every way an import stops before writing says why and
// that nothing was read, in one form; the boxes of a done export and import
// are the player's exact texts, in their order.
#include "archive/data_zip_steps.h"
#include "archive/player_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace nk {

void PrintTo(const Notice& notice, std::ostream* out) {
  *out << notice.title << " / " << notice.text << (notice.icon == MsgIcon::None ? "" : " (!)");
}

namespace {

const Moment Now{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

Notice refused(const std::string& cause) {
  return {ImportTitle, cause + "\n読み込んでいません。", MsgIcon::Exclamation};
}

TEST(DataZipSteps, AnImportThatCannotGoAheadSaysWhyAndThatNothingWasRead) {
  const struct {
    const char* what;
    std::function<void()> arrange;
    std::string cause;
  } cases[] = {
      {"no such file", [] {}, "ファイル none.zip がありません。"},
      {"a file of no player's",
       [] { test::writeBytes("none.zip", dataZipBytes({Now, {{"notes.txt", "x"}}})); },
       "このプログラムのデータではないファイル notes.txt があります。"},
  };
  for (const auto& c : cases) {
    test::TempWorkDir dir;
    test::writeBytes("ac13score.csv", "1,5,0\r\n\r\n");
    c.arrange();
    const ImportReview review = reviewImport("none.zip", Now);
    ASSERT_TRUE(review.failure) << c.what;
    EXPECT_EQ(*review.failure, refused(c.cause)) << c.what;
    EXPECT_EQ(test::readBytes("ac13score.csv"), "1,5,0\r\n\r\n") << c.what;
  }
}

TEST(DataZipSteps, AnExportTellsItsFilesOrWhyNone) {
  test::TempWorkDir dir;
  EXPECT_EQ(exportData("out.zip", Now).notice, (Notice{ExportTitle, "書き出すデータがありません。", MsgIcon::Exclamation}));
  test::writeBytes("ac13score.csv", "1,5,0\r\n\r\n");
  test::writeBytes("ac14score.csv", "1,6,0\r\n\r\n");
  const ExportOutcome missingFolder = exportData("gone/out.zip", Now);
  EXPECT_FALSE(missingFolder.ok);
  EXPECT_EQ(missingFolder.notice.title, ExportTitle);
  EXPECT_EQ(missingFolder.notice.icon, MsgIcon::Exclamation);
  const ExportOutcome done = exportData("out.zip", Now);
  EXPECT_TRUE(done.ok);
  EXPECT_EQ(done.notice, (Notice{ExportTitle, "データを書き出しました（ファイル 2 個）。\nout.zip", MsgIcon::None}));
}

TEST(DataZipSteps, AReviewedImportIsAppliedOnceAndReportsIt) {
  test::TempWorkDir dir;
  test::writeBytes("ac13score.csv", "1,5,0\r\n\r\n");
  test::writeBytes("in.zip", dataZipBytes({Now, {{"ac13score.csv", "1,9,0\r\n2,0,7\r\n\r\n"}}}));
  const ImportReview review = reviewImport("in.zip", Now);
  ASSERT_FALSE(review.failure) << review.failure->text;
  ASSERT_EQ(review.plan.changes.size(), 2u);
  const ImportOutcome applied = applyImportReview(review, Now);
  EXPECT_TRUE(applied.ok);
  EXPECT_EQ(applied.notices, (std::vector<Notice>{{ImportTitle, importDoneText(review.plan), MsgIcon::None}}));
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,9,0\r\n2,0,7\r\n\r\n");
  // The same review once more: the files it was made against have changed.
  const ImportOutcome again = applyImportReview(review, Now);
  EXPECT_FALSE(again.ok);
  ASSERT_EQ(again.notices.size(), 1u);
  EXPECT_EQ(again.notices[0].title, ImportTitle);
  EXPECT_EQ(again.notices[0].icon, MsgIcon::Exclamation);
  EXPECT_NE(again.notices[0].text.find("何も変えていません。"), std::string::npos) << again.notices[0].text;
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,9,0\r\n2,0,7\r\n\r\n");
}

}  // namespace
}  // namespace nk
