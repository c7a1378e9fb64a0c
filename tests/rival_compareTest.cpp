// rival_compareTest.cpp - the player's sheet and a rival's side by side:
// equal scores around the cut-off give both sides the totals the ranking rule
// gives a sheet of those scores; the charts come where the rival leads by the
// least first; the trial's scores stand for the player's.
#include "rival/rival_compare.h"
#include "sheet_builder.h"

#include <gtest/gtest.h>

#include <utility>

namespace nk {
namespace {

using Runs = std::vector<std::pair<int, int32_t>>;  // so many charts of that score, in target order

// 40 targets of level 10 (30 places) on entries 1 to 40, and one entry of
// level 8 that is no target.
ScoreSheetState fortyTargets() {
  test::SheetBuilder sheet;
  for (int16_t i = 0; i < 40; ++i)
    sheet.entry({.title = "t" + std::to_string(i), .level = 10}).target(i + 1, Chart::Normal, 10);
  return sheet.entry({.title = "free", .level = 8}).shownInEntryOrder().build();
}

SheetScores scoresOfRuns(const Runs& runs) {
  SheetScores scores{std::vector<int32_t>(41), std::vector<int32_t>(41)};
  size_t e = 0;
  for (const auto& [count, score] : runs)
    for (int i = 0; i < count; ++i) scores.normal.at(e++) = score;
  return scores;
}

TEST(RivalCompare, TiesAroundTheCutOffCountOnBothSidesAsTheTotalCountsThem) {
  const struct {
    const char* what;
    Runs mine, rival;
    int64_t myTotal, rivalTotal;
    int32_t myCutOff, rivalCutOff;
  } cases[] = {
      {"ties across the cut-off on each side", {{28, 1000}, {4, 900}}, {{26, 1200}, {10, 700}}, 29800, 34000, 900, 700},
      {"everything equal", {{40, 500}}, {{40, 500}}, 15000, 15000, 500, 500},
      {"a 31st chart does not count", {{31, 100}}, {{30, 100}}, 3000, 3000, 100, 100},
  };
  const ScoreSheetState s = fortyTargets();
  for (const auto& c : cases) {
    const SheetScores mine = scoresOfRuns(c.mine), rival = scoresOfRuns(c.rival);
    const RivalComparison compared = compareWithRival(s, mine, rival);
    EXPECT_EQ(compared.myTotal, c.myTotal) << c.what;
    EXPECT_EQ(compared.rivalTotal, c.rivalTotal) << c.what;
    EXPECT_EQ(compared.rivalLead, c.rivalTotal - c.myTotal) << c.what;
    EXPECT_EQ(compared.passingTotal, c.rivalTotal + 1) << c.what;
    const LevelSideBySide& ten = compared.levels.back();
    EXPECT_EQ(ten.level, 10);
    EXPECT_EQ(ten.quota, 30);
    EXPECT_EQ(ten.mine.cutOff, c.myCutOff) << c.what;
    EXPECT_EQ(ten.rival.cutOff, c.rivalCutOff) << c.what;
    EXPECT_EQ(ten.rivalLead, c.rivalTotal - c.myTotal) << c.what;
    // The rival's side is the sheet's own total once its scores are the player's.
    ScoreSheetState theirs = s;
    theirs.EntryScore = rival.normal;
    EXPECT_EQ(computeTotalBreakdown(theirs).total, compared.rivalTotal) << c.what;
    EXPECT_EQ(computeTotalBreakdown(theirs).levels.back().entered, ten.rival.entered) << c.what;
  }
}

TEST(RivalCompare, ChartsComeWhereTheRivalLeadsByTheLeastFirst) {
  const ScoreSheetState s = test::SheetBuilder{}
                                .entry({.title = "e0", .level = 8})
                                .entry({.title = "e1", .level = 9})
                                .entry({.title = "e2", .level = 8})
                                .entry({.title = "e3", .level = 7, .levelU = 9})
                                .entry({.title = "e4", .level = 10, .levelU = 10})
                                .entry({.title = "e5", .level = 6, .levelU = 8})
                                .target(2, Chart::Normal, 9)
                                .target(3, Chart::Normal, 8)
                                .shownInReverse()
                                .build();
  const SheetScores mine{{100, 100, 100, 200, 500, 0}, {0, 0, 0, 300, 0, 0}};
  const SheetScores rival{{150, 110, 150, 200, 480, 0}, {0, 0, 0, 0, 50, 70}};
  const std::vector<std::pair<size_t, Chart>> expected{
      {1, Chart::Normal},  // rival leads by 10
      {2, Chart::Normal},  // by 50, a ranking target
      {4, Chart::Ura},     // by 50, shown before entry 0
      {0, Chart::Normal},  // by 50
      {5, Chart::Ura},     // by 70
      {3, Chart::Normal},  // equal
      {4, Chart::Normal},  // the player leads by 20
      {3, Chart::Ura},     // by 300
  };
  const RivalComparison compared = compareWithRival(s, mine, rival);
  ASSERT_EQ(compared.charts.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(compared.charts[i].entry, expected[i].first) << i;
    EXPECT_EQ(compared.charts[i].chart, expected[i].second) << i;
  }
  EXPECT_EQ(compared.charts[0].rivalLead, 10);
  EXPECT_TRUE(compared.charts[0].ranked);
  EXPECT_EQ(compared.charts.back().rivalLead, -300);
  EXPECT_EQ(compared.charts.back().level, 9);
}

TEST(RivalCompare, TheTrialsScoresStandForThePlayers) {
  const ScoreSheetState s = fortyTargets();
  ScoreTrial trial;
  EXPECT_EQ(trialSheetScores(s, trial), scoresOf(s));
  trial.start();
  trial.set(s, 4, 777);
  const SheetScores mine = trialSheetScores(s, trial);
  EXPECT_EQ(mine.normal.at(4), 777);
  const RivalComparison compared = compareWithRival(s, mine, scoresOfRuns({{1, 700}}));
  EXPECT_EQ(compared.myTotal, 777);
  EXPECT_EQ(compared.rivalLead, -77);
  ASSERT_EQ(compared.charts.size(), 2u);
  EXPECT_EQ(compared.charts[0].rivalLead, 700);
  // A rival at the highest total a sheet can reach is passed by no target.
  EXPECT_FALSE(compareWithRival(s, mine, scoresOfRuns({{30, 2147483647}})).passingTotal);
  EXPECT_EQ(compareWithRival(s, mine, scoresOfRuns({{29, 2147483647}})).passingTotal, 29 * int64_t{2147483647} + 1);
}

}  // namespace
}  // namespace nk
