// sheet_accessibilityTest.cpp - what assistive technology reads of the sheet:
// box names, level descriptions and the focus after a dialog, via QAccessible.
#include "score_sheet_fixture.h"
#include "ui/find_song_dialog.h"

#include <QAccessible>
#include <QInputDialog>
#include <QLineEdit>

#include <algorithm>
#include <vector>

namespace nk {
namespace {

// The Focus events Qt hands to the accessibility bus while a test runs.
std::vector<QObject*> focused;

void record(QAccessibleEvent* event) {
  if (event->type() == QAccessible::Focus) focused.push_back(event->object());
}

class SheetAccessibilityTest : public test::ScoreSheetFixture {
protected:
  void SetUp() override {
    test::ScoreSheetFixture::SetUp();
    focused.clear();
    previous_ = QAccessible::installUpdateHandler(record);
    QAccessible::setActive(true);  // tells a platform bridge, where there is one, to pass events on
  }
  void TearDown() override {
    QAccessible::installUpdateHandler(previous_);
    test::ScoreSheetFixture::TearDown();
  }

  // 23 entries, 曲0 .. 曲22 in order; 曲5 has no normal chart, 曲6 an unknown 裏 level.
  frmACScore* openSheet() {
    std::vector<test::Song> songs;
    std::vector<test::Entry> entries;
    for (int i = 0; i < 23; ++i) {
      songs.push_back({"曲" + std::to_string(i), "J-POP"});
      entries.push_back({i + 1, i == 5 ? "abc-efg7" : i == 6 ? "abc9efg?" : "abc5efg8"});
    }
    serveMasters(113, songs, entries, {{1, "0"}});
    frmACScore* sheet = open(113);
    return sheet && QTest::qWaitForWindowActive(sheet) ? sheet : nullptr;
  }

  static QString spoken(QWidget* control, QAccessible::Text what) {
    return QAccessible::queryAccessibleInterface(control)->text(what);
  }

  // Where the platform has accessibility, the Focus event for box reaches
  // the bus. Offscreen has none: Qt drops every event before any handler,
  // and what a screen reader would then ask is read instead (the bus itself,
  // on X: sheet_focus_busTest.cpp).
  static void expectFocusReported(ScoreBox* box) {
    if (QAccessible::isActive()) {
      EXPECT_TRUE(QTest::qWaitFor([box] { return std::count(focused.begin(), focused.end(), box) > 0; }));
    }
    EXPECT_TRUE(QTest::qWaitFor([box] { return box->window()->isActiveWindow() && box->hasFocus(); }));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(box)->state().focused);
  }

private:
  QAccessible::UpdateHandler previous_ = nullptr;
};

TEST_F(SheetAccessibilityTest, BoxesAreNamedAndLevelsDescribedForThePageShown) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  struct Case {
    int page, row;
    const char *name, *nameU, *level, *levelU;
  } cases[] = {
      {1, 0, "曲0 表", "曲0 裏", "表 ☆5", "裏 ☆8"},
      {1, 6, "曲6 表", "曲6 裏", "表 ☆9", "裏 ☆？"},
      {3, 2, "曲22 表", "曲22 裏", "表 ☆5", "裏 ☆8"},
      {1, 5, "", "曲5 裏", "", "裏 ☆7"},  // no normal chart: its hidden box was never named
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sheet->showPageNumber(c.page);
    EXPECT_EQ(spoken(sheet->txtScore(c.row), QAccessible::Name), c.name);
    EXPECT_EQ(spoken(sheet->txtScoreU(c.row), QAccessible::Name), c.nameU);
    EXPECT_EQ(spoken(sheet->lblDifficulty(c.row), QAccessible::Description), c.level);
    EXPECT_EQ(spoken(sheet->lblDifficultyU(c.row), QAccessible::Description), c.levelU);
    EXPECT_EQ(sheet->lblDifficultyU(c.row)->text(), QString(c.levelU).mid(3));  // shown as before
  }
}

TEST_F(SheetAccessibilityTest, TheFocusIsReportedAfterFindingASongOrGoingToAPage) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  const struct {
    const char* typed;
    int row;
    bool ura;
  } cases[] = {{"21", 1, false}, {"5", 5, true}, {"21", 1, false}};  // the last: focused before
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    QTest::keyClick(sheet->txtScore(0), Qt::Key_F, Qt::ControlModifier);
    auto* dialog = sheet->findChild<FindSongDialog*>();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->queryBox(), c.typed);
    focused.clear();
    QTest::keyClick(dialog->queryBox(), Qt::Key_Return);
    test::runDeferredDeletes();
    expectFocusReported(c.ura ? sheet->txtScoreU(c.row) : sheet->txtScore(c.row));
  }

  sheet->txtScoreU(3)->setFocus();
  QTest::keyClick(sheet->txtScoreU(3), Qt::Key_G, Qt::ControlModifier);
  auto* ask = sheet->findChild<QInputDialog*>("goToPageDialog");
  ASSERT_NE(ask, nullptr);
  ask->setIntValue(2);
  focused.clear();
  QTest::keyClick(ask->findChild<QLineEdit*>(), Qt::Key_Return);
  EXPECT_EQ(sheet->windowTitle(), "太鼓の達人13自己ベストスコア管理(2/3)");
  expectFocusReported(sheet->txtScoreU(3));
  EXPECT_EQ(spoken(sheet->txtScoreU(3), QAccessible::Name), "曲13 裏");
}

}  // namespace
}  // namespace nk
