// display_textTest.cpp - the windows' numbers grouped by our own rule, their
// dates on the clock of the moment, and the logs' notes.
#include "data/display_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

namespace nk {
namespace {

TEST(DisplayText, NumbersAreGroupedByOurOwnRule) {
  constexpr int64_t Min = std::numeric_limits<int64_t>::min();
  constexpr int64_t Max = std::numeric_limits<int64_t>::max();
  const std::pair<int64_t, const char*> grouped[] = {
      {0, "0"}, {999, "999"}, {1000, "1,000"}, {-1000, "-1,000"}, {123456, "123,456"}, {1234567, "1,234,567"},
      {Max, "9,223,372,036,854,775,807"}, {Min, "-9,223,372,036,854,775,808"}};
  for (const auto& [value, text] : grouped) EXPECT_EQ(groupedDecimal(value), text) << value;
  const std::pair<int64_t, const char*> changes[] = {{12345, "+12,345"}, {-1000, "-1,000"}, {0, "±0"}, {7, "+7"}};
  for (const auto& [value, text] : changes) EXPECT_EQ(signedGroupedDecimal(value), text) << value;
}

// The list's time is the clock the file wrote, whatever the reading machine's zone: made again
// from the moment and the offset, it is the text's own date and minute.
TEST(DisplayText, ListTimeIsTheFilesOwnClock) {
  for (const std::string time : {"2026-10-01T21:00:59+09:00", "2026-10-01T00:00:00-05:30", "2024-02-29T08:05:00+14:00",
                                 "1969-12-31T23:59:00+00:00", "2000-03-01T00:30:00-12:00", "2026-12-31T23:59:59Z"}) {
    const auto moment = parseIsoMoment(time);
    ASSERT_TRUE(moment) << time;
    EXPECT_EQ(minuteText(*moment), time.substr(0, 10) + " " + time.substr(11, 5)) << time;
    EXPECT_EQ(dateText(*moment), time.substr(0, 10)) << time;
    EXPECT_EQ(secondText(moment->local()), time.substr(0, 10) + " " + time.substr(11, 8)) << time;
  }
}

// Points as the tool windows write them and as the sheet's box and the
// spreadsheet texts do.
TEST(DisplayText, PointsGroupedOrPlain) {
  const struct {
    int64_t value;
    const char *grouped, *plain;
  } cases[] = {{0, "0点", "0点"},
               {999, "999点", "999点"},
               {1000, "1,000点", "1000点"},
               {-1000, "-1,000点", "-1000点"},
               {-999, "-999点", "-999点"},
               {1000000, "1,000,000点", "1000000点"},
               {2200000, "2,200,000点", "2200000点"}};
  for (const auto& c : cases) {
    EXPECT_EQ(pointsText(c.value), c.grouped) << c.value;
    EXPECT_EQ(pointsText(c.value, Digits::Plain), c.plain) << c.value;
  }
}

// The counted levels as the "合計" box writes them: full-width 7 to 9, ASCII 10.
TEST(DisplayText, LevelNames) {
  const std::tuple<int16_t, const char*, const char*> cases[] = {
      {7, "☆×７", "☆7"}, {8, "☆×８", "☆8"}, {9, "☆×９", "☆9"}, {10, "☆×10", "☆10"}, {6, "☆×6", "☆6"}};
  for (const auto& [level, name, shortName] : cases) {
    EXPECT_EQ(levelName(level), name);
    EXPECT_EQ(shortLevelName(level), shortName);
  }
}

TEST(DisplayText, TheNoteOfAFailedSave) {
  for (const bool kept : {true, false}) {
    FileWriteResult result{false, "書けません。", kept};
    addNotSavedNote(result, "内訳");
    EXPECT_EQ(result.failure, kept ? "書けません。内訳は保存されていません（元のファイルは変更していません）。"
                                   : "書けません。内訳は保存されていません（元のファイルは書きかけの状態かもしれません）。");
  }
  FileWriteResult score{false, "", true};
  addNotSavedNote(score, "スコア", "保存済みのファイル");
  EXPECT_EQ(score.failure, "スコアは保存されていません（保存済みのファイルは変更していません）。");
}

TEST(DisplayText, TheNoteOfRecordsLeftOut) {
  EXPECT_EQ(leftOutNote(1234567), "古い記録 1,234,567 件は表示していません。");
}

}  // namespace
}  // namespace nk
