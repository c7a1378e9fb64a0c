// sheet_catalogueTest.cpp - the sheet's arrays read as charts: the entry behind a
// position or target, the rule for an absent chart, the scores side by side.
#include "data/sheet_catalogue.h"
#include "sheet_builder.h"
#include "test_support.h"

#include <stdexcept>

namespace nk {
namespace {

TEST(SheetCatalogue, AChartExistsUnlessItsLevelSaysOtherwise) {
  struct Case {
    int16_t level;
    bool normal, ura;  // whether the chart exists at this level code, as 表 and as 裏
  } cases[] = {
      {LevelNoChart, false, false}, {0, true, false}, {LevelUnknown, true, true}, {1, true, true}, {10, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    const ScoreSheetState s =
        test::SheetBuilder().entry({.title = "曲", .level = c.level, .levelU = c.level}).build();
    EXPECT_EQ(chartExists(s, 0, Chart::Normal), c.normal);
    EXPECT_EQ(chartExists(s, 0, Chart::Ura), c.ura);
  }
}

TEST(SheetCatalogue, PositionsAndTargetsNameTheirEntries) {
  ScoreSheetState s = test::SheetBuilder()
                          .entry({.title = "甲", .level = 7, .score = 100, .levelU = 9, .scoreU = 900})
                          .entry({.title = "乙", .level = 8, .score = 200})
                          .entry({.title = "丙", .level = 5, .score = 300})
                          .target(3, Chart::Normal, 5)
                          .target(1, Chart::Ura, 9)
                          .shownInReverse()
                          .build();
  EXPECT_EQ(entryAt(s, 0), 2u);
  EXPECT_EQ(targetEntry(s, 0), 2u);
  EXPECT_EQ(targetEntry(s, 1), 0u);
  EXPECT_EQ(targetChart(s, 1), Chart::Ura);
  EXPECT_EQ(targetTitle(s, 1), "甲");
  EXPECT_EQ(chartLevel(s, 0, Chart::Ura), 9);
  EXPECT_EQ(chartScore(s, 0, Chart::Ura), 900);
  chartScore(s, 1, Chart::Normal) = 250;
  EXPECT_EQ(scoresOf(s), (SheetScores{{100, 250, 300}, {900, 0, 0}}));
  EXPECT_EQ(displayPositions(s), (std::vector<int16_t>{2, 1, 0}));
  // Beyond a list is an error, never another chart's data.
  EXPECT_THROW(entryAt(s, 3), std::out_of_range);
  EXPECT_THROW(targetEntry(s, 2), std::out_of_range);
  s.TargetEntryNo[0] = 0;  // a number the target list must never hold
  EXPECT_THROW(chartScore(s, targetEntry(s, 0), Chart::Normal), std::out_of_range);
}

TEST(SheetCatalogue, AnEntryNotShownHasNoPosition) {
  ScoreSheetState s = test::SheetBuilder().entry({.title = "甲"}).entry({.title = "乙"}).shownInEntryOrder().build();
  s.DisplayOrder = {1, 7};  // entry 0 not shown; 7 is no entry
  EXPECT_EQ(displayPositions(s), (std::vector<int16_t>{-1, 0}));
}

TEST(SheetCatalogue, GenreOrderComesFromTheEntriesGenres) {
  const ScoreSheetState s = test::SheetBuilder()
                                .entry({.title = "甲", .genre = "アニメ"})
                                .entry({.title = "乙", .genre = "その他"})
                                .entry({.title = "丙", .genre = "J-POP"})
                                .shownByGenre()
                                .build();
  EXPECT_EQ(s.DisplayOrder, (std::vector<int16_t>{2, 0, 1}));
  EXPECT_EQ(s.PageCount, 1);
}

}  // namespace
}  // namespace nk
