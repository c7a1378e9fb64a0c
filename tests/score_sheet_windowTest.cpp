// score_sheet_windowTest.cpp - the score sheet end to end: from the menu's version
// button to page 1 against a loopback server, then paging, typing, the total,
// saving and leaving, on real widgets.
#include "net/http_fetch.h"
#include "net/server_locations.h"
#include "score_sheet_fixture.h"
#include "ui/qt_toolkit.h"

#include <QTimer>

#include <algorithm>

namespace nk {
namespace {

namespace fs = std::filesystem;

class ScoreSheetTest : public test::ScoreSheetFixture {};

TEST_F(ScoreSheetTest, TheVersionButtonLeadsToPageOne) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(test::visibleWindows<frmMenu>().empty());
  EXPECT_EQ(sheet->windowTitle(), "太鼓の達人13自己ベストスコア管理(1/3)");
  EXPECT_EQ(tk.statusTexts.back(), "");
  EXPECT_TRUE(sheet->lblStatusBar()->text().isEmpty());
  for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat"}) EXPECT_FALSE(fs::exists(name));
  EXPECT_TRUE(tk.boxes.empty());

  // Genre order: J-POP (songs 2, 10, 18), then アニメ (1, 9, 17), クラシック (4, 12, ...)...
  const ScoreSheetState& s = sheet->state();
  const char* titles[] = {"曲2", "曲10", "曲18", "曲1", "曲9", "曲17", "曲6", "曲14", "曲22", "曲7"};
  for (int r = 0; r < 10; ++r) {
    SCOPED_TRACE(r);
    EXPECT_TRUE(sheet->lblSongTitle(r)->isVisible());
    EXPECT_EQ(sheet->lblSongTitle(r)->text().toStdString(), titles[r]);
    const size_t e = static_cast<size_t>(s.DisplayOrder[static_cast<size_t>(r)]);
    EXPECT_EQ(sheet->lblSongTitle(r)->text().toStdString(), s.SongTitles[static_cast<size_t>(s.EntrySongNo[e] - 1)]);
  }
  // Entry 2 ("abc5efg9") shows 5 and 9, entry 1 ("abc1efg-") no 裏 chart,
  // entry 18 ("abc?efg?") "？" twice, entry 6 ("abc-efg7") no normal chart.
  EXPECT_EQ(sheet->lblDifficulty(0)->text(), "5");
  EXPECT_EQ(sheet->lblDifficultyU(0)->text(), "9");
  EXPECT_EQ(sheet->txtScore(0)->text(), "0");
  EXPECT_FALSE(sheet->txtScoreU(3)->isVisible());
  EXPECT_FALSE(sheet->lblDifficultyU(3)->isVisible());
  EXPECT_EQ(sheet->lblDifficulty(2)->text(), "？");
  EXPECT_EQ(sheet->lblDifficultyU(2)->text(), "？");
  EXPECT_FALSE(sheet->txtScore(6)->isVisible());
  EXPECT_FALSE(sheet->lblDifficulty(6)->isVisible());
  EXPECT_EQ(sheet->lblDifficultyU(6)->text(), "7");

  const auto log = test::logMessages();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log.front(), "ノルカクライアント ver1.54 開始");
  EXPECT_EQ(log.back(), "CSVファイル展開終了");
}

TEST_F(ScoreSheetTest, PagesWrapAroundAndTheLastPageHidesItsEmptyRows) {
  serveMasters(114, demoSongs, demoEntries, demoTargets);
  frmACScore* sheet = open(114);
  ASSERT_NE(sheet, nullptr);
  const std::pair<QPushButton*, const char*> clicks[] = {
      {sheet->btnBack(), "(3/3)"}, {sheet->btnNext(), "(1/3)"}, {sheet->btnNext(), "(2/3)"},
      {sheet->btnNext(), "(3/3)"}, {sheet->btnNext(), "(1/3)"},
  };
  for (const auto& [button, page] : clicks) {
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(sheet->windowTitle(), QString("太鼓の達人14自己ベストスコア管理") + page);
    const bool last = QString(page) == "(3/3)";
    for (int r = 0; r < 10; ++r) EXPECT_EQ(sheet->lblSongTitle(r)->isVisible(), !last || r < 3) << page << r;
    if (last) {
      // Hidden rows keep their old texts.
      EXPECT_FALSE(sheet->txtScore(5)->isVisible());
      EXPECT_FALSE(sheet->lblSongTitle(5)->text().isEmpty());
    }
  }
}

