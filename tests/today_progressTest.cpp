// today_progressTest.cpp - a day's progress from a real log of improvements:
// the day's bounds at midnight, a chart saved twice, a chart that enters by a
// tie in target order, a day with nothing; the exact texts and the card's.
#include "history/today_progress.h"
#include "sheet_builder.h"
#include "test_support.h"

#include <limits>

namespace nk {
namespace {

using namespace std::chrono;

// Two ☆7 targets for one place (乙 before 甲 in the target list) and 29 ☆10
// targets "十0" .. "十28" that all count; 甲's 裏 chart is no target.
ScoreSheetState sheet() {
  test::SheetBuilder sheet;
  sheet.version(13).entry({.title = "甲"}).entry({.title = "乙"}).target(2, Chart::Normal, 7).target(1, Chart::Normal, 7);
  for (int k = 0; k < 29; ++k)
    sheet.entry({.title = "十" + std::to_string(k)}).target(static_cast<int16_t>(k + 3), Chart::Normal, 10);
  return sheet.build();
}

Improvement at(const char* time, int16_t entryNo, Chart chart, int32_t before, int32_t after) {
  return {*parseIsoMoment(time), entryNo, chart, before, after};
}

TEST(TodayProgress, ADayUndoneFromTheSavedScores) {
  test::TempWorkDir dir;
  test::setTimeZone("JST-9");
  // Saves in file order: 十1 just before and just after midnight of 11-02,
  // 十0 twice on 11-02, 乙 up to 甲's score, 十3 down (a typo mended), a
  // record of an entry the sheet does not have, 十5 up and back down.
  const std::vector<std::vector<Improvement>> saves = {
      {at("2026-11-01T20:00:00+09:00", 4, Chart::Normal, 0, 100'000)},
      {at("2026-11-01T23:59:59+09:00", 4, Chart::Normal, 100'000, 200'000)},
      {at("2026-11-02T00:00:00+09:00", 4, Chart::Normal, 200'000, 250'000)},
      {at("2026-11-02T10:00:00+09:00", 3, Chart::Normal, 500'000, 600'000)},
      {at("2026-11-02T12:00:00+09:00", 2, Chart::Normal, 800'000, 900'000),
       at("2026-11-02T12:00:00+09:00", 1, Chart::Ura, 0, 5'000'000)},
      {at("2026-11-02T15:00:00+09:00", 5, Chart::Normal, 0, 1'000'000),
       at("2026-11-02T15:00:00+09:00", 6, Chart::Normal, 400'000, 300'000)},
      {at("2026-11-02T11:00:00Z", 3, Chart::Normal, 600'000, 700'000),  // 20:00 in Tokyo
       at("2026-11-02T21:00:00+09:00", 99, Chart::Normal, 0, 1), at("2026-11-02T21:00:00+09:00", 7, Chart::Normal, 0, 10'000)},
      // 十5 typed wrong and mended the same day: back where it began, not improved.
      {at("2026-11-02T21:10:00+09:00", 8, Chart::Normal, 0, 50'000)},
      {at("2026-11-02T21:20:00+09:00", 8, Chart::Normal, 50'000, 0)},
  };
  for (const auto& save : saves) ASSERT_TRUE(appendImprovements("ac13improvements.csv", save).ok);
  const ScoreSheetState s = sheet();
  SheetScores saved = scoresOf(s);
  saved.normal[0] = saved.normal[1] = 900'000;
  saved.ura[0] = 5'000'000;
  saved.normal[2] = 700'000, saved.normal[3] = 250'000, saved.normal[4] = 1'000'000, saved.normal[5] = 300'000;
  saved.normal[6] = 10'000;
  const std::string cutOffsSame = "☆×８　最低対象点 － → －\n☆×９　最低対象点 － → －\n"
                                  "☆×10　最低対象点 －（全曲対象） → －（全曲対象）\n";

  struct Case {
    ProgressDay day;
    std::string text;
    std::string card;
  } cases[] = {
      {todayOf(*parseIsoMoment("2026-11-02T22:00:00+09:00")),
       "今日の成果（2026-11-02）\n総合得点 2,000,000点 → 3,160,000点（+1,160,000）\n\n"
       "更新した譜面 7\n甲（裏）　0 → 5,000,000　+5,000,000\n十2　0 → 1,000,000　+1,000,000\n"
       "十0　500,000 → 700,000　+200,000\n乙　800,000 → 900,000　+100,000\n十1　200,000 → 250,000　+50,000\n"
       "十4　0 → 10,000　+10,000\n十3　400,000 → 300,000　-100,000\n\n"
       "対象に入った譜面 1\n☆×７　乙　800,000 → 900,000\n\n☆×７　最低対象点 900,000点 → 900,000点（±0）\n" +
           cutOffsSame,
       "今日の成果|AC13　2026-11-02|3,160,000点|+1,160,000|2,000,000点から|甲（裏） 十2 十0 乙 十1|ほか 2譜面|"
       "対象に入った譜面 1|"},
      {dayOf(2026y / 11 / 1),
       "2026-11-01 の成果\n総合得点 1,800,000点 → 2,000,000点（+200,000）\n\n更新した譜面 1\n"
       "十1　0 → 200,000　+200,000\n\n☆×７　最低対象点 900,000点 → 900,000点（±0）\n" + cutOffsSame,
       "この日の成果|AC13　2026-11-01|2,000,000点|+200,000|1,800,000点から|十1|||"},
      {dayOf(2026y / 10 / 31),
       "2026-10-31 の成果\n総合得点 1,800,000点 → 1,800,000点（±0）\n\nこの日の更新はありません。\n\n"
       "☆×７　最低対象点 900,000点 → 900,000点（±0）\n" + cutOffsSame,
       "この日の成果|AC13　2026-10-31|1,800,000点|±0|1,800,000点から||||この日の更新はありません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.day.date);
    const TodayProgress p = loadTodayProgress(s, saved, c.day);
    EXPECT_EQ(todayProgressText(p), c.text);
    const TodayCardText card = todayCardText(p, s.VersionNumber);
    std::string titles;
    for (const ProgressChart& chart : card.charts) titles += (titles.empty() ? "" : " ") + chart.title;
    EXPECT_EQ(card.heading + "|" + card.versionDay + "|" + card.total + "|" + card.difference + "|" + card.from + "|" +
                  titles + "|" + card.more + "|" + card.counted + "|" + card.nothing,
              c.card);
  }
  // Midnight of Tokyo, and only the log's tail since then is read.
  EXPECT_EQ(cases[1].day.start, sys_days{2026y / 10 / 31} + 15h);
  EXPECT_EQ(cases[1].day.end, sys_days{2026y / 11 / 1} + 15h);
  EXPECT_EQ(readImprovementsSince(13, cases[0].day.start).records.size(), 11u);
  EXPECT_EQ(todayCardFileName(loadTodayProgress(s, saved, cases[0].day), 13), "今日の成果_AC13_2026-11-02.png");
  test::setTimeZone(nullptr);
}

// Scores at the ends of what a score file holds: the log keeps them, the
// sums of 30 charts and a change of more than 32 bits are whole.
TEST(TodayProgress, TheLargestAndTheSmallestScores) {
  test::TempWorkDir dir;
  test::setTimeZone("JST-9");
  constexpr int32_t Max32 = std::numeric_limits<int32_t>::max(), Min32 = std::numeric_limits<int32_t>::min();
  const ScoreSheetState s = sheet();
  SheetScores saved = scoresOf(s);
  for (size_t e = 2; e < saved.normal.size(); ++e) saved.normal[e] = Max32;
  saved.normal[1] = Max32;
  saved.ura[0] = Min32;
  ASSERT_TRUE(appendImprovements("ac13improvements.csv",
                                 {at("2026-11-02T10:00:00+09:00", 2, Chart::Normal, Min32, Max32),
                                  at("2026-11-02T10:00:00+09:00", 1, Chart::Ura, Max32, Min32),
                                  at("2026-11-02T10:00:00+09:00", 3, Chart::Normal, 0, Max32)})
                  .ok);
  const TodayProgress p = loadTodayProgress(s, saved, todayOf(*parseIsoMoment("2026-11-02T22:00:00+09:00")));
  EXPECT_EQ(todayProgressText(p),
            "今日の成果（2026-11-02）\n総合得点 60,129,542,116点 → 64,424,509,410点（+4,294,967,294）\n\n"
            "更新した譜面 3\n乙　-2,147,483,648 → 2,147,483,647　+4,294,967,295\n十0　0 → 2,147,483,647　+2,147,483,647\n"
            "甲（裏）　2,147,483,647 → -2,147,483,648　-4,294,967,295\n\n"
            "対象に入った譜面 1\n☆×７　乙　-2,147,483,648 → 2,147,483,647\n\n"
            "☆×７　最低対象点 0点 → 2,147,483,647点（+2,147,483,647）\n"
            "☆×８　最低対象点 － → －\n☆×９　最低対象点 － → －\n"
            "☆×10　最低対象点 －（全曲対象） → －（全曲対象）\n");
  const TodayCardText card = todayCardText(p, s.VersionNumber);
  EXPECT_EQ(card.total + "|" + card.difference + "|" + card.from, "64,424,509,410点|+4,294,967,294|60,129,542,116点から");
  test::setTimeZone(nullptr);
}

}  // namespace
}  // namespace nk
