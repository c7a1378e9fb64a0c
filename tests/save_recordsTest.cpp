// save_recordsTest.cpp - when a save adds a record to the history, and what
// a failure tells the player and the log.
#include "log_fixture.h"
#include "ranking_sheet.h"
#include "sheet/save_records.h"
#include "total/total_breakdown.h"

#include <cstdlib>

namespace nk {
namespace {

namespace fs = std::filesystem;

// Four charts, one of each counted level, and one chart of level 5 that
// never counts: entries 1 .. 5, every one a normal-chart target.
ScoreSheetState smallSheet() {
  ScoreSheetState s = test::rankingSheet({{7, 0}, {8, 0}, {9, 0}, {10, 0}, {5, 0}});
  s.VersionNumber = 13;
  return s;
}

class SaveHistory : public test::LoggedWorkDirTest {
protected:
  SaveHistory() {
    test::setTimeZone("JST-9");
  }
};

const std::time_t Dec7 = 1796643665;  // 2026-12-07T20:41:05+09:00

Moment at(std::time_t t) { return localMoment(std::chrono::sys_seconds{std::chrono::seconds{t}}); }

TEST_F(SaveHistory, OnlyASaveThatChangesSomethingAddsARecord) {
  ScoreSheetState s = smallSheet();
  struct Step {
    const char* name;
    std::function<void(ScoreSheetState&)> change;
    bool appended;
  } steps[] = {
      {"first save, nothing entered", [](ScoreSheetState&) {}, true},
      {"same again", [](ScoreSheetState&) {}, false},
      {"a level-9 score", [](ScoreSheetState& x) { x.EntryScore[2] = 900000; }, true},
      {"a chart that does not count changes only the entered charts", [](ScoreSheetState& x) { x.EntryScore[4] = 5; },
       true},
      {"same again", [](ScoreSheetState&) {}, false},
      {"back to 0 on the level-5 chart", [](ScoreSheetState& x) { x.EntryScore[4] = 0; }, true},
  };
  std::string expected = "\xEF\xBB\xBF" + std::string(HistoryHeader) + "\r\n";
  const char* lines[] = {",0,0,0,0,0,0", ",900000,0,0,900000,0,1", ",900000,0,0,900000,0,2", ",900000,0,0,900000,0,1"};
  size_t line = 0;
  std::time_t now = Dec7;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.change(s);
    now += 3600;
    const HistorySaveResult result = recordSaveInHistory(s, at(now));
    EXPECT_EQ(result.appended, step.appended);
    EXPECT_EQ(result.failure, "");
    if (step.appended) expected += isoText(at(now)) + lines[line++] + "\r\n";
    EXPECT_EQ(test::readBytes("ac13history.csv"), expected);
  }
  EXPECT_EQ(isoText(at(Dec7 + 3600)), "2026-12-07T21:41:05+09:00");
  EXPECT_TRUE(tk.boxes.empty());
  EXPECT_TRUE(log().empty());
  EXPECT_EQ(test::namesIn("."), (std::vector<std::string>{"Debug.txt", "ac13history.csv"}));
}

// The box and the log line of it are the session's report (score_sheetTest.cpp).
TEST_F(SaveHistory, AFailureSaysWhichFileAndWhy) {
  const ScoreSheetState s = smallSheet();
  fs::create_directory("ac13history.csv");
  const HistorySaveResult result = recordSaveInHistory(s, at(Dec7));
  const std::string text = "ファイル ac13history.csv に記録を書き込めません（同じ名前のフォルダーがあります）。点数は保存されています。";
  EXPECT_FALSE(result.appended);
  EXPECT_EQ(result.failure, text);
  EXPECT_TRUE(tk.boxes.empty());
  EXPECT_TRUE(log().empty());
}

}  // namespace
}  // namespace nk
