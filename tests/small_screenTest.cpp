// small_screenTest.cpp - the windows on a screen smaller than they were made
// for (1280 x 1024 pixels at QT_SCALE_FACTOR=2): the tool windows open within
// it and the message box scrolls a text too tall for it.
#include "score_sheet_fixture.h"
#include "ui/breakdown_window.h"
#include "ui/history_window.h"
#include "ui/qt_toolkit.h"
#include "ui/screen_fit.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

namespace nk {
namespace {

// A screen of 1280 x 1024 pixels at twice the scale, 640 x 512 to the
// program; set while static objects are made, before main starts Qt.
const bool smallScreen = qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" NK_SMALL_SCREEN_CONFIG) &&
                         qputenv("QT_SCALE_FACTOR", "2");

TEST(FittedInto, ShrinksWhatIsLargerAndMovesTheLeastDistance) {
  const QRect room(0, 30, 640, 482);
  struct Case {
    QRect frame, fitted;
  } cases[] = {
      {{10, 40, 300, 200}, {10, 40, 300, 200}},    // inside: unchanged
      {{0, 30, 640, 482}, {0, 30, 640, 482}},      // exactly the room
      {{500, 400, 300, 200}, {340, 312, 300, 200}},  // past the right and the bottom: moved back
      {{-50, 0, 300, 200}, {0, 30, 300, 200}},     // before the left and the top
      {{100, 100, 760, 640}, {0, 30, 640, 482}},   // larger both ways
      {{100, 100, 302, 640}, {100, 30, 302, 482}},  // taller only: keeps its left
      {{600, 40, 1280, 100}, {0, 40, 640, 100}},   // wider only: keeps its top
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frame.x());
    EXPECT_EQ(fittedInto(c.frame, room), c.fitted);
  }
}

class SmallScreenTest : public test::ScoreSheetFixture {
protected:
  void SetUp() override {
    test::ScoreSheetFixture::SetUp();
    room = QApplication::primaryScreen()->availableGeometry();
  }

  frmACScore* openSheet() {
    std::vector<test::Song> songs;
    std::vector<test::Entry> entries;
    for (int i = 0; i < 12; ++i) {
      songs.push_back({"曲" + std::to_string(i), "J-POP"});
      entries.push_back({i + 1, "abc9efg8"});
    }
    serveMasters(113, songs, entries, {{1, "0"}});
    return open(113);
  }

  QRect room;
};

TEST_F(SmallScreenTest, TheScreenIsSmallerThanTheWindowsWereMadeFor) {
  // Without this the tests below would prove nothing.
  ASSERT_TRUE(smallScreen);
  EXPECT_EQ(room.size(), QSize(640, 512));
  EXPECT_EQ(QApplication::primaryScreen()->devicePixelRatio(), 2.0);
}

TEST_F(SmallScreenTest, ToolWindowsOpenWithinTheScreen) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
  struct Case {
    const char* action;
    const char* name;
  } cases[] = {{"actBreakdown", "breakdownWindow"}, {"actHistory", "historyWindow"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* action = sheet->findChild<QAction*>(c.action);
    ASSERT_NE(action, nullptr);
    action->trigger();
    auto* window = sheet->findChild<QWidget*>(c.name);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_TRUE(room.contains(window->frameGeometry())) << window->frameGeometry().x() << ","
                                                         << window->frameGeometry().y() << " "
                                                         << window->frameGeometry().width() << "x"
                                                         << window->frameGeometry().height();
    // Shrunk only as far as the screen needs.
    EXPECT_EQ(window->frameGeometry().height(), room.height());
    window->close();
  }
}

// Fitting a window moves it back onto the screen whichever side it leaves.
TEST_F(SmallScreenTest, AWindowPlacedOffTheScreenComesBack) {
  const QPoint places[] = {{-300, -200}, {500, 400}, {0, 0}};
  for (const QPoint& at : places) {
    SCOPED_TRACE(at.x());
    QWidget window;
    window.resize(700, 300);
    window.move(at);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    fitIntoScreen(window);
    EXPECT_TRUE(room.contains(window.frameGeometry()));
    EXPECT_EQ(window.frameGeometry().width(), room.width());
    EXPECT_EQ(window.height(), 300);
  }
}

// What the box showed, read while it is open; then its OK button is clicked.
struct SeenBox {
  bool found = false;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Critical;
  QRect frame, ok;  // in screen coordinates
  bool okVisible = false;
  bool scrolls = false;
  int labelHeight = 0;
  int viewportHeight = 0;
};

SeenBox showMessageBox(QtToolkit& qt, const std::string& text, const std::string& title) {
  SeenBox seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      QApplication::closeAllWindows();
      return;
    }
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    auto* scroll = box->findChild<QScrollArea*>();
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    seen = {true,
            box->windowTitle(),
            box->text(),
            box->icon(),
            box->frameGeometry(),
            QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size()),
            ok->isVisible(),
            scroll != nullptr,
            label ? label->height() : 0,
            scroll ? scroll->viewport()->height() : 0};
    ok->click();
  });
  qt.messageBox(text, title, MsgIcon::None);
  return seen;
}

TEST_F(SmallScreenTest, ATotalTallerThanTheScreenScrollsAndItsOkStaysInSight) {
  QtToolkit qt;
  std::string longText;
  QString shown;
  for (int place = 1; place <= 40; ++place) {
    longText += "☆10 " + std::to_string(place) + "位 曲" + std::to_string(place) + " 1000000\r\n";
    shown += QStringLiteral("☆10 %1位 曲%1 1000000\n").arg(place);
  }
  const SeenBox tall = showMessageBox(qt, longText, "総合得点");
  ASSERT_TRUE(tall.found);
  EXPECT_EQ(tall.title, "総合得点");
  EXPECT_EQ(tall.text, shown);
  EXPECT_EQ(tall.icon, QMessageBox::NoIcon);
  EXPECT_TRUE(room.contains(tall.frame));
  EXPECT_TRUE(tall.okVisible);
  EXPECT_TRUE(room.contains(tall.ok));
  ASSERT_TRUE(tall.scrolls);
  // The whole text is there, scrolled within a view lower than it.
  EXPECT_GT(tall.labelHeight, tall.viewportHeight);

  // A text that fits is shown as always, without a scroll area.
  const SeenBox fitting = showMessageBox(qt, "総合得点 2956000\r\n", "総合得点");
  ASSERT_TRUE(fitting.found);
  EXPECT_EQ(fitting.text, "総合得点 2956000\n");
  EXPECT_FALSE(fitting.scrolls);
  EXPECT_TRUE(room.contains(fitting.frame));
  EXPECT_TRUE(fitting.okVisible);
}

}  // namespace
}  // namespace nk
