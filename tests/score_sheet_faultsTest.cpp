// score_sheet_faultsTest.cpp - saving when the score file cannot take the
// scores: the sheet warns, keeps the scores as unsaved, asks again before
// they could be lost, and the file on the disk stays exactly as it was.
#include "data/score_file.h"
#include "score_sheet_fixture.h"

#include <unistd.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

constexpr const char* ScoreFile = "ac13score.csv";
const std::string ScoreBytes = "1,500,0\r\n3,0,900\r\n\r\n";
const std::string NotSaved = "スコアは保存されていません（保存済みのファイルは変更していません）。";

class ScoreSheetFaults : public test::ScoreSheetFixture {
protected:
  void SetUp() override {
    ScoreSheetFixture::SetUp();
    serveMasters(113, demoSongs, demoEntries, demoTargets);
  }

  // The boxes shown and whether scores are still unsaved, as one text.
  std::string afterSave(frmACScore* sheet) {
    std::string text;
    for (const auto& box : tk.boxes) text += "box " + box.title + ": " + box.text + "\n";
    return text + (sheet->hasUnsavedScores() ? "unsaved" : "saved");
  }
};

using test::namesIn;

TEST_F(ScoreSheetFaults, AFailedSaveWarnsAndTheQuestionOnLeavingAsksAgain) {
  struct Case {
    const char* name;
    std::function<void()> make;
    std::string cause;
    std::function<bool()> unchanged;
  } cases[] = {
      {"read-only file",
       [] {
         test::writeBytes(ScoreFile, ScoreBytes);
         fs::permissions(ScoreFile, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       "読み取り専用のファイルです",
       [] {
         return test::readBytes(ScoreFile) == ScoreBytes &&
                fs::status(ScoreFile).permissions() ==
                    (fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       }},
      {"folder of that name", [] { fs::create_directory(ScoreFile); }, "同じ名前のフォルダーがあります",
       [] { return fs::is_directory(ScoreFile) && fs::is_empty(ScoreFile); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::destroyAllWindows();
    if (fs::exists(ScoreFile)) fs::permissions(ScoreFile, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(ScoreFile);
    c.make();
    tk.boxes.clear();
    QPointer<frmACScore> sheet = open(113);
    ASSERT_NE(sheet, nullptr);
    sheet->txtScore(1)->setText("4321");
    const std::string failure = "ファイル ac13score.csv に書き込めません（" + c.cause + "）。" + NotSaved;

    QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
    EXPECT_EQ(afterSave(sheet), "box 保存失敗: " + failure + "\nunsaved");
    EXPECT_EQ(tk.boxes.back().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(c.unchanged());

    // "保存する" on the way out fails the same way and keeps the sheet open.
    question.clear();
    answerNextQuestion("保存する");
    QTest::mouseClick(sheet->btnMenu(), Qt::LeftButton);
    test::runDeferredDeletes();
    EXPECT_EQ(question, "保存していない点数があります。保存しますか？");
    EXPECT_EQ(afterSave(sheet), "box 保存失敗: " + failure + "\nbox 保存失敗: " + failure + "\nunsaved");
    ASSERT_FALSE(sheet.isNull());
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(test::visibleWindows<frmMenu>().empty());

    // Only "保存しない" lets the scores go.
    answerNextQuestion("保存しない");
    sheet->close();
    test::runDeferredDeletes();
    EXPECT_TRUE(sheet.isNull() || !sheet->isVisible());
    EXPECT_TRUE(c.unchanged());
    EXPECT_EQ(namesIn("."), (std::vector<std::string>{"Debug.txt", "ac13score.csv", "masters"}));
  }
}

TEST_F(ScoreSheetFaults, AFolderThatTakesNoNewFileStillTakesTheSave) {
  test::writeBytes(ScoreFile, ScoreBytes);
  fs::permissions(ScoreFile, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                 fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  sheet->txtScore(1)->setText("4321");
  fs::permissions(".", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const auto report = test::unprivilegedOutput([&] {
    sheet->btnSave()->click();
    return afterSave(sheet);
  });
  fs::permissions(".", fs::perms::owner_all, fs::perm_options::add);
  if (!report) GTEST_SKIP() << "cannot run a child without root rights";
  // The file itself is writable, so it is written in place, as it always was;
  // the history, a new file, cannot be made there, nor the backup's folder,
  // which only warns.
  EXPECT_EQ(*report, "box 保存完了: 保存完了\nbox 記録の保存失敗: ファイル ac13history.csv に記録を書き込めません"
                     "（アクセスが拒否されました）。点数は保存されています。\nbox バックアップ失敗: 点数は保存しましたが、"
                     "保存前の点数のバックアップを作れませんでした。フォルダー scorebackup を作れません"
                     "（アクセスが拒否されました）。\nsaved");
  EXPECT_EQ(test::readBytes(ScoreFile), scoreFileText(sheet->state()));
  EXPECT_NE(test::readBytes(ScoreFile).find(",4321,"), std::string::npos);
  // The sheet's lock file goes with the sheet.
  test::destroyAllWindows();
  EXPECT_EQ(namesIn("."), (std::vector<std::string>{"Debug.txt", "ac13score.csv", "masters"}));
}

TEST_F(ScoreSheetFaults, AFullDiskKeepsTheOldFile) {
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  sheet->txtScore(1)->setText("4321");
  const auto report = test::withSmallDisk("disk", "64k", [&] {
    test::writeBytes("disk/ac13score.csv", ScoreBytes);
    test::fillDisk("disk");
    if (::chdir("disk") != 0) return std::string("no disk folder");
    sheet->btnSave()->click();
    std::string text = afterSave(sheet);
    text += "\nscore file " + std::string(test::readBytes(ScoreFile) == ScoreBytes ? "kept" : "changed");
    for (const std::string& name : namesIn(".")) text += "\n" + name;
    return text;
  });
  if (!report) GTEST_SKIP() << "no small file system can be mounted here (needs CAP_SYS_ADMIN)";
  EXPECT_EQ(*report, "box 保存失敗: ファイル ac13score.csv に書き込めません（ディスクの空き領域が足りません）。" +
                         NotSaved + "\nunsaved\nscore file kept\nac13score.csv\nfiller");
  // Outside the child nothing happened at all.
  EXPECT_TRUE(tk.boxes.empty());
  EXPECT_FALSE(fs::exists(ScoreFile));
}

}  // namespace
}  // namespace nk
