// frmMenuTest.cpp - the version menu: its title from the first show, its
// layout, the fresh debug log of every visit, and the way to the score sheet
// and back.
#include "diag/debug_log.h"
#include "gui_test_support.h"
#include "net/http_fetch.h"
#include "platform/cp932.h"
#include "ui/frmACScore.h"
#include "ui/frmMenu.h"

#include <QtTest/QTest>

#include <regex>

namespace nk {
namespace {

namespace fs = std::filesystem;

const char* const StartLine = "ノルカクライアント ver1.54 開始";

class MenuTest : public test::WindowTest {
protected:
  void TearDown() override {
    qApp->removeEventFilter(&showWatch);
    WindowTest::TearDown();
  }

  // Records the title of every menu at the moment it is shown.
  struct ShowWatch : QObject {
    QStringList titles;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Show)
        if (auto* menu = qobject_cast<frmMenu*>(watched)) titles << menu->windowTitle();
      return false;
    }
  } showWatch;

  // The load step of the sheets the menus open: none, the menu alone, unless
  // a test records the loads.
  frmACScore::LoadStep sheetLoad;
  frmMenu* openMenu() { return showMenu(sheetLoad); }

  // Opens the sheet from a menu button; the step records what the load sees.
  struct LoadSeen {
    int loads = 0;
    int16_t versionCode = 0;
    bool menuStillOpen = false;
    bool sheetVisible = false;
    int16_t entryCount = -1;
    QPointer<frmACScore> sheet;
  };
  void recordLoads(LoadSeen& seen) {
    sheetLoad = [&seen](frmACScore& sheet) {
      ++seen.loads;
      seen.versionCode = sheet.version().VersionCode;
      seen.menuStillOpen = !test::visibleWindows<frmMenu>().empty();
      seen.sheetVisible = sheet.isVisible();
      seen.entryCount = sheet.state().EntryCount;
      seen.sheet = &sheet;
      sheet.state().EntryCount = 5;  // the next opening must not see this again
    };
  }
};

TEST_F(MenuTest, TitleCarriesTheVersionFromTheFirstMomentShown) {
  qApp->installEventFilter(&showWatch);
  frmMenu* menu = openMenu();
  EXPECT_EQ(showWatch.titles, QStringList{"ノルカクライアント ver1.54"});
  EXPECT_EQ(menu->windowTitle(), "ノルカクライアント ver1.54");
  EXPECT_TRUE(menu->isVisible());
}