TEST_F(ScoreSheetTest, TypedScoresLandInTheEntryTheRowShows) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  QTest::mouseClick(sheet->btnNext(), Qt::LeftButton);  // page 2
  ScoreSheetState& s = sheet->state();
  const size_t e13 = static_cast<size_t>(s.DisplayOrder[13]);
  ASSERT_TRUE(sheet->txtScore(3)->isVisible());

  struct Case {
    const char* typed;
    int32_t stored;
  } cases[] = {{"985,000", 985}, {"-5", -5}, {"2.5", 2}, {"1e3", 1000}, {"", 0}, {"1234567", 1234567}};
  for (const Case& c : cases) {
    sheet->txtScore(3)->selectAll();
    QTest::keyClick(sheet->txtScore(3), Qt::Key_Backspace);
    QTest::keyClicks(sheet->txtScore(3), c.typed);
    EXPECT_EQ(s.EntryScore[e13], c.stored) << c.typed;
  }
  // A text with no sound value keeps the score and says so until corrected.
  sheet->txtScore(3)->setText("9e99");
  EXPECT_EQ(s.EntryScore[e13], 1234567);
  EXPECT_TRUE(sheet->txtScore(3)->property("rejected").toBool());
  EXPECT_FALSE(sheet->txtScore(3)->toolTip().isEmpty());
  sheet->txtScore(3)->setText("77");
  EXPECT_EQ(s.EntryScore[e13], 77);
  EXPECT_FALSE(sheet->txtScore(3)->property("rejected").toBool());

  // Paging away and back changes no score and shows the stored one.
  const auto scores = s.EntryScore;
  const auto scoresU = s.EntryScoreU;
  for (int i = 0; i < 3; ++i) QTest::mouseClick(sheet->btnNext(), Qt::LeftButton);  // 3, 1, 2
  EXPECT_EQ(s.EntryScore, scores);
  EXPECT_EQ(s.EntryScoreU, scoresU);
  EXPECT_EQ(sheet->txtScore(3)->text(), "77");
}

TEST_F(ScoreSheetTest, NothingActsWhileTheLoadRuns) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  QPointer<frmACScore> during;
  int pokes = 0;
  tk.onYield = [&] {
    const auto sheets = test::visibleWindows<frmACScore>();
    if (sheets.empty() || ++pokes > 3) return;
    frmACScore* sheet = sheets[0];
    sheet->txtScore(0)->setText("123");
    sheet->btnNext()->click();
    sheet->btnCalc()->click();
    sheet->btnSave()->click();
    sheet->btnMenu()->click();
    during = sheet;
  };
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  EXPECT_GT(pokes, 0);
  EXPECT_EQ(sheet, during.data());
  EXPECT_EQ(sheet->state().CurrentPage, 1);
  EXPECT_EQ(sheet->state().EntryScore, std::vector<int32_t>(23, 0));
  EXPECT_TRUE(tk.boxes.empty());
  EXPECT_FALSE(fs::exists("ac13score.csv"));
}

