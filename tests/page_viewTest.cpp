// page_viewTest.cpp - rows, title, paging and score entry on plain states.
#include "data/page_view.h"
#include "diag/runtime_error.h"
#include "sheet/score_entry.h"
#include "sheet_builder.h"
#include "test_support.h"

namespace nk {
namespace {

// n entries, entry e on song e + 1 titled "曲<e>", shown in reverse order.
ScoreSheetState sheetOf(int n, int16_t versionNumber = 14) {
  test::SheetBuilder sheet;
  for (int e = 0; e < n; ++e)
    sheet.entry({.title = "曲" + std::to_string(e), .level = 5, .score = e * 100, .levelU = 8, .scoreU = -e});
  return sheet.version(versionNumber).shownInReverse().build();
}

TEST(PageRows, LevelCodesDecideWhatIsShown) {
  struct Case {
    int16_t normal, ura;
    bool normalShown;
    const char* normalLevel;
    bool uraShown;
    const char* uraLevel;
  } cases[] = {
      {LevelNoChart, LevelNoChart, false, "", false, ""},
      {0, 0, true, "0", false, ""},
      {LevelUnknown, LevelUnknown, true, "？", true, "？"},
      {10, 9, true, "10", true, "9"},
      {1, LevelNoChart, true, "1", false, ""},
      {LevelNoChart, 7, false, "", true, "7"},
  };
  for (const Case& c : cases) {
    ScoreSheetState s = sheetOf(1);
    s.EntryDifficulty[0] = c.normal;
    s.EntryDifficultyU[0] = c.ura;
    s.EntryScore[0] = 985000;
    s.EntryScoreU[0] = -5;
    const RowView row = pageRows(s)[0];
    SCOPED_TRACE(std::to_string(c.normal) + "/" + std::to_string(c.ura));
    EXPECT_TRUE(row.visible);
    EXPECT_EQ(row.title, "曲0");
    EXPECT_EQ(row.normal.visible, c.normalShown);
    EXPECT_EQ(row.normal.level, c.normalLevel);
    EXPECT_EQ(row.normal.score, c.normalShown ? "985000" : "");
    EXPECT_EQ(row.ura.visible, c.uraShown);
    EXPECT_EQ(row.ura.level, c.uraLevel);
    EXPECT_EQ(row.ura.score, c.uraShown ? "-5" : "");
  }
}

// A row's boxes and level cells as a screen reader says them (hidden charts: nothing), titles as they are.
TEST(PageRows, BoxesAreNamedByTitleAndChartAndLevelsDescribed) {
  // said: 表's name and level, then 裏's.
  struct Case { const char* title; int16_t normal, ura; std::vector<std::string> said; } cases[] = {
      {"さいたま2000", 10, 9, {"さいたま2000 表", "表 ☆10", "さいたま2000 裏", "裏 ☆9"}},
      {"ﾄﾞﾝﾄﾞﾝ Festival", LevelUnknown, LevelUnknown, {"ﾄﾞﾝﾄﾞﾝ Festival 表", "表 ☆？", "ﾄﾞﾝﾄﾞﾝ Festival 裏", "裏 ☆？"}},
      {"曲", 0, 0, {"曲 表", "表 ☆0", "", ""}},
      {"A&B <x>", LevelNoChart, 7, {"", "", "A&B <x> 裏", "裏 ☆7"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    ScoreSheetState s = sheetOf(1);
    s.SongTitles[0] = c.title;
    s.EntryDifficulty[0] = c.normal;
    s.EntryDifficultyU[0] = c.ura;
    const RowView row = pageRows(s)[0];
    EXPECT_EQ((std::vector{row.normal.boxName, row.normal.levelDescription, row.ura.boxName, row.ura.levelDescription}),
              c.said);
  }
}

TEST(PageRows, RowsFollowDisplayOrderAndTheLastPageIsPartial) {
  ScoreSheetState s = sheetOf(23);
  EXPECT_EQ(s.PageCount, 3);
  auto rows = pageRows(s);
  EXPECT_EQ(rows[0].title, "曲22");  // DisplayOrder(0) = 22
  EXPECT_EQ(rows[9].title, "曲13");
  s.CurrentPage = 3;
  rows = pageRows(s);
  for (int r = 0; r < 10; ++r) EXPECT_EQ(rows[static_cast<size_t>(r)].visible, r < 3) << r;
  EXPECT_EQ(rows[2].title, "曲0");
  EXPECT_EQ(rows[2].normal.score, "0");
  EXPECT_EQ(pageTitle(s), "太鼓の達人14自己ベストスコア管理(3/3)");
}

TEST(PageRows, BrokenStateRaisesInsteadOfReadingPastTheLists) {
  ScoreSheetState s = sheetOf(3);
  s.EntrySongNo[1] = 4;  // past the catalogue
  EXPECT_THROW(pageRows(s), std::out_of_range);
  s = sheetOf(3);
  s.CurrentPage = 3300;  // (3300 - 1) * 10 + 9 passes 32767
  EXPECT_THROW(pageRows(s), RuntimeError);
}

TEST(Paging, WrapsAroundBothWays) {
  ScoreSheetState s = sheetOf(23, 12);
  const std::pair<void (*)(ScoreSheetState&), std::vector<int>> walks[] = {
      {pageNext, {2, 3, 1, 2}},
      {pageBack, {1, 3, 2, 1}},
  };
  for (const auto& [step, pages] : walks) {
    for (int expected : pages) {
      step(s);
      EXPECT_EQ(s.CurrentPage, expected);
    }
  }
  ScoreSheetState one = sheetOf(10, 12);
  pageNext(one);
  EXPECT_EQ(one.CurrentPage, 1);
  pageBack(one);
  EXPECT_EQ(one.CurrentPage, 1);
  EXPECT_EQ(pageTitle(one), "太鼓の達人12自己ベストスコア管理(1/1)");
}

TEST(ScoreEntry, StoresTheNumericValueIntoTheEntryTheRowShows) {
  struct Case {
    const char* text;
    int32_t stored;
  } cases[] = {
      {"", 0},     {"850", 850}, {"985,000", 985}, {"12abc", 12}, {"abc", 0},
      {"  12", 12}, {"-5", -5},  {"2.5", 2},       {"3.5", 4},    {"1e3", 1000},
      {"123456789", 123456789},
  };
  for (const Case& c : cases) {
    ScoreSheetState s = sheetOf(23);
    s.CurrentPage = 2;
    EXPECT_EQ(storeBoxText(s, 3, Chart::Normal, c.text), EntryResult::Stored);
    EXPECT_EQ(s.EntryScore[static_cast<size_t>(s.DisplayOrder[13])], c.stored) << c.text;
    EXPECT_EQ(storeBoxText(s, 3, Chart::Ura, c.text), EntryResult::Stored);
    EXPECT_EQ(s.EntryScoreU[static_cast<size_t>(s.DisplayOrder[13])], c.stored) << c.text;
    // Only that entry changed.
    ScoreSheetState fresh = sheetOf(23);
    for (size_t e = 0; e < 23; ++e) {
      if (static_cast<int16_t>(e) != s.DisplayOrder[13]) {
        EXPECT_EQ(s.EntryScore[e], fresh.EntryScore[e]);
      }
    }
  }
}

TEST(ScoreEntry, OutOfRangeKeepsTheOldScoreAndEmptyRowsStoreNothing) {
  ScoreSheetState s = sheetOf(23);
  const auto before = s.EntryScore;
  for (const char* text : {"9e99", "2147483648", "-2147483649", "1e10"})
    EXPECT_EQ(storeBoxText(s, 0, Chart::Normal, text), EntryResult::NotANumber) << text;
  EXPECT_EQ(s.EntryScore, before);
  EXPECT_EQ(storeBoxText(s, 0, Chart::Normal, "2147483647"), EntryResult::Stored);
  s.CurrentPage = 3;
  const auto onPage3 = s.EntryScore;
  EXPECT_EQ(storeBoxText(s, 5, Chart::Normal, "77"), EntryResult::EmptyRow);
  EXPECT_EQ(s.EntryScore, onPage3);
}

TEST(ScoreEntry, WritingTheShownTextsBackChangesNothing) {
  ScoreSheetState s = sheetOf(23);
  s.EntryScore[4] = -2147483648;
  const auto scores = s.EntryScore;
  const auto scoresU = s.EntryScoreU;
  for (int page = 1; page <= 3; ++page) {
    s.CurrentPage = static_cast<int16_t>(page);
    const auto rows = pageRows(s);
    for (int r = 0; r < 10; ++r) {
      const RowView& row = rows[static_cast<size_t>(r)];
      if (!row.visible) continue;
      if (row.normal.visible) storeBoxText(s, r, Chart::Normal, row.normal.score);
      if (row.ura.visible) storeBoxText(s, r, Chart::Ura, row.ura.score);
    }
  }
  EXPECT_EQ(s.EntryScore, scores);
  EXPECT_EQ(s.EntryScoreU, scoresU);
}

}  // namespace
}  // namespace nk
