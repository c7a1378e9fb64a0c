// score_saveTest.cpp - the score file's bytes, the round trip, failed saves.
#include "data/score_file.h"
#include "test_support.h"

namespace nk {
namespace {

namespace fs = std::filesystem;
using Scores = std::vector<int32_t>;

class ScoreSave : public test::WorkDirTest {};

ScoreSheetState sheet(Scores normal, Scores ura, int16_t versionNumber = 13) {
  ScoreSheetState s;
  s.EntryCount = static_cast<int16_t>(normal.size());
  s.EntryScore = std::move(normal);
  s.EntryScoreU = std::move(ura);
  s.VersionNumber = versionNumber;
  s.ScoreFileName = scoreFileNameFor(versionNumber);
  return s;
}

TEST(ScoreFileText, ExactBytes) {
  struct Case {
    Scores normal, ura;
    std::string text;
  } cases[] = {
      {{500, 0, 0}, {0, 0, 900}, "1,500,0\r\n3,0,900\r\n\r\n"},
      {{0, 0}, {0, 0}, "\r\n"},
      {{}, {}, "\r\n"},
      {{-5, 0, 0}, {0, 0, -2147483648}, "1,-5,0\r\n3,0,-2147483648\r\n\r\n"},
      {{2147483647}, {1}, "1,2147483647,1\r\n\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(scoreFileText(sheet(c.normal, c.ura)), c.text);
  EXPECT_EQ(scoreFileNameFor(12), "ac12score.csv");
  EXPECT_EQ(scoreFileNameFor(14), "ac14score.csv");
}

TEST_F(ScoreSave, SaveThenReadGivesEveryScoreBack) {
  Scores normal(300), ura(300);
  for (int e = 0; e < 300; ++e) {
    normal[static_cast<size_t>(e)] = e % 3 == 0 ? 0 : e * 1001 - 50000;
    ura[static_cast<size_t>(e)] = e % 5 == 0 ? 0 : -e * 7;
  }
  normal[1] = 2147483647;
  ura[2] = -2147483648;
  const ScoreSheetState saved = sheet(normal, ura);
  test::writeBytes("ac12score.csv", "1,1,1\r\n");
  ASSERT_TRUE(saveScoreFile(saved).ok);
  EXPECT_EQ(test::readBytes("ac12score.csv"), "1,1,1\r\n");  // another version's file is never touched

  ScoreSheetState loaded = sheet(Scores(300), Scores(300));
  ReadScoreFile(DebugLog{}, loaded);
  EXPECT_EQ(loaded.EntryScore, normal);
  EXPECT_EQ(loaded.EntryScoreU, ura);

  // Scores set back to 0 leave no line; saving twice writes the same bytes.
  ScoreSheetState cleared = saved;
  cleared.EntryScore.assign(300, 0);
  cleared.EntryScoreU.assign(300, 0);
  ASSERT_TRUE(saveScoreFile(cleared).ok);
  ASSERT_TRUE(saveScoreFile(cleared).ok);
  EXPECT_EQ(test::readBytes("ac13score.csv"), "\r\n");
}

TEST_F(ScoreSave, FailedSaveKeepsFileAndScoresAndSaysWhy) {
  test::writeBytes("ac13score.csv", "1,500,0\r\n\r\n");
  fs::permissions("ac13score.csv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directory("ac14score.csv");
  struct Case {
    int16_t versionNumber;
    std::string failure;
  } cases[] = {
      {13, "ファイル ac13score.csv に書き込めません（読み取り専用のファイルです）。"
           "スコアは保存されていません（保存済みのファイルは変更していません）。"},
      {14, "ファイル ac14score.csv に書き込めません（同じ名前のフォルダーがあります）。"
           "スコアは保存されていません（保存済みのファイルは変更していません）。"},
  };
  for (const Case& c : cases) {
    const ScoreSheetState s = sheet({7, 8}, {9, 0}, c.versionNumber);
    const FileWriteResult r = saveScoreFile(s);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failure, c.failure);
    EXPECT_EQ(s.EntryScore, (Scores{7, 8}));
  }
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,500,0\r\n\r\n");
  EXPECT_TRUE(fs::is_directory("ac14score.csv"));
}

}  // namespace
}  // namespace nk
