// demo_historyTest.cpp - the sample history of AC13 that a first run puts
// beside the sample scores: every line a record, time and totals rising
// plausibly, each total the sum of its levels, and the last record the total
// of the sample score sheet on the demo master data, so that a first save
// without changes adds nothing. Its log of improvements is the same saves'.
#include "data/improvement_log.h"
#include "data/total_history.h"
#include "data/text_file.h"
#include "master_server.h"
#include "total/total_breakdown.h"

#include <algorithm>
#include <filesystem>

namespace nk {
namespace {

namespace fs = std::filesystem;

const fs::path DemoNk = NK_DEMO_NK_DIR;
const fs::path DemoScores = NK_DEMO_SCORES_DIR;

class DemoHistory : public test::MasterServerTest {};

TEST_F(DemoHistory, TheSampleHistoryEndsAtTheSampleSheetsTotal) {
  const std::string bytes = readFileBytes((DemoScores / "ac13history.csv").string());
  const auto records = readRecentHistory((DemoScores / "ac13history.csv").string()).records;
  size_t lines = 0;
  for (char c : bytes) lines += c == '\n';
  EXPECT_EQ(records.size() + 1, lines) << "a line that is no record";
  EXPECT_TRUE(bytes.starts_with(std::string(HistoryHeader) + "\r\n"));
  ASSERT_GE(records.size(), 24u);
  EXPECT_GE(records.back().time.utc - records.front().time.utc, std::chrono::days{90});
  for (size_t i = 0; i < records.size(); ++i) {
    const HistoryRecord& r = records[i];
    SCOPED_TRACE(isoText(r.time));
    EXPECT_EQ(r.total, r.levelSums[0] + r.levelSums[1] + r.levelSums[2] + r.levelSums[3]);
    EXPECT_EQ(r.time.offset, std::chrono::hours{9});
    if (i == 0) continue;
    EXPECT_GT(r.time.utc, records[i - 1].time.utc);
    EXPECT_GE(r.total, records[i - 1].total);
    EXPECT_GE(r.entered, records[i - 1].entered);
    EXPECT_NE(static_cast<const TotalSummary&>(r), static_cast<const TotalSummary&>(records[i - 1]));
  }

  for (const char* file : {"common/songlist.dat", "common/ac13list.dat", "sr/13/srlist.dat", "common/nkclient.dat"})
    primary.serveFile(std::string("/nk/") + file, DemoNk / file);
  fs::copy_file(DemoScores / "ac13score.csv", "ac13score.csv");
  request.version = ArcadeVersion{113};
  ScoreSheetState s;
  runScoreSheetLoad(debugLog, s, request, [] {});
  const TotalSummary sheet = summarizeTotal(s);
  const HistoryRecord& last = records.back();
  EXPECT_EQ(last.total, sheet.total);
  for (size_t l = 0; l < 4; ++l) EXPECT_EQ(last.levelSums[l], sheet.levelSums[l]) << l;
  EXPECT_EQ(last.entered, sheet.entered);

  // The sample log of improvements holds the same saves: undone save by save
  // from the sheet, newest first, each save's new scores are what the sheet
  // held and its sheet has the total its history record has.
  const std::string logFile = (DemoScores / "ac13improvements.csv").string();
  const std::string logBytes = readFileBytes(logFile);
  const auto log = readRecentImprovements(logFile).records;
  EXPECT_EQ(log.size() + 1, static_cast<size_t>(std::count(logBytes.begin(), logBytes.end(), '\n')));
  size_t next = log.size();
  for (size_t k = records.size(); k-- > 0;) {
    SCOPED_TRACE(isoText(records[k].time));
    EXPECT_EQ(summarizeTotal(s), static_cast<const TotalSummary&>(records[k]));
    ASSERT_TRUE(next > 0 && log[next - 1].time == records[k].time);
    for (; next > 0 && log[next - 1].time == records[k].time; --next) {
      const Improvement& change = log[next - 1];
      int32_t& score = (change.chart == Chart::Ura ? s.EntryScoreU : s.EntryScore).at(static_cast<size_t>(change.entryNo - 1));
      EXPECT_EQ(score, change.after);
      score = change.before;
    }
  }
  EXPECT_EQ(next, 0u);
}

}  // namespace
}  // namespace nk
