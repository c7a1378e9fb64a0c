// history_viewTest.cpp - what the window "記録の推移" shows of the records:
// numbers grouped by our own rule, rows newest first with their change, the
// points and the time axis, and the sentence for a history too short to draw.
#include "sheet/history_view.h"

#include <gtest/gtest.h>

#include <limits>

namespace nk {
namespace {

TEST(HistoryView, NumbersAreGroupedByOurOwnRule) {
  constexpr int64_t Min = std::numeric_limits<int64_t>::min();
  constexpr int64_t Max = std::numeric_limits<int64_t>::max();
  const std::pair<int64_t, const char*> grouped[] = {
      {0, "0"}, {999, "999"}, {1000, "1,000"}, {-1000, "-1,000"}, {123456, "123,456"}, {1234567, "1,234,567"},
      {Max, "9,223,372,036,854,775,807"}, {Min, "-9,223,372,036,854,775,808"}};
  for (const auto& [value, text] : grouped) EXPECT_EQ(groupedDecimal(value), text) << value;
  const std::pair<int64_t, const char*> changes[] = {{12345, "+12,345"}, {-1000, "-1,000"}, {0, "±0"}, {7, "+7"}};
  for (const auto& [value, text] : changes) EXPECT_EQ(signedGroupedDecimal(value), text) << value;
}

TEST(HistoryView, RowsNewestFirstWithTheirChange) {
  const auto records = parseHistory(
      "2026-10-01T21:00:00+09:00,1000000,100,200,300,999400,12\r\n"
      "2026-10-02T22:30:15+09:00,1012345,150,250,500,1011445,15\r\n"
      "2026-10-05T08:05:00+09:00,1011345,150,250,500,1010445,15\r\n");
  ASSERT_EQ(records.size(), 3u);
  const HistoryView view = historyViewOf(records, 0);
  ASSERT_EQ(view.rows.size(), 3u);
  const std::pair<const char*, const char*> rows[] = {
      {"2026-10-05 08:05", "-1,000"}, {"2026-10-02 22:30", "+12,345"}, {"2026-10-01 21:00", ""}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(view.rows[i].time, rows[i].first);
    EXPECT_EQ(view.rows[i].change, rows[i].second);
  }
  EXPECT_EQ(view.rows[1].total, "1,012,345");
  EXPECT_EQ(view.rows[1].levelSums[3], "1,011,445");
  EXPECT_EQ(view.rows[1].entered, "15");
  ASSERT_EQ(view.points.size(), 3u);
  EXPECT_EQ(view.points[0].msecs, 1790856000000);
  EXPECT_EQ(view.points[1].total, 1012345);
  EXPECT_EQ(view.points[2].levelSums[0], 150);
  EXPECT_EQ(view.firstMsecs, 1790856000000);
  EXPECT_EQ(view.lastMsecs, view.points[2].msecs);
  EXPECT_EQ(view.highest, 1012345);
  EXPECT_EQ(view.note, "");
}

TEST(HistoryView, FewRecordsSayHowTheChartGrows) {
  const int64_t now = 1796643665000;
  const HistoryView none = historyViewOf({}, now);
  EXPECT_EQ(none.note, "保存するたびに点が増えます。");
  EXPECT_TRUE(none.points.empty());
  EXPECT_EQ(none.lastMsecs, now);
  EXPECT_LT(none.firstMsecs, now);

  const HistoryView one = historyViewOf(parseHistory("2026-10-01T21:00:00+09:00,5,5,0,0,0,1\r\n"), now);
  EXPECT_EQ(one.note, "保存するたびに点が増えます。");
  ASSERT_EQ(one.points.size(), 1u);
  EXPECT_LT(one.firstMsecs, one.points[0].msecs);
  EXPECT_GT(one.lastMsecs, one.points[0].msecs);
}

}  // namespace
}  // namespace nk