TEST_F(ScoreSheetTest, ClosingTheSheetDuringASlowDownloadEndsTheProgramNormally) {
  const std::string scoreBytes = "1,500,0\r\n3,0,900\r\n";
  test::writeBytes("ac13score.csv", scoreBytes);
  // A thread holding a lock of the allocator at the fork leaves it locked in
  // the child for good (seen under AddressSanitizer): the fixture's server,
  // unused here, is gone before the fork.
  primary.stop();
  EXPECT_EXIT(
      {
        // The parent's server thread does not live on in this child process.
        test::LoopbackServer slow;
        test::LoopbackServer::Route trickle;  // one byte every two seconds
        trickle.body = test::songMasterBytes(demoSongs);
        trickle.pieceSize = 1;
        trickle.pieceDelay = std::chrono::seconds(2);
        slow.route("/nk/common/songlist.dat", trickle);
        request.servers.primary = slow.url("/nk/");
        request.fetch.limits.connectTimeout = std::chrono::seconds(1);
        request.fetch.limits.stallTime = std::chrono::seconds(20);
        QtToolkit qt;
        ScopedToolkit real(qt);
        // A box waiting for a click would keep the child alive for good.
        QTimer::singleShot(std::chrono::seconds(40), [] { std::_Exit(3); });
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
          for (frmACScore* sheet : test::visibleWindows<frmACScore>())
            if (sheet->lblStatusBar()->text() == "曲マスタを受信中です") sheet->close();
        });
        closer.start(50);
        open(113);
        std::_Exit(4);  // the load came back: the close was lost
      },
      ::testing::ExitedWithCode(0), "");
  for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat"})
    EXPECT_FALSE(fs::exists(name)) << name;
  EXPECT_EQ(test::readBytes("ac13score.csv"), scoreBytes);
  const auto log = test::logMessages();
  EXPECT_NE(std::find(log.begin(), log.end(), "曲マスタ受信開始"), log.end());
  for (const std::string& line : log) EXPECT_EQ(line.find("失敗"), std::string::npos) << line;
}

TEST_F(ScoreSheetTest, TotalShowsTheBreakdownOfTheKnownSheet) {
  // Ten targets on each of the levels 7, 8, 9 and 10, scored 1000 + i.
  std::vector<test::Song> songs;
  std::vector<test::Entry> entries;
  std::vector<test::Target> targets;
  const char* levels[] = {"abc7efg-", "abc8efg-", "abc9efg-", "abcTefg-"};
  std::string scores;
  for (int i = 0; i < 40; ++i) {
    songs.push_back({"S" + std::to_string(i), "J-POP"});
    entries.push_back({i + 1, levels[i / 10]});
    targets.push_back({i + 1, "0"});
    scores += std::to_string(i + 1) + "," + std::to_string(1000 + i) + ",0\r\n";
  }
  test::writeBytes("ac12score.csv", scores);
  serveMasters(112, songs, entries, targets);
  frmACScore* sheet = open(112);
  ASSERT_NE(sheet, nullptr);
  QTest::mouseClick(sheet->btnCalc(), Qt::LeftButton);
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "総合得点");
  std::string expected = "☆×７　総合対象曲\r\n";
  long long total = 0;
  auto best = [&](int level, int quota) {
    for (int i = 0; i < quota; ++i) {
      const int n = level * 10 + 9 - i;
      expected += std::to_string(1000 + n) + "点 S" + std::to_string(n) + "\r\n";
      total += 1000 + n;
    }
  };
  best(0, 7);
  expected += "☆×８　総合対象曲\r\n";
  best(1, 7);
  expected += "☆×９　総合対象曲\r\n";
  best(2, 7);
  expected += "☆×10　総合対象曲\r\n";
  best(3, 9);
  expected += "総合得点 " + std::to_string(total) + "点\r\n";
  EXPECT_EQ(tk.boxes[0].text, expected);
}

TEST_F(ScoreSheetTest, SavedScoresComeBackAtTheNextOpening) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  sheet->txtScore(0)->setText("985000");
  sheet->txtScoreU(0)->setText("-12");
  QTest::mouseClick(sheet->btnNext(), Qt::LeftButton);
  sheet->txtScore(9)->setText("123456789");
  const auto scores = sheet->state().EntryScore;
  const auto scoresU = sheet->state().EntryScoreU;
  EXPECT_TRUE(sheet->hasUnsavedScores());
  QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "保存完了");
  EXPECT_EQ(tk.boxes[0].text, "保存完了");
  EXPECT_FALSE(sheet->hasUnsavedScores());

  QTest::mouseClick(sheet->btnMenu(), Qt::LeftButton);  // nothing unsaved: no question
  test::runDeferredDeletes();
  ASSERT_EQ(test::visibleWindows<frmMenu>().size(), 1u);
  QTest::mouseClick(test::visibleWindows<frmMenu>()[0]->btnAC13Score(), Qt::LeftButton);
  test::runDeferredDeletes();
  const auto sheets = test::visibleWindows<frmACScore>();
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0]->state().EntryScore, scores);
  EXPECT_EQ(sheets[0]->state().EntryScoreU, scoresU);
  EXPECT_EQ(sheets[0]->txtScore(0)->text(), "985000");
}

