// display_textTest.cpp - the windows' numbers grouped by our own rule, their
// dates on the clock of the moment, and the logs' notes.
#include "data/display_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

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
  }
}

TEST(DisplayText, TheNoteOfRecordsLeftOut) {
  EXPECT_EQ(leftOutNote(1234567), "古い記録 1,234,567 件は表示していません。");
}

}  // namespace
}  // namespace nk
