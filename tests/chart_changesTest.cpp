// chart_changesTest.cpp - the last change of each chart and its tooltip, and
// the improvements of a period as the history window's tab lists them.
#include "data/chart_changes.h"
#include "history/improvement_view.h"
#include "sheet_builder.h"
#include "test_support.h"

namespace nk {
namespace {

// 2026-11-03T08:00:05+09:00
constexpr std::time_t Now = 1793660405;
constexpr int32_t Jst = 9 * 3600;

Moment at(int64_t t, int32_t offset) {
  return {std::chrono::sys_seconds{std::chrono::seconds{t}}, std::chrono::seconds{offset}};
}

// Three entries: "A" (☆7, 裏 ☆9), "B" (☆10, no 裏), "C" (level unknown),
// shown in reverse order.
ScoreSheetState sheet() {
  return test::SheetBuilder()
      .version(13)
      .entry({.title = "A", .level = 7, .score = 1000, .levelU = 9, .scoreU = 500})
      .entry({.title = "B", .level = 10, .score = 2000})
      .entry({.title = "C", .level = LevelUnknown})
      .shownInReverse()
      .build();
}

class ChartChanges : public ::testing::Test {
protected:
  void SetUp() override { test::setTimeZone("JST-9"); }
  void TearDown() override { test::setTimeZone(nullptr); }
};

// A save's own records and their tips are the window test's; here the log's
// odd records and a page shown in another order than the entries'.
TEST_F(ChartChanges, TheLastChangeOfEachChartIsItsTooltip) {
  LastChanges changes(3);
  changes.take({{at(Now - 86400, Jst), 1, Chart::Normal, 0, 900},
                {at(Now, Jst), 1, Chart::Normal, 900, 1000},
                {at(Now - 3600, 0), 2, Chart::Normal, 1, 12346},  // saved on a clock at UTC
                {at(Now, Jst), 4, Chart::Normal, 0, 1},           // an entry the sheet does not have
                {at(Now, Jst), 0, Chart::Ura, 0, 1}});
  EXPECT_EQ(changes.of(3, Chart::Normal), nullptr);
  // Rows are shown in reverse order: row 0 is C, row 2 is A.
  const auto tips = pageChangeTips(sheet(), changes);
  const std::vector<std::string> normal = {tips[0][0], tips[1][0], tips[2][0], tips[3][0]};
  EXPECT_EQ(normal, (std::vector<std::string>{"", "2026-11-02 更新（+12,345）", "2026-11-03 更新（+100）", ""}));
  EXPECT_EQ(tips[2][1], "");
}

// The sheet's opening reads the log from its end: the newest complete record
// of each chart, as far back as its window lets it; nothing of a log it cannot read.
TEST_F(ChartChanges, TheLastChangesComeFromTheLogsEnd) {
  test::TempWorkDir dir;
  const std::string newest = "2026-11-02T10:00:00+09:00,2,表,1,12346\r\n";
  const std::string torn = "2026-11-03T10:00:00+09:00,3,表,0,5";
  const std::string log = std::string(ImprovementHeader) + "\r\n" + "2026-11-01T10:00:00+09:00,1,表,0,900\r\n" +
                          "2026-11-02T10:00:00+09:00,1,表,900,1000\r\n" + newest + torn;
  struct Case { const char* name; std::string bytes; uint64_t window; bool folder; const char* tips; } cases[] = {
      {"whole log", log, LastChangesWindow, false, "|2026-11-02 更新（+12,345）|2026-11-02 更新（+100）"},
      {"window of the newest line", log, newest.size() + torn.size(), false, "|2026-11-02 更新（+12,345）|"},
      {"window one byte short of it", log, newest.size() + torn.size() - 1, false, "||"},
      {"missing log", "", LastChangesWindow, false, "||"},
      {"a folder of the log's name", "", LastChangesWindow, true, "||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all("ac13improvements.csv");
    if (!c.bytes.empty()) test::writeBytes("ac13improvements.csv", c.bytes);
    if (c.folder) std::filesystem::create_directory("ac13improvements.csv");
    const auto tips = pageChangeTips(sheet(), lastChangesFor(sheet(), c.window));
    EXPECT_EQ(tips[0][0] + "|" + tips[1][0] + "|" + tips[2][0], c.tips);
  }
}

// The tab's note: the records it left out, or why it could not read the log.
TEST_F(ChartChanges, TheLogsNoteSaysWhatTheTabCannotShow) {
  test::TempWorkDir dir;
  std::string log = std::string(ImprovementHeader) + "\r\n";
  for (const char* day : {"01", "02", "03"}) log += std::string("2026-11-") + day + "T10:00:00+09:00,1,表,0,9\r\n";
  test::writeBytes("ac13improvements.csv", log);
  EXPECT_EQ(loadImprovementLog(13, 2).note, "古い記録 1 件は表示していません。");
  EXPECT_EQ(loadImprovementLog(13, 3).note, "");
  std::filesystem::remove("ac13improvements.csv");
  std::filesystem::create_directory("ac13improvements.csv");
  EXPECT_EQ(loadImprovementLog(13).note, "ファイル ac13improvements.csv を読めません（同じ名前のフォルダーがあります）。");
}

TEST_F(ChartChanges, APeriodStartsAtMidnightOfItsFirstDay) {
  const int64_t today = 1793631600;  // 2026-11-03T00:00:00+09:00
  const auto log = std::make_shared<const std::vector<Improvement>>(std::vector<Improvement>{
      {at(today - 29 * 86400 - 1, Jst), 1, Chart::Normal, 0, 100},  // before 30 days
      {at(today - 29 * 86400, Jst), 1, Chart::Normal, 100, 300},
      {at(today - 6 * 86400 - 1, Jst), 3, Chart::Ura, 0, 10},  // 7 days before
      {at(today - 6 * 86400, Jst), 2, Chart::Normal, 0, 1000},
      {at(today - 1, Jst), 1, Chart::Ura, 0, 50},
      {at(today, Jst), 1, Chart::Normal, 300, 200},  // a typo mended
      {at(Now, Jst), 3, Chart::Normal, 0, 12345},
  });
  struct Case {
    ImprovementPeriod period;
    std::vector<uint32_t> rows;  // newest first
    const char* summary;
  };
  const Case cases[] = {
      {ImprovementPeriod::Today, {6, 5}, "更新した譜面 2　点数の増減 +12,245"},
      {ImprovementPeriod::Week, {6, 5, 4, 3}, "更新した譜面 4　点数の増減 +13,295"},
      {ImprovementPeriod::Month, {6, 5, 4, 3, 2, 1}, "更新した譜面 5　点数の増減 +13,505"},
      {ImprovementPeriod::All, {6, 5, 4, 3, 2, 1, 0}, "更新した譜面 5　点数の増減 +13,605"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(periodName(c.period));
    const ImprovementList list = improvementsSince(log, periodStart(c.period, at(Now, Jst)));
    EXPECT_EQ(list.rows, c.rows);
    EXPECT_EQ(list.summary, c.summary);
  }
  EXPECT_EQ(std::string(periodName(ImprovementPeriod::Week)) + periodName(ImprovementPeriod::Month) +
                periodName(ImprovementPeriod::All),
            "7日間30日間すべて");

  const ScoreSheetState s = sheet();
  const auto row = [&](const Improvement& r) {
    const ImprovementRow out = improvementRowAt(s, {2, 1, 0}, r);
    return out.time + "|" + out.title + "|" + out.chart + "|" + out.level + "|" + out.scores + "|" + out.change +
           "|" + std::to_string(out.displayPosition);
  };
  EXPECT_EQ(row((*log)[4]), "2026-11-02 23:59|A|裏|9|0 → 50|+50|2");
  EXPECT_EQ(row((*log)[6]), "2026-11-03 08:00|C|表|？|0 → 12,345|+12,345|0");
  EXPECT_EQ(row({at(Now, Jst), 9, Chart::Normal, 1234567, 1000000}), "2026-11-03 08:00|曲番号 9|表||1,234,567 → 1,000,000|-234,567|-1");
}

}  // namespace
}  // namespace nk
