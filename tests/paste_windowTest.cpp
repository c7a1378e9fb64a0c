// paste_windowTest.cpp - scores pasted on real widgets: Ctrl+Shift+V in a
// score box opens the review, a pick decides an ambiguous title, and
// "入力する" types the scores into the boxes, unsaved until 保存.
#include "score_sheet_fixture.h"
#include "total/breakdown_text.h"
#include "data/page_view.h"
#include "input/score_paste.h"
#include "ui/paste_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace nk {
namespace {

class PasteWindowTest : public test::ScoreSheetFixture {};

TEST_F(PasteWindowTest, TheReviewedAndPickedScoresAreTypedUnsaved) {
  // Entries 1 .. 25 are 曲0 .. 曲24; 26 and 27 are two songs called さくら; 28 is ﾄﾞﾝﾄﾞﾝ祭り.
  std::vector<test::Song> songs;
  for (int i = 0; i < 25; ++i) songs.push_back({"曲" + std::to_string(i), "J-POP"});
  songs.push_back({"さくら", "J-POP"});
  songs.push_back({"さくら", "アニメ"});
  songs.push_back({"ﾄﾞﾝﾄﾞﾝ祭り", "アニメ"});
  std::vector<test::Entry> entries;
  for (int i = 0; i < 28; ++i) entries.push_back({i + 1, "abc5efg9"});
  serveMasters(113, songs, entries, {{1, "0"}});
  test::writeBytes("ac13score.csv", "1,1000,0\r\n\r\n");
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
  const ScoreSheetState& s = sheet->state();
  const std::vector<int16_t> positions = displayPositions(s);

  QApplication::clipboard()->setText(QString());
  QTest::keyClick(sheet->txtScore(2), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, PasteTitle);
  EXPECT_EQ(sheet->findChild<PasteDialog*>(), nullptr);

  QApplication::clipboard()->setText(
      QStringLiteral("曲名\t譜面\t点数\r\n曲3\t表\t９８０，０００\r\nどんどん祭り\t裏\t12345\r\nさくら\t表\t777\r\n曲0\t表\t1,000\r\n"));
  QTest::keyClick(sheet->txtScore(2), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  auto* dialog = sheet->findChild<PasteDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
  EXPECT_EQ(dialog->windowTitle(), PasteTitle);
  EXPECT_EQ(dialog->changes()->rowCount(), 2);
  EXPECT_EQ(dialog->summary()->text(), "2 譜面の点数を入力します（保存するまでファイルは変わりません）。1 譜面は今と同じ点数です。"
                                       "曲が決まっていない行が 1 行あります。");
  ASSERT_EQ(dialog->choices()->rowCount(), 1);
  auto* songsBox = qobject_cast<QComboBox*>(dialog->choices()->cellWidget(0, ChoiceColSong));
  ASSERT_NE(songsBox, nullptr);
  ASSERT_EQ(songsBox->count(), 3);
  const int anime = songsBox->findText(QStringLiteral("アニメ"), Qt::MatchContains);
  ASSERT_GT(anime, 0);
  songsBox->setCurrentIndex(anime);
  ASSERT_EQ(dialog->changes()->rowCount(), 3);
  EXPECT_EQ(dialog->changes()->item(2, PasteColTitle)->text(), "さくら");
  EXPECT_EQ(dialog->changes()->item(2, PasteColPasted)->text(), "777");
  EXPECT_EQ(s.EntryScore[3], 0);  // nothing typed before the button

  dialog->typeButton()->click();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(s.EntryScore[3], 980000);
  EXPECT_EQ(s.EntryScoreU[27], 12345);
  EXPECT_EQ(s.EntryScore[26], 777);
  EXPECT_EQ(s.EntryScore[25], 0);  // the other さくら
  EXPECT_EQ(s.EntryScore[0], 1000);
  sheet->showEntry(positions[26]);
  EXPECT_EQ(sheet->txtScore(rowOfPosition(positions[26]))->text(), "777");
  EXPECT_TRUE(sheet->hasUnsavedScores());
  EXPECT_EQ(tk.boxes.back().text, typedFromPasteText(3));
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,1000,0\r\n\r\n");
}

}  // namespace
}  // namespace nk
