// sheet_accessibilityTest.cpp - what assistive technology learns of the sheet:
// the names of its score boxes, the descriptions of its level cells and the
// focus after finding a song or going to a page, read through QAccessible.
#include "score_sheet_fixture.h"
#include "ui/find_song_dialog.h"

#include <QAccessible>
#include <QInputDialog>
#include <QLineEdit>

#include <utility>
#include <vector>

namespace nk {
namespace {

// The events Qt hands to the accessibility bus, recorded while a test runs.
std::vector<std::pair<QObject*, QAccessible::Event>> delivered;

void record(QAccessibleEvent* event) { delivered.emplace_back(event->object(), event->type()); }

class SheetAccessibilityTest : public test::ScoreSheetFixture {
protected:
  void SetUp() override {
    test::ScoreSheetFixture::SetUp();
    delivered.clear();
    previous_ = QAccessible::installUpdateHandler(record);
    // Without an assistive technology attached Qt drops its events before
    // any handler sees them; this tells the platform's bridge, where there
    // is one, that one is.
    wasActive_ = QAccessible::isActive();
    QAccessible::setActive(true);
  }
  void TearDown() override {
    QAccessible::installUpdateHandler(previous_);
    QAccessible::setActive(wasActive_);
    test::ScoreSheetFixture::TearDown();
  }

  // 23 entries on 3 pages, in the order of the song numbers: 曲0 .. 曲22;
  // 曲5 has no normal chart, 曲6 an unknown 裏 level.
  frmACScore* openSheet() {
    std::vector<test::Song> songs;
    std::vector<test::Entry> entries;
    for (int i = 0; i < 23; ++i) {
      songs.push_back({"曲" + std::to_string(i), "J-POP"});
      entries.push_back({i + 1, i == 5 ? "abc-efg7" : i == 6 ? "abc9efg?" : "abc5efg8"});
    }
    serveMasters(113, songs, entries, {{1, "0"}});
    frmACScore* sheet = open(113);
    if (sheet && !QTest::qWaitForWindowActive(sheet)) return nullptr;
    return sheet;
  }

  static QString spoken(QObject* control, QAccessible::Text what) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(what) : QStringLiteral("(none)");
  }

  // Whether a Focus event for control reached the bus since the last clear;
  // the window system's activation of the sheet is let through first. Where
  // the platform has no accessibility (offscreen) Qt drops every event before
  // any handler sees it, and the sheet's own state is all there is to read:
  // the box has the keyboard focus in the active sheet.
  static bool focusReported(QWidget* control) {
    if (!QAccessible::isActive())
      return QTest::qWaitFor([control] { return control->window()->isActiveWindow() && control->hasFocus(); });
    auto seen = [control] {
      for (const auto& [object, type] : delivered)
        if (object == control && type == QAccessible::Focus) return true;
      return false;
    };
    return QTest::qWaitFor(seen);
  }

private:
  QAccessible::UpdateHandler previous_ = nullptr;
  bool wasActive_ = false;
};

TEST_F(SheetAccessibilityTest, BoxesAreNamedAndLevelsDescribedForThePageShown) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  struct Case {
    int page, row;
    const char* name;   // the normal box's, then the 裏 box's
    const char* nameU;
    const char* level;  // the level cells' descriptions
    const char* levelU;
  } cases[] = {
      {1, 0, "曲0 表", "曲0 裏", "表 ☆5", "裏 ☆8"},
      {1, 6, "曲6 表", "曲6 裏", "表 ☆9", "裏 ☆？"},
      {2, 2, "曲12 表", "曲12 裏", "表 ☆5", "裏 ☆8"},
      {3, 2, "曲22 表", "曲22 裏", "表 ☆5", "裏 ☆8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.page) + "/" + std::to_string(c.row));
    sheet->showPageNumber(c.page);
    EXPECT_EQ(spoken(sheet->txtScore(c.row), QAccessible::Name), c.name);
    EXPECT_EQ(spoken(sheet->txtScoreU(c.row), QAccessible::Name), c.nameU);
    EXPECT_EQ(spoken(sheet->lblDifficulty(c.row), QAccessible::Description), c.level);
    EXPECT_EQ(spoken(sheet->lblDifficultyU(c.row), QAccessible::Description), c.levelU);
    // What the row shows is unchanged: the level alone, the score alone.
    EXPECT_EQ(sheet->lblDifficultyU(c.row)->text(), QString(c.levelU).mid(3));
    EXPECT_EQ(sheet->txtScore(c.row)->text(), "0");
  }
  // The row without a normal chart names its 裏 box only.
  sheet->showPageNumber(1);
  EXPECT_FALSE(sheet->txtScore(5)->isVisible());
  EXPECT_EQ(spoken(sheet->txtScoreU(5), QAccessible::Name), "曲5 裏");
}

TEST_F(SheetAccessibilityTest, TheBoxAFoundSongTypesIntoIsReportedFocused) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  struct Case {
    const char* typed;
    int row;
    bool ura;
    const char* name;
  } cases[] = {
      {"21", 1, false, "曲21 表"},
      {"5", 5, true, "曲5 裏"},  // no normal chart: the 裏 box
      {"21", 1, false, "曲21 表"},  // the box that had the focus before the dialog
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    QTest::keyClick(sheet->txtScore(0), Qt::Key_F, Qt::ControlModifier);
    auto* dialog = sheet->findChild<FindSongDialog*>();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->queryBox(), c.typed);
    delivered.clear();
    QTest::keyClick(dialog->queryBox(), Qt::Key_Return);
    test::runDeferredDeletes();
    ScoreBox* box = c.ura ? sheet->txtScoreU(c.row) : sheet->txtScore(c.row);
    EXPECT_TRUE(focusReported(box));
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(spoken(box, QAccessible::Name), c.name);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(box)->state().focused);
  }
}

TEST_F(SheetAccessibilityTest, TheBoxFocusedBeforeGoingToAPageIsReportedAgain) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  sheet->txtScoreU(3)->setFocus();
  QTest::keyClick(sheet->txtScoreU(3), Qt::Key_G, Qt::ControlModifier);
  auto* ask = sheet->findChild<QInputDialog*>("goToPageDialog");
  ASSERT_NE(ask, nullptr);
  ask->setIntValue(2);
  delivered.clear();
  QTest::keyClick(ask->findChild<QLineEdit*>(), Qt::Key_Return);
  EXPECT_EQ(sheet->windowTitle(), "太鼓の達人13自己ベストスコア管理(2/3)");
  EXPECT_TRUE(focusReported(sheet->txtScoreU(3)));
  EXPECT_EQ(spoken(sheet->txtScoreU(3), QAccessible::Name), "曲13 裏");
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(sheet->txtScoreU(3))->state().focused);
}

}  // namespace
}  // namespace nk
