// demo_historyTest.cpp - the sample history of AC13 that a first run puts
// beside the sample scores: every line a record, time and totals rising
// plausibly, each total the sum of its levels, and the last record the total
// of the sample score sheet on the demo master data, so that a first save
// without changes adds nothing.
#include "data/score_history.h"
#include "data/text_file.h"
#include "master_server.h"
#include "sheet/total_breakdown.h"

#include <filesystem>

namespace nk {
namespace {

namespace fs = std::filesystem;

const fs::path DemoNk = NK_DEMO_NK_DIR;
const fs::path DemoScores = NK_DEMO_SCORES_DIR;

class DemoHistory : public test::MasterServerTest {};

TEST_F(DemoHistory, TheSampleHistoryEndsAtTheSampleSheetsTotal) {
  const std::string bytes = readFileBytes((DemoScores / "ac13history.csv").string());
  const auto records = parseHistory(bytes);
  size_t lines = 0;
  for (char c : bytes) lines += c == '\n';
  EXPECT_EQ(records.size() + 1, lines) << "a line that is no record";
  EXPECT_TRUE(bytes.starts_with(std::string(HistoryHeader) + "\r\n"));
  ASSERT_GE(records.size(), 24u);
  EXPECT_GE(records.back().epochSeconds - records.front().epochSeconds, 90 * 86400);
  for (size_t i = 0; i < records.size(); ++i) {
    const HistoryRecord& r = records[i];
    SCOPED_TRACE(r.time);
    EXPECT_EQ(r.total, r.levelSums[0] + r.levelSums[1] + r.levelSums[2] + r.levelSums[3]);
    EXPECT_TRUE(r.time.ends_with("+09:00"));
    if (i == 0) continue;
    EXPECT_GT(r.epochSeconds, records[i - 1].epochSeconds);
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
}

}  // namespace
}  // namespace nk
