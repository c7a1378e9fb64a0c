// breakdown_textTest.cpp - the breakdown's lines, rows, tab text and CSV file.
#include "total/breakdown_text.h"
#include "sheet_builder.h"
#include "test_support.h"

#include <limits>
#include <sstream>

namespace nk {
namespace {

using Strings = std::vector<std::string>;

// Level 7: 甲 900, 乙 800 (a title with a comma and quotes), 丙 0 (with a tab);
// level 8: 甲's 裏 chart, 50; level 10: one entry targeted 28 times, score 0.
// Quotas 2, 0, 0, 28. Display order: 十, 丙, 甲, 乙.
ScoreSheetState smallSheet() {
  test::SheetBuilder sheet;
  sheet.entry({.title = "甲", .score = 900, .scoreU = 50}).entry({.title = "乙, \"二\"", .score = 800});
  sheet.entry({.title = "丙\t丁"}).entry({.title = "十"});
  sheet.target(1, Chart::Normal, 7).target(2, Chart::Normal, 7).target(3, Chart::Normal, 7).target(1, Chart::Ura, 8);
  for (int k = 0; k < 28; ++k) sheet.target(4, Chart::Normal, 10);
  ScoreSheetState s = sheet.build();
  s.DisplayOrder = {3, 2, 0, 1};
  return s;
}

Strings linesOf(const std::string& text, const std::string& end) {
  Strings lines;
  for (size_t at = 0, next; (next = text.find(end, at)) != std::string::npos; at = next + end.size())
    lines.push_back(text.substr(at, next - at));
  return lines;
}

const Strings Heading = {
    "総合得点 1700点",
    "☆×７　収録曲 3曲／課題曲 2曲　対象合計 1700点　最低対象点 800点　入力済み 2曲",
    "☆×８　収録曲 1曲／課題曲 0曲　対象合計 0点　最低対象点 －（対象枠なし）　入力済み 1曲",
    "☆×９　収録曲 0曲／課題曲 0曲　対象合計 0点　最低対象点 －　入力済み 0曲",
    "☆×10　収録曲 28曲／課題曲 28曲　対象合計 0点　最低対象点 －（全曲対象）　入力済み 0曲",
    "",
};

TEST(BreakdownText, LinesAndTabText) {
  const ScoreSheetState s = smallSheet();
  const TotalBreakdown b = computeTotalBreakdown(s);
  // The window groups its digits; the tab text and the CSV, for a spreadsheet, do not.
  EXPECT_EQ(breakdownTotalLine(b), "総合得点 1,700点");
  EXPECT_EQ(levelSummaryLine(b.levels[0]),
            "☆×７　収録曲 3曲／課題曲 2曲　対象合計 1,700点　最低対象点 800点　入力済み 2曲");
  for (size_t l = 1; l < CountedLevels; ++l) EXPECT_EQ(levelSummaryLine(b.levels[l]), Heading[l + 1]);

  Strings expected = Heading;
  expected.insert(expected.end(), {"レベル\t順位\t点数\t曲名\t裏\t対象\tあと必要な点数", "7\t1\t900\t甲\t\t対象\t",
                                   "7\t2\t800\t乙, \"二\"\t\t対象\t", "7\t3\t0\t丙 丁\t\t\t801", "8\t1\t50\t甲\t裏\t\t"});
  for (int k = 1; k <= 28; ++k) expected.push_back("10\t" + std::to_string(k) + "\t0\t十\t\t対象\t");
  const std::string text = breakdownTabText(s, b);
  EXPECT_EQ(linesOf(text, "\n"), expected);
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(BreakdownText, RowsOfALevel) {
  const ScoreSheetState s = smallSheet();
  EXPECT_EQ(displayPositions(s), (std::vector<int16_t>{2, 3, 1, 0}));
  const TotalBreakdown b = computeTotalBreakdown(s);
  struct Expected {
    size_t slot;
    Strings titles, needed;
    std::vector<int64_t> keys;
    std::vector<int16_t> positions;
  } cases[] = {
      {0, {"甲", "乙, \"二\"", "丙\t丁"}, {"", "", "あと 801点"}, {0, 0, 801}, {2, 3, 1}},
      {1, {"甲"}, {"対象枠なし"}, {std::numeric_limits<int64_t>::max()}, {2}},
      {2, {}, {}, {}, {}},
  };
  for (const Expected& c : cases) {
    SCOPED_TRACE(c.slot);
    const std::vector<BreakdownRow> rows = breakdownRows(s, b.levels[c.slot], displayPositions(s));
    ASSERT_EQ(rows.size(), c.titles.size());
    for (size_t k = 0; k < rows.size(); ++k) {
      EXPECT_EQ(rows[k].rank, static_cast<int64_t>(k + 1));
      EXPECT_EQ(rows[k].title, c.titles[k]);
      EXPECT_EQ(rows[k].neededText, c.needed[k]);
      EXPECT_EQ(rows[k].neededKey, c.keys[k]);
      EXPECT_EQ(rows[k].displayPosition, c.positions[k]);
      EXPECT_EQ(rows[k].chart, chartOf(c.slot == 1));
    }
  }
}

// A cut-off at the highest score a box takes: a chart below it can never pass it, "届かない"
// (and not "対象枠なし": the level has places to fill).
TEST(BreakdownText, ACutOffAtTheHighestScoreIsOutOfReach) {
  constexpr int32_t Highest = std::numeric_limits<int32_t>::max();
  ScoreSheetState s = smallSheet();
  s.EntryScore = {Highest, Highest, 5, 0};
  const TotalBreakdown b = computeTotalBreakdown(s);
  const std::vector<BreakdownRow> rows = breakdownRows(s, b.levels[0], displayPositions(s));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].score, 5);
  EXPECT_FALSE(rows[2].counts);
  EXPECT_EQ(rows[2].neededText, "届かない");
  EXPECT_EQ(rows[2].neededKey, std::numeric_limits<int64_t>::max());
  const Strings lines = linesOf(breakdownTabText(s, b), "\n");
  EXPECT_EQ(lines[1], "☆×７　収録曲 3曲／課題曲 2曲　対象合計 4294967294点　最低対象点 2147483647点　入力済み 3曲");
}

class BreakdownCsv : public test::WorkDirTest {};

TEST_F(BreakdownCsv, SavedWithAByteOrderMarkAndQuotes) {
  const ScoreSheetState s = smallSheet();
  const TotalBreakdown b = computeTotalBreakdown(s);
  const FileWriteResult saved = saveBreakdownCsv("内訳.csv", s, b);
  ASSERT_TRUE(saved.ok) << saved.failure;
  const std::string bytes = test::readBytes("内訳.csv");
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  const Strings lines = linesOf(bytes.substr(3), "\r\n");
  ASSERT_EQ(lines.size(), Heading.size() + 1 + 4 + 28);
  EXPECT_EQ(Strings(lines.begin(), lines.begin() + 6), Heading);
  EXPECT_EQ(Strings(lines.begin() + 6, lines.begin() + 11),
            (Strings{"レベル,順位,点数,曲名,裏,対象,あと必要な点数", "7,1,900,甲,,対象,", "7,2,800,\"乙, \"\"二\"\"\",,対象,",
                     "7,3,0,丙\t丁,,,801", "8,1,50,甲,裏,,"}));
  EXPECT_EQ(test::namesIn("."), Strings{"内訳.csv"});

  const FileWriteResult failed = saveBreakdownCsv("ない/内訳.csv", s, b);
  EXPECT_FALSE(failed.ok);
  const std::string tail = "内訳は保存されていません（元のファイルは変更していません）。";
  EXPECT_EQ(failed.failure.substr(failed.failure.size() - std::min(failed.failure.size(), tail.size())), tail);
  EXPECT_GT(failed.failure.size(), tail.size());
  EXPECT_EQ(test::namesIn("."), Strings{"内訳.csv"});
}

}  // namespace
}  // namespace nk
