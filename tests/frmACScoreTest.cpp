// frmACScoreTest.cpp - the score sheet window: layout at 96 dpi, look, focus
// order, score box events, its load step and the way back to the menu.
#include "ui/frmACScore.h"
#include "gui_test_support.h"
#include "ui/twips.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest/QTest>

#include <string>
#include <utility>

namespace nk {
namespace {

class SheetTest : public test::WindowTest {
protected:
  void SetUp() override {
    // The window alone: no downloads, no log.
    sheet = new frmACScore(AC13, DebugLog{}, nullptr);
    ASSERT_EQ(sheet->logicalDpiX(), 96) << "the expected pixels below are those of 96 dpi";
    ASSERT_EQ(sheet->logicalDpiY(), 96);
  }
  std::vector<QWidget*> allControls() const {
    const QList<QWidget*> all = sheet->findChildren<QWidget*>();
    return {all.begin(), all.end()};
  }

  QPointer<frmACScore> sheet;
};

// The layout in pixels at 96 dpi (15 twips to the pixel).
struct Placed {
  QWidget* control;
  QRect pixels;
};

std::vector<Placed> expectedLayout(const frmACScore& s) {
  std::vector<Placed> layout = {
      {s.lbl曲名(), {8, 8, 345, 25}},      {s.lbl点数表(), {360, 8, 81, 25}},
      {s.lbl点数裏(), {448, 8, 81, 25}},   {s.btnSave(), {8, 360, 73, 25}},
      {s.btnCalc(), {88, 360, 73, 25}},     {s.btnBack(), {168, 360, 57, 25}},
      {s.btnNext(), {232, 360, 57, 25}},    {s.btnMenu(), {440, 360, 89, 25}},
      {s.lblStatusBar(), {8, 392, 521, 25}},
  };
  for (int r = 0; r < RowsPerPage; ++r) {
    const int top = 40 + 32 * r;
    layout.push_back({s.lblSongTitle(r), {8, top, 297, 25}});
    layout.push_back({s.lblDifficulty(r), {304, top, 25, 25}});
    layout.push_back({s.lblDifficultyU(r), {328, top, 25, 25}});
    layout.push_back({s.txtScore(r), {360, top, 81, 28}});
    layout.push_back({s.txtScoreU(r), {448, top, 81, 28}});
  }
  return layout;
}

TEST_F(SheetTest, WindowAndEveryControlSitWhereTheLayoutPutsThem) {
  EXPECT_EQ(sheet->size(), QSize(534, 422));
  EXPECT_EQ(sheet->windowTitle(), "自己ベストスコア管理");
  const Qt::WindowFlags flags = sheet->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_NE(sheet->minimumSize(), sheet->maximumSize()) << "the sheet is sizable";

  const auto layout = expectedLayout(*sheet);
  EXPECT_EQ(layout.size(), allControls().size()) << "a control too many or too few";
  for (const Placed& p : layout)
    EXPECT_EQ(p.control->geometry(), p.pixels) << p.control->objectName().toStdString();

  // Maximizing or enlarging leaves every control where it was.
  sheet->show();
  sheet->resize(1000, 800);
  for (const Placed& p : layout)
    EXPECT_EQ(p.control->geometry(), p.pixels) << p.control->objectName().toStdString();
}

TEST_F(SheetTest, ControlsCarryTheirNamesAndCaptions) {
  const std::pair<QWidget*, QString> named[] = {
      {sheet->lbl曲名(), "lbl曲名"},   {sheet->lbl点数表(), "lbl点数表"}, {sheet->lbl点数裏(), "lbl点数裏"},
      {sheet->btnSave(), "btnSave"}, {sheet->btnCalc(), "btnCalc"},     {sheet->btnBack(), "btnBack"},
      {sheet->btnNext(), "btnNext"}, {sheet->btnMenu(), "btnMenu"},     {sheet->lblStatusBar(), "lblStatusBar"},
      {sheet->txtScore(0), "txtScore_0"},   {sheet->txtScoreU(9), "txtScoreU_9"},
      {sheet->lblSongTitle(4), "lblSongTitle_4"}, {sheet->lblDifficulty(7), "lblDifficulty_7"},
      {sheet->lblDifficultyU(2), "lblDifficultyU_2"},
  };
  for (const auto& [control, name] : named) {
    EXPECT_EQ(control->objectName(), name);
    EXPECT_EQ(sheet->findChild<QWidget*>(name), control) << name.toStdString();
  }
  EXPECT_EQ(sheet->lbl曲名()->text(), "曲名");
  EXPECT_EQ(sheet->lbl点数表()->text(), "点数(表)");
  EXPECT_EQ(sheet->lbl点数裏()->text(), "点数(裏)");
  EXPECT_EQ(sheet->btnSave()->text(), "保存");
  EXPECT_EQ(sheet->btnCalc()->text(), "合計");
  EXPECT_EQ(sheet->btnBack()->text(), "前頁");
  EXPECT_EQ(sheet->btnNext()->text(), "次頁");
  EXPECT_EQ(sheet->btnMenu()->text(), "メニュー");
  EXPECT_EQ(sheet->lblStatusBar()->text(), "");
  for (int r = 0; r < RowsPerPage; ++r) {
    for (QWidget* control : {static_cast<QWidget*>(sheet->lblSongTitle(r)), static_cast<QWidget*>(sheet->txtScore(r)),
                             static_cast<QWidget*>(sheet->lblDifficulty(r)), static_cast<QWidget*>(sheet->txtScoreU(r)),
                             static_cast<QWidget*>(sheet->lblDifficultyU(r))})
      EXPECT_TRUE(control->isVisibleTo(sheet)) << control->objectName().toStdString();
    EXPECT_EQ(sheet->lblSongTitle(r)->text(), "");
    EXPECT_EQ(sheet->txtScore(r)->text(), "");
    EXPECT_EQ(sheet->txtScoreU(r)->text(), "");
  }
}

TEST_F(SheetTest, LooksOfLabelsAndFontOfEveryControl) {
  const QColor lightGrey(224, 224, 224);
  for (QLabel* grey : {sheet->lbl曲名(), sheet->lbl点数表(), sheet->lbl点数裏(), sheet->lblStatusBar()}) {
    EXPECT_TRUE(grey->autoFillBackground()) << grey->objectName().toStdString();
    EXPECT_EQ(grey->palette().color(grey->backgroundRole()), lightGrey) << grey->objectName().toStdString();
    EXPECT_EQ(grey->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(grey->textFormat(), Qt::PlainText);
  }
  EXPECT_TRUE(sheet->lbl曲名()->alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(sheet->lblStatusBar()->alignment() & Qt::AlignLeft);
  for (int r = 0; r < RowsPerPage; ++r) {
    for (QLabel* cell : {sheet->lblSongTitle(r), sheet->lblDifficulty(r), sheet->lblDifficultyU(r)}) {
      EXPECT_FALSE(cell->autoFillBackground()) << cell->objectName().toStdString();
      EXPECT_EQ(cell->frameShape(), QFrame::Box);
      EXPECT_EQ(cell->frameShadow(), QFrame::Plain);
      EXPECT_EQ(cell->lineWidth(), 1);
      EXPECT_TRUE(cell->alignment() & Qt::AlignLeft);
      EXPECT_EQ(cell->textFormat(), Qt::PlainText) << "song titles are never markup";
    }
  }

  std::vector<QWidget*> withFont = allControls();
  withFont.push_back(sheet);
  for (QWidget* w : withFont) {
    const QFont f = w->font();
    EXPECT_EQ(f.family(), "ＭＳ Ｐ明朝") << w->objectName().toStdString();
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 14.25);
    EXPECT_EQ(f.weight(), QFont::Bold);
    EXPECT_FALSE(f.italic());
    EXPECT_FALSE(f.underline());
    EXPECT_FALSE(f.strikeOut());
  }
  // Without the original face the Japanese serif stand-in is used, not a default sans.
  const QString shown = QFontInfo(sheet->txtScore(0)->font()).family();
  EXPECT_TRUE(shown == "ＭＳ Ｐ明朝" || shown == "IPAPMincho") << shown.toStdString();
}

// The first and last columns of an image's rows 1 .. height - 2 that hold a
// dark pixel; -1 when none does.
std::pair<int, int> inkColumns(const QImage& image, int firstColumn, int lastColumn) {
  int left = -1, right = -1;
  for (int x = firstColumn; x <= lastColumn; ++x)
    for (int y = 1; y < image.height() - 1; ++y)
      if (qGray(image.pixel(x, y)) < 128) {
        if (left < 0) left = x;
        right = x;
        break;
      }
  return {left, right};
}

// The ink of text painted freely with its pen at x = Origin, on a screen of dpi.
constexpr int Origin = 10;
std::pair<int, int> freeInk(const QFont& font, const QString& text, int dpi) {
  QImage image(200, 80, QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(dpi / 0.0254));
  image.setDotsPerMeterY(qRound(dpi / 0.0254));
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(Origin, 60, text);
  painter.end();
  const auto [left, right] = inkColumns(image, 0, image.width() - 1);
  return {left - Origin, right - Origin};
}

// A level cell is 25 pixels wide at 96 dpi; the two-digit level, the one that
// weighs most in the total, must show whole inside its border. In the
// stand-in face the advance of "10" (23.5 pixels) is wider than the cell's
// inside (23): what must fit is the ink, which the glyphs' bearings keep
// a few pixels in from where the pen starts.
TEST_F(SheetTest, LevelCellsShowTheirTextWhole) {
  QLabel* cell = sheet->lblDifficulty(0);
  // A framed label without an indent of its own takes half an "x" for one.
  const int indent =
      cell->indent() >= 0 ? cell->indent() : QFontMetrics(cell->font()).horizontalAdvance(QLatin1Char('x')) / 2;
  for (int dpi : {96, 144}) {
    // The cell scales with the dpi; its frame stays one pixel. The pen starts
    // at the indent, the ink may reach the pixel next to the right border.
    const int room = twipsToPixels(375, dpi) - 2 * cell->frameWidth() - indent;
    for (const char* text : {"7", "10", "？", "99"}) {
      const auto [left, right] = freeInk(cell->font(), QString::fromUtf8(text), dpi);
      EXPECT_GE(left, 0) << text << " at " << dpi << " dpi";
      EXPECT_LT(right, room) << text << " at " << dpi << " dpi";
    }
  }

  // The ink of "10" as the cell paints it is the whole ink of "10".
  cell->setText(QStringLiteral("10"));
  const QImage painted = cell->grab().toImage();
  const int border = painted.width() - 1;
  const auto [left, right] = inkColumns(painted, 1, border - 1);
  const auto [freeLeft, freeRight] = freeInk(cell->font(), QStringLiteral("10"), 96);
  ASSERT_GE(left, 0) << "no text painted";
  EXPECT_LT(right, border);
  EXPECT_EQ(right - left, freeRight - freeLeft) << "part of \"10\" is cut off";
}

TEST_F(SheetTest, TabGoesAcrossEachRowThenDownThenToTheButtons) {
  QStringList expected;
  for (int r = 0; r < RowsPerPage; ++r) expected << QString("txtScore_%1").arg(r) << QString("txtScoreU_%1").arg(r);
  expected << "btnSave" << "btnCalc" << "btnBack" << "btnNext" << "btnMenu";

  QStringList chain;
  for (QWidget* w = sheet->nextInFocusChain(); w != sheet; w = w->nextInFocusChain())
    if (w->focusPolicy() & Qt::TabFocus) chain << w->objectName();
  EXPECT_EQ(chain, expected);
}

TEST_F(SheetTest, TabSkipsHiddenBoxes) {
  sheet->show();
  sheet->txtScoreU(0)->hide();
  sheet->txtScore(1)->hide();
  sheet->txtScore(0)->setFocus();
  QTest::keyClick(sheet->txtScore(0), Qt::Key_Tab);
  EXPECT_EQ(sheet->focusWidget(), sheet->txtScoreU(1));
}

TEST(SheetFocusTest, TheFirstControlThatCanTakeTheFocusHasItWhenTheSheetOpens) {
  struct Case {
    std::vector<std::string> hidden;
    QString focused;
  };
  std::vector<std::string> allBoxes;
  for (int r = 0; r < RowsPerPage; ++r) {
    allBoxes.push_back("txtScore_" + std::to_string(r));
    allBoxes.push_back("txtScoreU_" + std::to_string(r));
  }
  const Case cases[] = {
      {{}, "txtScore_0"},
      {{"txtScore_0"}, "txtScoreU_0"},
      {{"txtScore_0", "txtScoreU_0"}, "txtScore_1"},
      {allBoxes, "btnSave"},
  };
  for (const Case& c : cases) {
    auto sheet = std::make_unique<frmACScore>(AC13, DebugLog{}, nullptr);
    for (const std::string& name : c.hidden) sheet->findChild<QWidget*>(QString::fromStdString(name))->hide();
    sheet->show();
    ASSERT_NE(sheet->focusWidget(), nullptr);
    EXPECT_EQ(sheet->focusWidget()->objectName(), c.focused);
  }
}

TEST_F(SheetTest, EveryChangeOfAScoreBoxReportsItsRow) {
  QSignalSpy normal(sheet, &frmACScore::txtScoreChanged);
  QSignalSpy ura(sheet, &frmACScore::txtScoreUChanged);
  for (int r = 0; r < RowsPerPage; ++r) {
    sheet->txtScore(r)->setText(QString::number(100 + r));
    sheet->txtScoreU(r)->setText(QString::number(200 + r));
  }
  ASSERT_EQ(normal.count(), RowsPerPage);
  ASSERT_EQ(ura.count(), RowsPerPage);
  for (int r = 0; r < RowsPerPage; ++r) {
    EXPECT_EQ(normal.at(r).at(0).toInt(), r);
    EXPECT_EQ(ura.at(r).at(0).toInt(), r);
  }
  normal.clear();

  // A written score longer than the typing limit arrives whole, with its event.
  QString seen;
  QObject::connect(sheet, &frmACScore::txtScoreChanged, sheet, [&](int r) { seen = sheet->txtScore(r)->text(); });
  sheet->txtScore(3)->setText("123456789");
  ASSERT_EQ(normal.count(), 1);
  EXPECT_EQ(normal.at(0).at(0).toInt(), 3);
  EXPECT_EQ(seen, "123456789");

  // Typing fires once per accepted key; the eighth key is refused.
  ura.clear();
  sheet->txtScoreU(9)->clear();
  ura.clear();
  QTest::keyClicks(sheet->txtScoreU(9), "12345678");
  EXPECT_EQ(sheet->txtScoreU(9)->text(), "1234567");
  ASSERT_EQ(ura.count(), 7);
  for (const QList<QVariant>& args : ura) EXPECT_EQ(args.at(0).toInt(), 9);
}

TEST_F(SheetTest, LoadShowsTheSheetFirstAndStartsFromAnEmptyState) {
  bool visibleDuringLoad = false;
  int16_t entriesAtLoad = -1;
  int loads = 0;
  sheet = new frmACScore(AC13, DebugLog{}, [&](frmACScore& s) {
    ++loads;
    visibleDuringLoad = s.isVisible();
    entriesAtLoad = s.state().EntryCount;
  });
  sheet->Form_Load();
  EXPECT_EQ(loads, 1);
  EXPECT_TRUE(visibleDuringLoad);
  EXPECT_EQ(entriesAtLoad, 0);
  EXPECT_TRUE(sheet->state().SongTitles.empty());
  EXPECT_EQ(sheet->state().CurrentPage, 0);
}

TEST_F(SheetTest, MenuButtonAsksForTheMenuFirstThenClosesAndDiscardsTheSheet) {
  sheet->Form_Load();
  bool openWhenAsked = false;
  int asked = 0;
  QObject::connect(sheet, &frmACScore::menuRequested, sheet, [&] {
    ++asked;
    openWhenAsked = sheet->isVisible();
  });
  QTest::mouseClick(sheet->btnMenu(), Qt::LeftButton);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(openWhenAsked);
  EXPECT_FALSE(sheet->isVisible());
  test::runDeferredDeletes();
  EXPECT_TRUE(sheet.isNull()) << "the closed sheet and its state are discarded";
}

}  // namespace
}  // namespace nk
