// score_trialTest.cpp - trial scores in the breakdown's place of the sheet's,
// what the sheet is given to type, the typed trial score, and the texts of the
// target and its plan.
#include "total/breakdown_text.h"
#include "total/plan_text.h"
#include "total/score_trial.h"
#include "sheet_builder.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

// Entry i has a normal chart at level 7 and a 裏 chart at level 8; targets
// 0 .. n-1 are the normal charts, n .. 2n-1 the 裏 charts; the sheet shows
// the entries in reverse.
ScoreSheetState sheetOf(const std::vector<int32_t>& normal, const std::vector<int32_t>& ura) {
  test::SheetBuilder sheet;
  for (size_t i = 0; i < normal.size(); ++i)
    sheet.entry({.title = "曲" + std::to_string(i), .level = 7, .score = normal[i], .levelU = 8, .scoreU = ura[i]});
  for (const Chart chart : {Chart::Normal, Chart::Ura})
    for (size_t i = 0; i < normal.size(); ++i) sheet.target(static_cast<int16_t>(i + 1), chart, chart == Chart::Ura ? 8 : 7);
  return sheet.shownInReverse().build();
}

TEST(ScoreTrial, TakesThePlaceOfTheSheetsScoresAndWritesNothingBack) {
  // 40 charts of each level share the 30 places: 15 each.
  std::vector<int32_t> normal(40, 0), ura(40, 0);
  for (int i = 0; i < 15; ++i) normal[static_cast<size_t>(i)] = 800000;
  ScoreSheetState s = sheetOf(normal, ura);
  const ScoreSheetState before = s;
  const int64_t total = computeTotalBreakdown(s).total;
  ASSERT_EQ(total, 15 * 800000);

  ScoreTrial trial;
  trial.set(s, 20, 900000);  // not running: the sheet's scores
  EXPECT_EQ(trial.breakdown(s).total, total);
  trial.start();
  // A chart below the cut-off (800,000 at target 14) that scores the same
  // does not enter: it stands after the cut-off chart in the target list.
  trial.set(s, 20, 800000);
  EXPECT_EQ(trial.breakdown(s).total, total);
  // One point more pushes the cut-off chart out and adds only that point.
  trial.set(s, 20, 800001);
  const TotalBreakdown tried = trial.breakdown(s);
  EXPECT_EQ(tried.total, total + 1);
  EXPECT_TRUE(tried.levels[0].charts[0].counts);
  EXPECT_EQ(tried.levels[0].charts[0].target, 20u);
  EXPECT_TRUE(trial.tried(s, 20));
  EXPECT_FALSE(trial.tried(s, 60));  // the 裏 chart of the same entry is another chart
  trial.set(s, 60, 5);
  EXPECT_EQ(trial.breakdown(s).levels[1].countedSum, 5);
  // A score equal to the sheet's is not typed; the rest come in display order.
  trial.set(s, 0, 800000);
  EXPECT_EQ(trial.typedScores(s, displayPositions(s)),
            (std::vector<TypedScore>{{19, Chart::Normal, 800001}, {19, Chart::Ura, 5}}));
  trial.set(s, 60, std::nullopt);
  EXPECT_EQ(trial.typedScores(s, displayPositions(s)).size(), 1u);
  EXPECT_EQ(s.EntryScore, before.EntryScore);
  EXPECT_EQ(s.EntryScoreU, before.EntryScoreU);
  trial.stop();
  EXPECT_EQ(trial.size(), 0u);
  EXPECT_EQ(trial.breakdown(s).total, total);

  // The plan put into a trial reaches its target exactly.
  s.EntryScore[1] = 700000;
  const TargetPlan plan = planTowards(computeTotalBreakdown(s), total - 100000 + 12345);
  ASSERT_EQ(plan.charts.size(), 1u);
  trial.addPlan(s, plan);
  EXPECT_TRUE(trial.active());
  EXPECT_EQ(trial.breakdown(s).total, total - 100000 + 12345);
}

TEST(ScoreTrial, TypedScoresAndTheTextsOfTheTarget) {
  const struct {
    const char* typed;
    std::optional<std::optional<int32_t>> score;
  } typed[] = {
      {"", std::optional<int32_t>{}}, {"　 ", std::optional<int32_t>{}}, {"0", 0}, {"980,000", 980000},
      {"９８０，０００", 980000}, {"2147483647", 2147483647}, {"2147483648", std::nullopt}, {"-1", std::nullopt},
      {"1,23", std::nullopt}, {"98万", std::nullopt},
  };
  for (const auto& c : typed) EXPECT_EQ(parseTrialScore(c.typed), c.score) << c.typed;

  EXPECT_EQ(targetLine(std::nullopt, 5), "目標総合得点 未設定");
  EXPECT_EQ(targetLine(1300000, 1176544), "目標総合得点 1,300,000点　目標まで あと 123,456点");
  EXPECT_EQ(targetLine(1300000, 1300000), "目標総合得点 1,300,000点　目標達成");
  EXPECT_EQ(targetLine(1300000, 1312345), "目標総合得点 1,300,000点　目標達成（12,345点 上回っています）");

  TargetPlan plan{.gap = 50000, .closed = 50000, .charts = {{3, 7, 100, 50100}}};
  EXPECT_EQ(planSummary(1, plan), "1譜面を上げると目標に届きます（各レベルの最高点を超えない点数で）。");
  plan.gap = 60000;
  EXPECT_EQ(planSummary(1, plan), "1譜面をすべて上げても +50,000点で、目標まで あと 10,000点。");
  EXPECT_EQ(planSummary(1, TargetPlan{.gap = 7, .closed = 0, .charts = {}}),
            "対象の譜面はどれも各レベルの最高点にあり、上げる余地がありません。目標まで あと 7点。");
  EXPECT_EQ(planSummary(1, TargetPlan{.gap = 0, .closed = 0, .charts = {}}), "目標に届いています。");
  EXPECT_EQ(planSummary(std::nullopt, TargetPlan{}), "目標総合得点を設定すると、届くまでに上げる譜面を示します。");
}

}  // namespace
}  // namespace nk
