// score_mergeTest.cpp - a save keeps what another hand wrote to the score
// file meanwhile; a changed file it cannot read is replaced, and said so.
#include "data/score_file.h"
#include "sheet/score_merge.h"
#include "test_support.h"

namespace nk {
namespace {

class MergedSaveTest : public test::WorkDirTest {};

TEST_F(MergedSaveTest, OutsideChangesAreKeptAndAnUnreadableFileIsReported) {
  const std::string sheetOnly = "1,10,0\r\n2,0,20\r\n3,30,0\r\n\r\n";
  // outside: the file written meanwhile (nullptr: removed).
  struct Case { const char* outside; std::string saved, unreadable; bool sheetChanged; size_t conflicts; } cases[] = {
      {"1,10,0\r\n3,30,0\r\n\r\n", sheetOnly, "", false, 0},  // untouched
      {"1,11,0\r\n3,30,0\r\n4,40,-4\n", "1,11,0\r\n2,0,20\r\n3,30,0\r\n4,40,-4\r\n\r\n", "", true, 0},
      {"1,10,0\r\n2,0,25\r\n3,30,0\r\n", sheetOnly, "", false, 1},  // entry 2's 裏 on both sides
      {"1,10,5\r\n3,30,0\r\n", "1,10,5\r\n2,0,20\r\n3,30,0\r\n\r\n", "", true, 0},  // a 裏 only there
      {"2,0,20\r\n", "2,0,20\r\n\r\n", "", true, 0},  // cleared there, typed the same here
      {nullptr, sheetOnly, "ファイル ac13score.csv が見つかりません。", false, 0},
      {"9,1,1\r\n", sheetOnly, "ac13score.csv の 1 行目: 曲番号 9 はバージョン曲リストの 4 曲の範囲外です。", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saved);
    ScoreSheetState s;
    s.VersionNumber = 13;
    s.ScoreFileName = "ac13score.csv";
    s.EntryScore = s.EntryScoreU = std::vector<int32_t>(4);
    test::writeBytes("ac13score.csv", "1,10,0\r\n3,30,0\r\n\r\n");
    ReadScoreFile(DebugLog{}, s);
    const auto base = s.EntryScore, baseU = s.EntryScoreU;
    s.EntryScoreU[1] = 20;
    if (c.outside) test::writeBytes("ac13score.csv", c.outside);
    else std::filesystem::remove("ac13score.csv");
    const MergedSave result = saveMergingFileChanges(s, {base, baseU});
    ASSERT_TRUE(result.write.ok);
    EXPECT_EQ(test::readBytes("ac13score.csv"), c.saved);
    EXPECT_EQ(scoreFileText(s), c.saved);  // the sheet holds what was saved
    EXPECT_EQ(s.ScoreFileSeen, c.saved);
    EXPECT_EQ(result.sheetChanged, c.sheetChanged);
    EXPECT_EQ(result.conflicts.size(), c.conflicts);
    EXPECT_EQ(result.unreadable, c.unreadable);
  }
}

TEST(ConflictText, NamesTheFirstChartsAndCountsTheRest) {
  ScoreSheetState s;
  s.SongTitles = {"さくら", "夏祭り"};
  s.EntrySongNo = {2, 1};
  std::string named;
  for (size_t i = 0; i < ConflictsNamed; ++i) named += "\r\nさくら（裏） 保存した点数 0、ファイルにあった点数 -2";
  // Exactly as many as are named: no "ほか 0 譜面".
  for (const auto& [count, rest] : {std::pair{ConflictsNamed + 2, "\r\nほか 2 譜面"}, std::pair{ConflictsNamed, ""}}) {
    const std::string text = conflictText(s, std::vector<ChartConflict>(count, {1, Chart::Ura, 0, -2}));
    EXPECT_EQ(text.substr(text.find("\r\n")), "\r\n" + named + rest);
  }
}

}  // namespace
}  // namespace nk