// After the find dialog's hiragana, the digits may come full-width: never a 0 over the best.
TEST_F(ScoreSheetTest, FullWidthDigitsTypedOverABestAreSavedAsTheNumber) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  const auto file = [](int changed) {
    std::string bytes;
    for (int e = 1; e <= 23; ++e) bytes += std::to_string(e) + (e == changed ? ",700001,0\r\n" : ",650000,0\r\n");
    return bytes + "\r\n";
  };
  test::writeBytes("ac13score.csv", file(0));
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  sheet->txtScore(4)->selectAll();
  test::typeCharacters(sheet->txtScore(4), "７００００１");
  QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
  EXPECT_EQ(test::readBytes("ac13score.csv"), file(sheet->state().DisplayOrder[4] + 1));
}

TEST_F(ScoreSheetTest, LeavingWithUnsavedScoresAsksOnce) {
  struct Case {
    const char* answer;
    bool viaMenuButton;
    bool sheetStays;
    bool saved;
  } cases[] = {
      {"シートに戻る", true, true, false}, {"保存しない", true, false, false}, {"保存する", true, false, true},
      {"シートに戻る", false, true, false}, {"保存しない", false, false, false}, {"保存する", false, false, true},
  };
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.answer) + (c.viaMenuButton ? " via メニュー" : " via close box"));
    test::destroyAllWindows();
    fs::remove("ac13score.csv");
    tk.boxes.clear();
    QPointer<frmACScore> sheet = open(113);
    ASSERT_NE(sheet, nullptr);
    sheet->txtScore(1)->setText("4321");
    question.clear();
    answerNextQuestion(c.answer);
    if (c.viaMenuButton) QTest::mouseClick(sheet->btnMenu(), Qt::LeftButton);
    else sheet->close();
    test::runDeferredDeletes();
    EXPECT_EQ(question, "保存していない点数があります。保存しますか？");
    EXPECT_EQ(!sheet.isNull() && sheet->isVisible(), c.sheetStays);
    EXPECT_EQ(fs::exists("ac13score.csv"), c.saved);
    EXPECT_EQ(test::visibleWindows<frmMenu>().size(), (!c.sheetStays && c.viaMenuButton) ? 1u : 0u);
  }
}

// QApplication has set the C library's locale from the environment, where a
// player's may write one and a half as "1,5": nothing read or written changes.
TEST_F(ScoreSheetTest, EveryLocaleLogsAndSavesTheSameBytes) {
  serveMasters(113, demoSongs, demoEntries, demoTargets, "1.50\r\nhint");
  auto loadTypeAndSave = [this] {
    test::destroyAllWindows();
    test::writeBytes("Debug.txt", "");
    test::writeBytes("ac13score.csv", "1,500,0\r\n3,0,900\r\n\r\n");
    frmACScore* sheet = open(113);
    if (!sheet) return std::string("no sheet");
    sheet->txtScore(0)->setText("98765.5");
    sheet->txtScoreU(0)->setText("1.5E3");
    QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
    // The log without its time stamps (their form is fixed, the time is not).
    std::string text;
    const std::string log = test::readBytes("Debug.txt");
    for (size_t start = 0, end; start < log.size(); start = end + 2) {
      end = std::min(log.find("\r\n", start), log.size());
      text += log.substr(start, end - start).replace(0, std::min<size_t>(20, end - start), "") + "\n";
    }
    return text + "--\n" + test::readBytes("ac13score.csv");
  };
  std::string inC;
  {
    test::ScopedCLocale c("C");
    inC = loadTypeAndSave();
  }
  EXPECT_NE(inC.find(test::toCp932("要求バージョン:1.5\n")), std::string::npos) << inC;
  EXPECT_NE(inC.find(",98766,1500\r\n"), std::string::npos) << inC;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
    test::ScopedCLocale locale(name);
    if (!locale.active()) GTEST_SKIP() << "the locale " << name << " cannot be made here (no localedef or sources)";
    EXPECT_EQ(loadTypeAndSave(), inC) << name;
  }
}

}  // namespace
}  // namespace nk
