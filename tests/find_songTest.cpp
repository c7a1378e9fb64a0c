// find_songTest.cpp - the sheet's tools end to end on real widgets against a
// loopback server: finding a song and typing its score, the page keys, the
// wheel, going to a page and the context menu, and what assistive technology gets after a dialog.
#include "score_sheet_fixture.h"
#include "ui/breakdown_window.h"
#include "ui/find_song_dialog.h"
#include "ui/history_window.h"
#include "ui/today_window.h"

#include <QAccessible>
#include <QAction>
#include <QInputDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>
#include <QWheelEvent>

#include <algorithm>

namespace nk {
namespace {

// The Focus events Qt hands to the accessibility bus while a test runs.
std::vector<QObject*> focused;

class FindSongTest : public test::ScoreSheetFixture {
protected:
  void SetUp() override {
    test::ScoreSheetFixture::SetUp();
    focused.clear();
    previous_ = QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
      if (event->type() == QAccessible::Focus) focused.push_back(event->object());
    });
    QAccessible::setActive(true);  // tells a platform bridge, where there is one, to pass events on
  }
  void TearDown() override {
    QAccessible::installUpdateHandler(previous_);
    test::ScoreSheetFixture::TearDown();
  }

  // 42 entries on 5 pages. Display order: the J-POP songs 曲0, 曲2 .. 曲38
  // (positions 0 .. 19), ヴァイオリン協奏曲 (20, no normal chart), then the アニメ
  // song ﾄﾞﾝﾄﾞﾝ Festival (21), then the rest 曲1, 曲3 .. 曲39 (22 .. 41).
  frmACScore* openSheet() {
    std::vector<test::Song> songs;
    std::vector<test::Entry> entries;
    for (int i = 0; i < 40; ++i) songs.push_back({"曲" + std::to_string(i), i % 2 ? "その他" : "J-POP"});
    songs.push_back({"ﾄﾞﾝﾄﾞﾝ Festival", "アニメ"});
    songs.push_back({"ヴァイオリン協奏曲", "J-POP"});
    for (int i = 0; i < 42; ++i) entries.push_back({i + 1, i == 41 ? "abc-efg7" : "abc5efg9"});
    serveMasters(113, songs, entries, {{1, "0"}});
    frmACScore* sheet = open(113);
    if (sheet && !QTest::qWaitForWindowActive(sheet)) return nullptr;
    return sheet;
  }

  static FindSongDialog* findDialog(frmACScore* sheet) {
    for (auto* dialog : sheet->findChildren<FindSongDialog*>())
      if (dialog->isVisible()) return dialog;
    return nullptr;
  }

  // What an input method commits, as Japanese text reaches a box.
  static void commit(QWidget* box, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
  }

  // Where the platform has accessibility, box's Focus event reaches the bus. Offscreen has none (Qt drops
  // every event), so what a screen reader would ask is read instead (the bus: sheet_focus_busTest.cpp).
  static void expectFocusReported(ScoreBox* box) {
    const auto heard = [box] { return std::count(focused.begin(), focused.end(), box) > 0; };
    EXPECT_TRUE(!QAccessible::isActive() || QTest::qWaitFor(heard));
    EXPECT_TRUE(QTest::qWaitFor([box] { return box->window()->isActiveWindow() && box->hasFocus(); }));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(box)->state().focused);
  }

  QAccessible::UpdateHandler previous_ = nullptr;
};

TEST_F(FindSongTest, AFoundSongTakesTheTypedScore) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  const ScoreSheetState& s = sheet->state();
  struct Case {
    const char* committed;  // through the input method
    const char* typed;      // key by key
    std::vector<Qt::Key> moves;
    const char* page;
    int row;
    bool ura;
    int entry;  // 0-based
    const char* score;
  } cases[] = {
      {"どんどん", " FES", {}, "(3/5)", 1, false, 40, "98765"},
      {"ゔぁい", "", {}, "(3/5)", 0, true, 41, "4321"},
      {"", "39", {}, "(5/5)", 1, false, 39, "777"},
      {"", "1", {}, "(1/5)", 5, false, 10, "1000"},                              // the first of 曲10, 曲12 ..
      {"", "1", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}, "(1/5)", 6, false, 12, "1200"},
      {"", "1", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}, "(1/5)", 6, false, 12, "1200"},  // focused before
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.committed) + c.typed);
    QTest::keyClick(sheet->txtScore(4), Qt::Key_F, Qt::ControlModifier);
    FindSongDialog* dialog = findDialog(sheet);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "曲を探す");
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    if (*c.committed) commit(dialog->queryBox(), QString::fromUtf8(c.committed));
    QTest::keyClicks(dialog->queryBox(), c.typed);
    for (Qt::Key key : c.moves) QTest::keyClick(dialog->queryBox(), key);
    focused.clear();
    QTest::keyClick(dialog->queryBox(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());

    EXPECT_EQ(sheet->windowTitle(), QString("太鼓の達人13自己ベストスコア管理") + c.page);
    ScoreBox* box = c.ura ? sheet->txtScoreU(c.row) : sheet->txtScore(c.row);
    EXPECT_EQ(QApplication::focusWidget(), box);
    expectFocusReported(box);
    EXPECT_EQ(box->selectedText(), box->text());
    const auto e = static_cast<size_t>(c.entry);
    EXPECT_EQ(sheet->lblSongTitle(c.row)->text().toStdString(),
              s.SongTitles[static_cast<size_t>(s.EntrySongNo[e] - 1)]);
    QTest::keyClicks(QApplication::focusWidget(), c.score);
    EXPECT_EQ((c.ura ? s.EntryScoreU : s.EntryScore)[e], std::stoi(c.score));
  }
  QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
  EXPECT_EQ(test::readBytes("ac13score.csv"),
            "11,1000,0\r\n13,1200,0\r\n40,777,0\r\n41,98765,0\r\n42,0,4321\r\n\r\n");
}

