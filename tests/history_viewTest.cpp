// history_viewTest.cpp - what the window "記録の推移" shows of the records:
// rows newest first with their change, the records and the time axis, and the
// notes for a history too short to draw or too long to hold.
#include "history/history_view.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace nk {
namespace {

// The records of history lines, each a record.
std::vector<HistoryRecord> recordsOf(std::initializer_list<std::string_view> lines) {
  std::vector<HistoryRecord> records;
  for (std::string_view line : lines) records.push_back(parseHistoryLine(line).value());
  return records;
}

TEST(HistoryView, RowsNewestFirstWithTheirChange) {
  const auto records = recordsOf({"2026-10-01T21:00:00+09:00,1000000,100,200,300,999400,12",
                                  "2026-10-02T22:30:15+09:00,1012345,150,250,500,1011445,15",
                                  "2026-10-05T08:05:00+09:00,1011345,150,250,500,1010445,15"});
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
  const std::vector<HistoryRecord>& points = *view.records;  // as many as the rows
  EXPECT_EQ(points[0].time.utc.time_since_epoch().count() * 1000, 1790856000000);
  EXPECT_EQ(points[1].total, 1012345);
  EXPECT_EQ(points[2].levelSums[0], 150);
  EXPECT_EQ(view.firstMsecs, 1790856000000);
  EXPECT_EQ(view.lastMsecs, points[2].time.utc.time_since_epoch().count() * 1000);
  EXPECT_EQ(view.highest, 1012345);
  EXPECT_EQ(view.note, "");
}

TEST(HistoryView, FewRecordsSayHowTheChartGrows) {
  const int64_t now = 1796643665000;
  const HistoryView none = historyViewOf(std::vector<HistoryRecord>{}, now);
  EXPECT_EQ(none.note, "保存するたびに点が増えます。");
  EXPECT_EQ(none.rowCount(), 0u);
  EXPECT_EQ(none.lastMsecs, now);
  EXPECT_LT(none.firstMsecs, now);

  const HistoryView one = historyViewOf(recordsOf({"2026-10-01T21:00:00+09:00,5,5,0,0,0,1"}), now);
  EXPECT_EQ(one.note, "保存するたびに点が増えます。");
  ASSERT_EQ(one.rowCount(), 1u);
  const int64_t msecs = one.records->front().time.utc.time_since_epoch().count() * 1000;
  EXPECT_LT(one.firstMsecs, msecs);
  EXPECT_GT(one.lastMsecs, msecs);
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
  std::filesystem::remove("ac13history.csv");
  std::filesystem::create_directory("ac13history.csv");
  const HistoryView folder = loadHistoryView(13, 0);
  EXPECT_EQ(folder.rowCount(), 0u);
  EXPECT_EQ(folder.note, "ファイル ac13history.csv を読めません（同じ名前のフォルダーがあります）。");
}

}  // namespace
}  // namespace nk
