// small_screenTest.cpp - the windows on a screen smaller than they were made
// for: 1280 x 1024 pixels at QT_SCALE_FACTOR=2, 640 x 512 to the program.
#include "score_sheet_fixture.h"
#include "ui/qt_toolkit.h"
#include "ui/screen_fit.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

namespace nk {
namespace {

// Set while static objects are made, before main starts Qt.
const bool smallScreen = qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" NK_SMALL_SCREEN_CONFIG) &&
                         qputenv("QT_SCALE_FACTOR", "2");

TEST(FittedInto, ShrinksWhatIsLargerAndMovesTheLeastDistance) {
  const QRect room(0, 30, 640, 482);
  const struct {
    QRect frame, fitted;
  } cases[] = {
      {{10, 40, 300, 200}, {10, 40, 300, 200}},      // inside: unchanged
      {{500, 400, 300, 200}, {340, 312, 300, 200}},  // past the right and the bottom
      {{-50, 0, 300, 200}, {0, 30, 300, 200}},       // before the left and the top
      {{100, 100, 760, 640}, {0, 30, 640, 482}},     // larger both ways
      {{100, 100, 302, 640}, {100, 30, 302, 482}},   // taller only: keeps its left
  };
  for (const auto& c : cases) EXPECT_EQ(fittedInto(c.frame, room), c.fitted) << c.frame.x();
}

class SmallScreenTest : public test::ScoreSheetFixture {
protected:
  const QRect room = QApplication::primaryScreen()->availableGeometry();
};

TEST_F(SmallScreenTest, ToolWindowsOpenWithinTheScreen) {
  ASSERT_TRUE(smallScreen);
  ASSERT_EQ(room.size(), QSize(640, 512));  // smaller than either window
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  for (const char* name : {"Breakdown", "History"}) {
    SCOPED_TRACE(name);
    sheet->findChild<QAction*>(QStringLiteral("act") + name)->trigger();
    auto* window = sheet->findChild<QWidget*>(QString(name).toLower() + "Window");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(room.contains(window->frameGeometry()));
    EXPECT_EQ(window->frameGeometry().height(), room.height());  // no smaller than it must be
  }
}

// The box's frame, its OK button's place and whether its text scrolls, read
// while it is open; then OK is clicked.
std::tuple<QRect, QRect, bool, QString> openBox(QtToolkit& qt, const std::string& text) {
  std::tuple<QRect, QRect, bool, QString> seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return QApplication::closeAllWindows();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    seen = {box->frameGeometry(), QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size()),
            box->findChild<QScrollArea*>() != nullptr, box->text()};
    ok->click();
  });
  qt.messageBox(text, "総合得点", MsgIcon::None);
  return seen;
}

TEST_F(SmallScreenTest, ATotalTallerThanTheScreenScrollsAndItsOkStaysInSight) {
  QtToolkit qt;
  std::string tall;
  for (int place = 1; place <= 40; ++place) tall += "☆10 " + std::to_string(place) + "位 1000000\r\n";
  const auto [frame, ok, scrolls, text] = openBox(qt, tall);
  EXPECT_TRUE(room.contains(frame));
  EXPECT_TRUE(room.contains(ok));
  EXPECT_TRUE(scrolls);
  EXPECT_EQ(text.count('\n'), 40);

  const auto [shortFrame, shortOk, shortScrolls, shortText] = openBox(qt, "総合得点 2956000\r\n");
  EXPECT_FALSE(shortScrolls);  // a box that fits is as it always was
  EXPECT_EQ(shortText, "総合得点 2956000\n");
  EXPECT_TRUE(room.contains(shortOk));
}

}  // namespace
}  // namespace nk