TEST_F(FindSongTest, TheListShowsTheRowsAsTheSheetDoesAndEscapeChangesNothing) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  QTest::mouseClick(sheet->btnNext(), Qt::LeftButton);
  sheet->txtScore(2)->setFocus();
  QTest::keyClick(sheet, Qt::Key_F, Qt::ControlModifier);
  FindSongDialog* dialog = findDialog(sheet);
  ASSERT_NE(dialog, nullptr);
  // An empty query lists everything, in display order.
  EXPECT_EQ(dialog->list()->topLevelItemCount(), 42);
  EXPECT_EQ(dialog->countLabel()->text(), "42 件");
  commit(dialog->queryBox(), "ヴ");
  ASSERT_EQ(dialog->list()->topLevelItemCount(), 1);
  const QTreeWidgetItem* row = dialog->list()->topLevelItem(0);
  EXPECT_EQ(row->text(0), "ヴァイオリン協奏曲");
  EXPECT_EQ(row->text(1), "");
  EXPECT_EQ(row->text(2), "7");
  EXPECT_EQ(row->text(3), "3");
  EXPECT_EQ(dialog->countLabel()->text(), "1 件");
  QTest::keyClicks(dialog->queryBox(), "x");
  EXPECT_EQ(dialog->list()->topLevelItemCount(), 0);
  EXPECT_EQ(dialog->countLabel()->text(), "見つかりません");
  QTest::keyClick(dialog->queryBox(), Qt::Key_Return);  // nothing to choose: stays open
  EXPECT_TRUE(dialog->isVisible());

  QTest::keyClick(dialog->queryBox(), Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(sheet->windowTitle(), "太鼓の達人13自己ベストスコア管理(2/5)");
  EXPECT_EQ(sheet->focusWidget(), sheet->txtScore(2));
}

// The same walk through the pages by the buttons and by the keys and the
// wheel: the same titles and the same log.
TEST_F(FindSongTest, PageKeysAndTheWheelDoWhatTheButtonsDo) {
  enum Step { Next, Back };
  const Step walk[] = {Back, Next, Next, Back, Back, Back, Next, Next, Next, Next, Next, Next};
  auto run = [&](const std::function<void(frmACScore*, Step)>& turn) {
    test::destroyAllWindows();
    test::writeBytes("Debug.txt", "");
    std::vector<std::string> titles;
    frmACScore* sheet = openSheet();
    if (!sheet) return std::make_pair(titles, std::vector<std::string>{"no sheet"});
    for (Step step : walk) {
      turn(sheet, step);
      titles.push_back(sheet->windowTitle().toStdString());
    }
    return std::make_pair(titles, test::logMessages());
  };
  const auto buttons = run([](frmACScore* sheet, Step step) {
    QTest::mouseClick(step == Next ? sheet->btnNext() : sheet->btnBack(), Qt::LeftButton);
  });
  ASSERT_EQ(buttons.first.front(), "太鼓の達人13自己ベストスコア管理(5/5)");
  ASSERT_EQ(buttons.first.back(), "太鼓の達人13自己ベストスコア管理(5/5)");
  EXPECT_EQ(buttons.first[7], "太鼓の達人13自己ベストスコア管理(1/5)");  // wrapped forward
  const auto keys = run([](frmACScore* sheet, Step step) {
    QTest::keyClick(sheet->txtScore(3), step == Next ? Qt::Key_PageDown : Qt::Key_PageUp);
  });
  EXPECT_EQ(keys, buttons);
  const auto wheel = run([](frmACScore* sheet, Step step) {
    // A high-resolution wheel: a notch in three parts. (Only the window
    // system's own wheel events travel from a row's label up to the sheet.)
    for (int part : {40, 40, 40}) {
      const QPointF at = sheet->lblSongTitle(0)->geometry().center();
      QWheelEvent event(at, sheet->mapToGlobal(at), QPoint(), QPoint(0, step == Next ? -part : part), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(sheet, &event);
    }
  });
  EXPECT_EQ(wheel, buttons);
}

TEST_F(FindSongTest, FirstLastAndGoToPage) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  auto title = [sheet] { return sheet->windowTitle().toStdString(); };
  QTest::keyClick(sheet->txtScoreU(1), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(title(), "太鼓の達人13自己ベストスコア管理(5/5)");
  QTest::keyClick(sheet->txtScoreU(1), Qt::Key_PageDown);
  EXPECT_EQ(title(), "太鼓の達人13自己ベストスコア管理(1/5)");
  QTest::mouseClick(sheet->btnNext(), Qt::LeftButton);
  QTest::keyClick(sheet->btnNext(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(title(), "太鼓の達人13自己ベストスコア管理(1/5)");

  sheet->txtScoreU(3)->setFocus();
  QTest::keyClick(sheet->txtScore(0), Qt::Key_G, Qt::ControlModifier);
  auto* ask = sheet->findChild<QInputDialog*>("goToPageDialog");
  ASSERT_NE(ask, nullptr);
  EXPECT_EQ(ask->windowTitle(), "ページへ移動");
  EXPECT_EQ(ask->intMinimum(), 1);
  EXPECT_EQ(ask->intMaximum(), 5);
  EXPECT_EQ(ask->intValue(), 1);
  ask->setIntValue(4);
  focused.clear();
  ask->accept();
  EXPECT_EQ(title(), "太鼓の達人13自己ベストスコア管理(4/5)");
  EXPECT_TRUE(sheet->lblSongTitle(9)->isVisible());
  EXPECT_EQ(sheet->lblSongTitle(0)->text(), "曲17");  // position 30: the ninth of the rest
  // The box focused before has the focus again; boxes and level cells speak for the page shown
  // (their texts, hidden charts included, are page_viewTest's table).
  expectFocusReported(sheet->txtScoreU(3));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(sheet->txtScore(3))->text(QAccessible::Name), "曲23 表");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(sheet->txtScoreU(3))->text(QAccessible::Name), "曲23 裏");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(sheet->lblDifficulty(3))->text(QAccessible::Description), "表 ☆5");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(sheet->lblDifficultyU(3))->text(QAccessible::Description), "裏 ☆9");
}

