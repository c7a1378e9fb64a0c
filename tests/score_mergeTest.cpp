// score_mergeTest.cpp - a save keeps what another window or program wrote to
// the score file meanwhile, and names the charts changed on both sides.
#include "data/score_file.h"
#include "sheet/score_merge.h"
#include "test_support.h"

namespace nk {
namespace {

using Scores = std::vector<int32_t>;

TEST(MergeChartScores, SheetChangesWinEverythingElseComesFromTheFile) {
  // Per entry: base (last load or save), sheet, file.
  const Scores base{0, 5, 5, 5, 5, 7};
  Scores sheet{0, 5, 6, 6, 6, 0};
  const Scores file{9, 5, 5, 6, 8, 3};
  const auto conflicts = mergeChartScores(base, sheet, file, Chart::Ura);
  EXPECT_EQ(sheet, (Scores{9, 5, 6, 6, 6, 0}));
  // Entry 3 changed on both sides to the same value: no conflict; entries 4
  // (6 against 8) and 5 (cleared against 3) are.
  ASSERT_EQ(conflicts.size(), 2u);
  EXPECT_EQ(conflicts[0].entry, 4u);
  EXPECT_EQ(conflicts[0].chart, Chart::Ura);
  EXPECT_EQ(conflicts[0].kept, 6);
  EXPECT_EQ(conflicts[0].inFile, 8);
  EXPECT_EQ(conflicts[1].entry, 5u);
  EXPECT_EQ(conflicts[1].kept, 0);
  EXPECT_EQ(conflicts[1].inFile, 3);
}

TEST(ConflictText, NamesTitleAndChartUpToTheCap) {
  ScoreSheetState s;
  s.SongTitles = {"さくら", "夏祭り"};
  s.EntrySongNo = {2, 1};
  const std::string head =
      "次の譜面は、このシートを開いている間に別の画面かプログラムでも点数が変わっていました。"
      "このシートの点数で保存しています。\r\n";
  EXPECT_EQ(conflictText(s, {{0, Chart::Normal, 700001, 5}, {1, Chart::Ura, 0, -3}}),
            head + "\r\n夏祭り（表） 保存した点数 700001、ファイルにあった点数 5" +
                "\r\nさくら（裏） 保存した点数 0、ファイルにあった点数 -3");
  const std::vector<ChartConflict> many(ConflictsNamed + 2, {1, Chart::Normal, 1, 2});
  const std::string text = conflictText(s, many);
  EXPECT_EQ(text.substr(text.size() - std::string("\r\nほか 2 譜面").size()), "\r\nほか 2 譜面");
  size_t named = 0;
  for (size_t at = text.find("さくら（表）"); at != std::string::npos; at = text.find("さくら（表）", at + 1)) ++named;
  EXPECT_EQ(named, ConflictsNamed);
}

class MergedSaveTest : public test::WorkDirTest {
protected:
  // A sheet of 4 entries as loaded from "1,10,0" and "3,30,0", then given
  // its own changes.
  ScoreSheetState loaded(Scores normal, Scores ura) {
    ScoreSheetState s;
    s.VersionNumber = 13;
    s.ScoreFileName = "ac13score.csv";
    s.EntryCount = 4;
    s.EntryScore = Scores(4);
    s.EntryScoreU = Scores(4);
    test::writeBytes("ac13score.csv", Loaded);
    ReadScoreFile(DebugLog{}, s);
    base = s.EntryScore;
    baseU = s.EntryScoreU;
    s.EntryScore = std::move(normal);
    s.EntryScoreU = std::move(ura);
    return s;
  }
  const std::string Loaded = "1,10,0\r\n3,30,0\r\n\r\n";
  Scores base, baseU;
};

TEST_F(MergedSaveTest, OutsideChangesAreKeptAndAFileThatCannotBeReadIsReplacedAndSaidSo) {
  struct Case {
    const char* name;
    std::function<void()> outside;  // what another hand does to the file meanwhile
    std::string file;               // after the save
    bool sheetChanged;
    size_t conflicts;
    std::string unreadable;
  } cases[] = {
      {"untouched", [] {}, "1,10,0\r\n2,0,20\r\n3,30,0\r\n\r\n", false, 0, ""},
      {"another line added and one edited", [] { test::writeBytes("ac13score.csv", "1,11,0\r\n3,30,0\r\n4,40,4\r\n"); },
       "1,11,0\r\n2,0,20\r\n3,30,0\r\n4,40,4\r\n\r\n", true, 0, ""},
      {"the sheet's chart changed there too",
       [] { test::writeBytes("ac13score.csv", "1,10,0\r\n2,0,25\r\n3,30,0\r\n\r\n"); },
       "1,10,0\r\n2,0,20\r\n3,30,0\r\n\r\n", false, 1, ""},
      {"removed", [] { std::filesystem::remove("ac13score.csv"); }, "1,10,0\r\n2,0,20\r\n3,30,0\r\n\r\n", false, 0,
       "ファイル ac13score.csv が見つかりません。"},
      {"a line the reader refuses", [] { test::writeBytes("ac13score.csv", "9,1,1\r\n"); },
       "1,10,0\r\n2,0,20\r\n3,30,0\r\n\r\n", false, 0,
       "ac13score.csv の 1 行目: 曲番号 9 はバージョン曲リストの 4 曲の範囲外です。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScoreSheetState s = loaded({10, 0, 30, 0}, {0, 20, 0, 0});
    c.outside();
    const MergedSave result = saveMergingFileChanges(s, base, baseU);
    ASSERT_TRUE(result.write.ok);
    EXPECT_EQ(test::readBytes("ac13score.csv"), c.file);
    EXPECT_EQ(s.ScoreFileSeen, c.file);
    EXPECT_EQ(scoreFileText(s), c.file);  // the sheet holds what was saved
    EXPECT_EQ(result.sheetChanged, c.sheetChanged);
    EXPECT_EQ(result.conflicts.size(), c.conflicts);
    EXPECT_EQ(result.unreadable, c.unreadable);
  }
}

}  // namespace
}  // namespace nk