TEST_F(MenuTest, FixedWindowWithThreeButtonsInTheTopLeftCorner) {
  frmMenu* menu = openMenu();
  ASSERT_EQ(menu->logicalDpiX(), 96) << "the expected pixels below are those of 96 dpi";
  EXPECT_EQ(menu->size(), QSize(506, 344));
  EXPECT_EQ(menu->minimumSize(), QSize(506, 344));
  EXPECT_EQ(menu->maximumSize(), QSize(506, 344));
  EXPECT_FALSE(menu->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(menu->windowFlags() & Qt::WindowMaximizeButtonHint);

  struct Button {
    QPushButton* button;
    const char* name;
    const char* caption;
    int top;
  };
  const Button buttons[] = {
      {menu->btnAC12Score(), "btnAC12Score", "AC12 自己ベストスコア管理", 8},
      {menu->btnAC13Score(), "btnAC13Score", "AC13 自己ベストスコア管理", 40},
      {menu->btnAC14Score(), "btnAC14Score", "AC14 自己ベストスコア管理", 72},
  };
  for (const Button& b : buttons) {
    EXPECT_EQ(b.button->objectName(), b.name);
    EXPECT_EQ(b.button->text(), QString::fromUtf8(b.caption));
    EXPECT_EQ(b.button->geometry(), QRect(8, b.top, 169, 25)) << b.name;
  }
  EXPECT_EQ(menu->findChildren<QWidget*>().size(), 3u);
  EXPECT_EQ(menu->focusWidget(), menu->btnAC12Score());
  EXPECT_EQ(menu->btnAC12Score()->nextInFocusChain(), menu->btnAC13Score());
  EXPECT_EQ(menu->btnAC13Score()->nextInFocusChain(), menu->btnAC14Score());
}

TEST_F(MenuTest, ExistingLogIsEmptiedAndGetsTheStartLine) {
  test::writeBytes("Debug.txt", "2020/01/01 00:00:00 old entry\r\n");
  frmMenu* menu = openMenu();
  const std::string text = cp932ToUtf8(test::readBytes("Debug.txt"));
  static const std::regex expected(
      R"(^\r\n\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2} ノルカクライアント ver1\.54 開始\r\n$)");
  EXPECT_TRUE(std::regex_match(text, expected)) << text;
  EXPECT_EQ(menu->debugLog().path, "./Debug.txt");
}

TEST_F(MenuTest, WithoutALogNoneIsCreated) {
  openMenu();
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(MenuTest, VersionButtonSetsTheCodeOpensAndLoadsTheSheetThenCloses) {
  struct Case {
    QPushButton* (frmMenu::*button)() const;
    int16_t code;
  };
  const Case cases[] = {{&frmMenu::btnAC12Score, 112}, {&frmMenu::btnAC13Score, 113}, {&frmMenu::btnAC14Score, 114}};
  for (const Case& c : cases) {
    LoadSeen seen;
    recordLoads(seen);
    QPointer<frmMenu> menu = openMenu();
    QTest::mouseClick((menu->*c.button)(), Qt::LeftButton);

    EXPECT_EQ(seen.loads, 1);
    EXPECT_EQ(seen.versionCode, c.code) << "the sheet knows its version when it loads";
    EXPECT_TRUE(seen.menuStillOpen) << "the menu closes only after the load";
    EXPECT_TRUE(seen.sheetVisible) << "the sheet shows itself before its load";
    EXPECT_EQ(seen.entryCount, 0);
    ASSERT_FALSE(menu.isNull());
    EXPECT_FALSE(menu->isVisible());
    test::runDeferredDeletes();
    EXPECT_TRUE(menu.isNull());
    ASSERT_FALSE(seen.sheet.isNull());
    EXPECT_TRUE(seen.sheet->isVisible());
    EXPECT_EQ(seen.sheet->debugLog().path, "./Debug.txt") << "the sheet logs to the menu's log";
    test::destroyAllWindows();
  }
}

TEST_F(MenuTest, ClicksDuringTheLoadAreIgnored) {
  QPointer<frmMenu> menu;
  int loads = 0;
  sheetLoad = [&](frmACScore&) {
    ++loads;
    QTest::mouseClick(menu->btnAC14Score(), Qt::LeftButton);
    QTest::mouseClick(menu->btnAC13Score(), Qt::LeftButton);
  };
  menu = openMenu();
  QTest::mouseClick(menu->btnAC12Score(), Qt::LeftButton);
  EXPECT_EQ(loads, 1);
  const auto sheets = test::visibleWindows<frmACScore>();
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0]->version(), AC12);
}

TEST_F(MenuTest, MenuButtonOfTheSheetReloadsTheMenuAndDiscardsTheSheet) {
  test::writeBytes("Debug.txt", "");
  LoadSeen seen;
  recordLoads(seen);
  QTest::mouseClick(openMenu()->btnAC13Score(), Qt::LeftButton);
  test::runDeferredDeletes();
  ASSERT_FALSE(seen.sheet.isNull());
  PutLog(seen.sheet->debugLog(), "entry of the sheet");
  ASSERT_EQ(test::logMessages().size(), 2u);

  // The sheet may only close once the new menu is open, or the program would end.
  struct CloseWatch : QObject {
    bool menuOpenAtClose = false;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Close) menuOpenAtClose = !test::visibleWindows<frmMenu>().empty();
      return false;
    }
  } closeWatch;
  seen.sheet->installEventFilter(&closeWatch);
  QTest::mouseClick(seen.sheet->btnMenu(), Qt::LeftButton);

  EXPECT_TRUE(closeWatch.menuOpenAtClose);
  const auto menus = test::visibleWindows<frmMenu>();
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0]->windowTitle(), "ノルカクライアント ver1.54");
  EXPECT_EQ(test::logMessages(), std::vector<std::string>{StartLine}) << "the log starts afresh";
  EXPECT_FALSE(seen.sheet->isVisible());
  test::runDeferredDeletes();
  EXPECT_TRUE(seen.sheet.isNull());

  // The next choice loads a new sheet with a new, empty state.
  QTest::mouseClick(menus[0]->btnAC12Score(), Qt::LeftButton);
  EXPECT_EQ(seen.loads, 2);
  EXPECT_EQ(seen.versionCode, 112);
  EXPECT_EQ(seen.entryCount, 0);
}

}  // namespace
}  // namespace nk
