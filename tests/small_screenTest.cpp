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
  const struct { QRect frame, fitted; } cases[] = {
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

// Read while the box is open, then OK clicked: are box and OK within room, does it scroll, its text.
std::string openBox(QtToolkit& qt, const QRect& room, const std::string& text) {
  std::string seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return QApplication::closeAllWindows();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    const auto sight = [&room](const QRect& r) { return std::string(room.contains(r) ? "in sight" : "out of sight"); };
    seen = "box " + sight(box->frameGeometry()) + ", OK " + sight({ok->mapToGlobal(QPoint(0, 0)), ok->size()}) +
           (box->findChild<QScrollArea*>() ? ", scrolls: " : ", fits: ") + box->text().toStdString();
    ok->click();
  });
  qt.messageBox(text, "総合得点", MsgIcon::None);
  return seen;
}

TEST_F(SmallScreenTest, ATotalTallerThanTheScreenScrollsAndItsOkStaysInSight) {
  QtToolkit qt;
  std::string tall;
  for (int place = 1; place <= 40; ++place) tall += "☆10 " + std::to_string(place) + "位 1000000\r\n";
  const std::string shown = QString::fromStdString(tall).replace("\r\n", "\n").toStdString();
  EXPECT_EQ(openBox(qt, room, tall), "box in sight, OK in sight, scrolls: " + shown);
  // A box that fits is as it always was.
  EXPECT_EQ(openBox(qt, room, "総合得点 2956000\r\n"), "box in sight, OK in sight, fits: 総合得点 2956000\n");
}

}  // namespace
}  // namespace nk
