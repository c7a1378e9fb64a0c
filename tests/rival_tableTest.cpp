// rival_tableTest.cpp - the side by side as the clipboard and the CSV take it.
#include "rival/rival_table.h"
#include "sheet_builder.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(RivalTable, TheCopyAndTheCsvHoldTheTotalsTheLevelsAndEveryChart) {
  const ScoreSheetState s = test::SheetBuilder{}
                                .entry({.title = "a,b", .level = 8})
                                .entry({.title = "c\td", .level = 6, .levelU = 9})
                                .target(1, Chart::Normal, 8)
                                .shownInEntryOrder()
                                .build();
  const RivalComparison c = compareWithRival(s, {{100, 0}, {0, 0}}, {{150, 0}, {0, 70}});
  const std::string none = "対象合計 0点・最低対象点 －・入力済み 0曲";
  const auto empty = [&](const char* level) {
    return std::string(level) + "　課題曲 0曲　あなた " + none + "　たろう " + none + "　差 0点\n";
  };
  EXPECT_EQ(rivalTabText(s, "たろう", c),
            "総合得点　あなた 100点　たろう 150点　差 +50点\n" + empty("☆×７") +
                "☆×８　課題曲 1曲　あなた 対象合計 100点・最低対象点 －・入力済み 1曲　たろう 対象合計 150点・"
                "最低対象点 －・入力済み 1曲　差 +50点\n" +
                empty("☆×９") + empty("☆×10") +
                "目標 151点で、たろうを抜けます\n\n"
                "曲名\t譜面\tレベル\t対象\tあなた\tたろう\t差\n"
                "a,b\t表\t8\t対象\t100\t150\t+50\n"
                "c d\t裏\t9\t\t0\t70\t+70\n");
  const std::string csv = rivalCsv(s, "たろう", c);
  EXPECT_EQ(csv.rfind("\xEF\xBB\xBF総合得点", 0), 0u);
  EXPECT_NE(csv.find("\r\n\"a,b\",表,8,対象,100,150,+50\r\n"), std::string::npos) << csv;
  EXPECT_EQ(rivalRowCells(s, c.charts[1])[6], "+70");
  EXPECT_EQ(passingTotalLine("たろう", compareWithRival(s, {{150, 0}, {0, 0}}, {{100, 0}, {0, 0}})),
            "たろうを 50点 上回っています");
}

}  // namespace
}  // namespace nk
