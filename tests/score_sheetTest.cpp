// score_sheetTest.cpp - the sheet's session without a window: the unsaved
// rule, and what a save writes beside the score file and reports, in order.
#include "data/score_file.h"
#include "log_fixture.h"
#include "sheet/score_sheet.h"
#include "sheet_builder.h"

namespace nk {
namespace {

namespace fs = std::filesystem;

// 2026-12-07T20:41:05+09:00, in the zone of the tests.
const Moment Dec7{std::chrono::sys_seconds{std::chrono::seconds{1796643665}}, std::chrono::hours(9)};

class ScoreSheetSession : public test::LoggedWorkDirTest {
protected:
  ScoreSheetSession() { test::setTimeZone("JST-9"); }

  // Four songs, one page, opened over the score file `file` (none: nullptr).
  void open(const char* file) {
    ScoreSheetState& s = sheet.state();
    test::SheetBuilder songs;
    for (const char* title : {"さくら", "夏祭り", "雪", "風"}) songs.entry({.title = title, .level = 7, .levelU = 7});
    s = songs.version(13).shownInEntryOrder().build();
    s.ScoreFileName = "ac13score.csv";
    if (file) test::writeBytes("ac13score.csv", file);
    if (file) ReadScoreFile(DebugLog{}, s);
    sheet.opened();
  }

  static std::string titles(const SaveReport& report) {
    std::string text;
    for (const SheetNotice& n : report.notices) text += n.title + (n.logLine.empty() ? ";" : "+log;");
    return text;
  }

  ScoreSheet sheet;
};

TEST_F(ScoreSheetSession, NothingIsUnsavedBeforeTheOpeningOrAfterASave) {
  EXPECT_EQ(sheet.store(0, Chart::Normal, "5"), EntryResult::EmptyRow);
  EXPECT_FALSE(sheet.hasUnsavedScores());
  open("1,10,0\r\n");
  EXPECT_EQ(sheet.store(1, Chart::Ura, "20"), EntryResult::Stored);
  EXPECT_TRUE(sheet.hasUnsavedScores());
  EXPECT_TRUE(sheet.save(Dec7).saved);
  EXPECT_FALSE(sheet.hasUnsavedScores());
  EXPECT_EQ(sheet.pageTips()[1][1], "2026-12-07 更新（+20）");
}

TEST_F(ScoreSheetSession, ASaveReportsItsBoxesInOrderAndLogsOnlyItsOwnChanges) {
  const std::string header = "\xEF\xBB\xBF日時,曲番号,譜面,旧点数,新点数\r\n";
  struct Case {
    const char* name;
    const char* outside;  // the file written meanwhile by another window
    std::function<void()> fault;
    std::string notices, improvements;
    bool saved;
  } cases[] = {
      {"alone", nullptr, [] {}, "保存完了;", "2026-12-07T20:41:05+09:00,2,裏,0,20\r\n", true},
      // Entry 1 was raised by the other window, which logged it itself.
      {"beside another window", "1,15,0\r\n", [] {}, "保存完了;", "2026-12-07T20:41:05+09:00,2,裏,0,20\r\n", true},
      {"on both sides", "1,10,0\r\n2,0,25\r\n", [] {}, "保存完了;点数の食い違い;",
       "2026-12-07T20:41:05+09:00,2,裏,25,20\r\n", true},
      {"history blocked", nullptr, [] { fs::create_directory("ac13history.csv"); }, "保存完了;記録の保存失敗+log;",
       "2026-12-07T20:41:05+09:00,2,裏,0,20\r\n", true},
      {"score file blocked", nullptr, [] { fs::remove("ac13score.csv"), fs::create_directory("ac13score.csv"); },
       "保存失敗;", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* name : {"ac13score.csv", "ac13history.csv", "ac13improvements.csv"}) fs::remove_all(name);
    sheet = ScoreSheet{};
    open("1,10,0\r\n");
    sheet.state().EntryScoreU[1] = 20;
    if (c.outside) test::writeBytes("ac13score.csv", c.outside);
    c.fault();
    const SaveReport report = sheet.save(Dec7);
    EXPECT_EQ(report.saved, c.saved);
    EXPECT_EQ(titles(report), c.notices);
    EXPECT_EQ(sheet.hasUnsavedScores(), !c.saved);
    EXPECT_EQ(fs::exists("ac13improvements.csv") ? test::readBytes("ac13improvements.csv") : "",
              c.improvements.empty() ? "" : header + c.improvements);
  }
  // A sheet that took the file's scores says so, the 裏 list included.
  sheet = ScoreSheet{};
  fs::remove("ac13score.csv");
  open("1,10,0\r\n");
  test::writeBytes("ac13score.csv", "1,10,7\r\n");
  sheet.state().EntryScore[2] = 30;
  EXPECT_TRUE(sheet.save(Dec7).sheetChanged);
  EXPECT_EQ(sheet.state().EntryScoreU[0], 7);

  showSaveReport(debugLog, {true, false, {{"a", "t1", MsgIcon::None, ""}, {"b", "t2", MsgIcon::Exclamation, "b"}}});
  ASSERT_EQ(tk.boxes.size(), 2u);
  EXPECT_EQ(tk.boxes[1].title + tk.boxes[1].text, "t2b");
  EXPECT_EQ(log(), std::vector<std::string>{"b"});
}

}  // namespace
}  // namespace nk