TEST_F(FindSongTest, TheContextMenuOffersTheToolsWithTheirKeys) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  const QPoint at = sheet->lblSongTitle(2)->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, sheet->lblSongTitle(2)->mapToGlobal(at));
  QApplication::sendEvent(sheet->lblSongTitle(2), &event);
  auto* menu = sheet->findChild<QMenu*>("sheetMenu");
  ASSERT_NE(menu, nullptr);
  std::vector<std::pair<std::string, std::string>> entries;
  for (QAction* action : menu->actions())
    entries.emplace_back(action->text().toStdString(), action->shortcut().toString().toStdString());
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"曲を探す…", "Ctrl+F"}, {"ページへ移動…", "Ctrl+G"}, {"総合得点の内訳…", "Ctrl+B"}, {"記録の推移…", "Ctrl+H"},
      {"今日の成果…", "Ctrl+T"}, {"", ""},
      {"直前の保存を取り消す", "Ctrl+Alt+Z"}, {"バックアップから戻す…", ""},
      {"スコアを貼り付ける…", "Ctrl+Shift+V"}, {"", ""},
      {"データを書き出す…", "Ctrl+Shift+E"}, {"データを読み込む…", "Ctrl+Shift+I"},
      {"ライバルを追加…", "Ctrl+Shift+R"}, {"スマホ用に書き出す…", "Ctrl+Shift+M"}, {"", ""},
      {"次頁", "PgDown"},      {"前頁", "PgUp"},           {"最初の頁", "Ctrl+Home"},
      {"最後の頁", "Ctrl+End"},
  };
  EXPECT_EQ(entries, expected);
  menu->actions()[1]->trigger();
  menu->close();
  EXPECT_NE(sheet->findChild<QInputDialog*>("goToPageDialog"), nullptr);
  menu->actions()[2]->trigger();
  EXPECT_NE(sheet->findChild<BreakdownWindow*>("breakdownWindow"), nullptr);
}

TEST_F(FindSongTest, NothingActsWhileTheLoadRuns) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  int pokes = 0;
  bool dialogSeen = false;
  tk.onYield = [&] {
    const auto sheets = test::visibleWindows<frmACScore>();
    if (sheets.empty() || ++pokes > 3) return;
    frmACScore* sheet = sheets[0];
    for (QAction* action : sheet->actions()) action->trigger();
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(sheet, &wheel);
    sheet->showEntry(15);
    sheet->showPageNumber(2);
    dialogSeen = dialogSeen || !sheet->findChildren<QDialog*>().isEmpty() ||
                 !sheet->findChildren<BreakdownWindow*>().isEmpty() || sheet->findChild<HistoryWindow*>() ||
                 sheet->findChild<TodayWindow*>();
  };
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  EXPECT_GT(pokes, 0);
  EXPECT_EQ(sheet->actions().size(), 16);
  EXPECT_FALSE(dialogSeen);
  EXPECT_EQ(sheet->state().CurrentPage, 1);
  EXPECT_EQ(sheet->windowTitle(), "太鼓の達人13自己ベストスコア管理(1/3)");
}

}  // namespace
}  // namespace nk
