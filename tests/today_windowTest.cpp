// today_windowTest.cpp - "今日の成果" on real widgets against a loopback
// server: Ctrl+T opens one window per sheet, a save shows up in it and a typed
// score does not, the card is painted and saved as PNG, a failed save is told.
#include "ui/today_window.h"
#include "score_sheet_fixture.h"
#include "ui/today_card.h"

#include "rival/rival_steps.h"

#include <QImageReader>
#include <QSet>

namespace nk {
namespace {

class TodayWindowTest : public test::ScoreSheetFixture {
protected:
  frmACScore* openSheet() { return openRankingSheet(false); }
};

TEST_F(TodayWindowTest, SavedProgressAsWindowAndCard) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  // Kept rivals: the day's save passes one, stays below one and ties one.
  for (const auto& [name, scores] : {std::pair{"たろう", "1,500000,0\r\n"}, std::pair{"はなこ", "1,1000000,0\r\n"},
                                     std::pair{"じろう", "1,912345,0\r\n"}}) {
    test::writeBytes("friend.csv", scores);
    ASSERT_TRUE(addRival("friend.csv", name, sheet->state()).ok) << name;
  }
  sheet->txtScore(0)->setText("912345");
  QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
  sheet->txtScore(1)->setText("800000");  // typed, not saved

  QTest::keyClick(sheet->txtScore(1), Qt::Key_T, Qt::ControlModifier);
  const auto windows = sheet->findChildren<TodayWindow*>();
  ASSERT_EQ(windows.size(), 1);
  TodayWindow* window = windows[0];
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "今日の成果");
  EXPECT_EQ(window->progress().totalLine, "総合得点 0点 → 912,345点（+912,345）");
  EXPECT_TRUE(window->details()->toPlainText().contains("曲0　0 → 912,345　+912,345"));
  EXPECT_TRUE(window->details()->toPlainText().endsWith("\nライバル たろう を抜きました\n"));

  // Kana and the digits after them in one face, one with both scripts.
  EXPECT_EQ(QFontInfo(window->details()->font()).family(), test::toolWindowFace());

  // Opened again: the same window, which has read the log once more.
  window->close();
  sheet->findChild<QAction*>("actToday")->trigger();
  EXPECT_EQ(sheet->findChildren<TodayWindow*>().size(), 1);
  EXPECT_TRUE(window->isVisible());

  const QImage& card = window->card();
  EXPECT_EQ(card.size(), QSize(TodayCardWidth, TodayCardHeight));
  QSet<QRgb> colours;
  for (int y = 0; y < card.height(); y += 7)
    for (int x = 0; x < card.width(); x += 7) colours.insert(card.pixel(x, y));
  EXPECT_GT(colours.size(), 50);  // a gradient and antialiased text, not a blank fill

  // A folder that does not exist: a box and no file; then a real save.
  EXPECT_FALSE(window->saveCardTo("ない/今日.png"));
  ASSERT_EQ(tk.boxes.size(), 2u);  // "保存完了", then this one
  EXPECT_EQ(tk.boxes[1].title, "保存失敗");
  EXPECT_NE(tk.boxes[1].text.find("画像は保存されていません"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(test::utf8Path("ない")));
  ASSERT_TRUE(window->saveCardTo("今日.png"));
  QImageReader reader(QStringLiteral("今日.png"));
  EXPECT_EQ(reader.format(), "png");
  EXPECT_EQ(reader.read().size(), QSize(TodayCardWidth, TodayCardHeight));
}

}  // namespace
}  // namespace nk
