// history_viewTest.cpp - what the window "記録の推移" shows of the records:
// numbers grouped by our own rule, rows newest first with their change, the
// records and the time axis, and the notes for a history too short to draw or too long to hold.
#include "sheet/history_view.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

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
  ASSERT_EQ(view.rowCount(), 3u);
  const std::pair<const char*, const char*> rows[] = {
      {"2026-10-05 08:05", "-1,000"}, {"2026-10-02 22:30", "+12,345"}, {"2026-10-01 21:00", ""}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(historyRowAt(view, i).time, rows[i].first);
    EXPECT_EQ(historyRowAt(view, i).change, rows[i].second);
  }
  const HistoryRow& middle = historyRowAt(view, 1);
  EXPECT_EQ(middle.total + " " + middle.levelSums[3] + " " + middle.entered, "1,012,345 1,011,445 15");
  const std::vector<HistoryEntry>& points = *view.records;  // as many as the rows
  EXPECT_EQ(points[0].epochSeconds * 1000, 1790856000000);
  EXPECT_EQ(points[1].total, 1012345);
  EXPECT_EQ(points[2].levelSums[0], 150);
  EXPECT_EQ(view.firstMsecs, 1790856000000);
  EXPECT_EQ(view.lastMsecs, points[2].epochSeconds * 1000);
  EXPECT_EQ(view.highest, 1012345);
  EXPECT_EQ(view.note, "");
}

TEST(HistoryView, FewRecordsSayHowTheChartGrows) {
  const int64_t now = 1796643665000;
  const HistoryView none = historyViewOf(std::vector<HistoryEntry>{}, now);
  EXPECT_EQ(none.note, "保存するたびに点が増えます。");
  EXPECT_EQ(none.rowCount(), 0u);
  EXPECT_EQ(none.lastMsecs, now);
  EXPECT_LT(none.firstMsecs, now);

  const HistoryView one = historyViewOf(parseHistory("2026-10-01T21:00:00+09:00,5,5,0,0,0,1\r\n"), now);
  EXPECT_EQ(one.note, "保存するたびに点が増えます。");
  ASSERT_EQ(one.rowCount(), 1u);
  EXPECT_LT(one.firstMsecs, one.records->front().epochSeconds * 1000);
  EXPECT_GT(one.lastMsecs, one.records->front().epochSeconds * 1000);
}

// The list's time is the clock the file wrote, whatever the reading machine's zone: made again
// from the moment and the offset, it is the text's own date and minute.
TEST(HistoryView, ListTimeIsTheFilesOwnClock) {
  for (const std::string time : {"2026-10-01T21:00:59+09:00", "2026-10-01T00:00:00-05:30", "2024-02-29T08:05:00+14:00",
                                 "1969-12-31T23:59:00+00:00", "2000-03-01T00:30:00-12:00", "2026-12-31T23:59:59Z"}) {
    const auto entry = parseHistoryEntry(time + ",1,1,0,0,0,1");
    ASSERT_TRUE(entry) << time;
    EXPECT_EQ(historyListTime(*entry), time.substr(0, 10) + " " + time.substr(11, 5)) << time;
  }
}

// The file itself: its most recent records held, the older ones counted in the note, the
// oldest row held showing its change from the last one left out; a file that cannot be read named.
TEST(HistoryView, TheFileBeyondWhatIsHeld) {
  test::TempWorkDir dir;
  std::string bytes = std::string(HistoryHeader) + "\r\n";
  for (int i = 1; i <= 5; ++i)
    bytes += "2026-10-0" + std::to_string(i) + "T21:00:00+09:00," + std::to_string(i * 1000) + ",0,0,0,0,1\r\n";
  test::writeBytes("ac13history.csv", bytes + "2026-10-09T21:00");
  struct Case { size_t most; std::string totals, note, oldestChange; } cases[] = {  // totals newest first
      {1, "5,000", "古い記録 4 件は表示していません。", "+1,000"},
      {3, "5,000 4,000 3,000", "古い記録 2 件は表示していません。", "+1,000"},
      {4, "5,000 4,000 3,000 2,000", "古い記録 1 件は表示していません。", "+1,000"},
      {5, "5,000 4,000 3,000 2,000 1,000", "", ""},
      {6, "5,000 4,000 3,000 2,000 1,000", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.most);
    const HistoryView view = loadHistoryView(13, 0, c.most);
    std::string totals;
    for (size_t row = 0; row < view.rowCount(); ++row) totals += (row ? " " : "") + historyRowAt(view, row).total;
    EXPECT_EQ(totals, c.totals);
    EXPECT_EQ(view.note, c.note);
    EXPECT_EQ(historyRowAt(view, 0).time, "2026-10-05 21:00");
    EXPECT_EQ(historyRowAt(view, view.rowCount() - 1).change, c.oldestChange);
  }
  EXPECT_EQ(historyLeftOutNote(1234567), "古い記録 1,234,567 件は表示していません。");
  std::filesystem::remove("ac13history.csv");
  std::filesystem::create_directory("ac13history.csv");
  const HistoryView folder = loadHistoryView(13, 0);
  EXPECT_EQ(folder.rowCount(), 0u);
  EXPECT_EQ(folder.note, "ファイル ac13history.csv を読めません（同じ名前のフォルダーがあります）。");
}

}  // namespace
}  // namespace nk
