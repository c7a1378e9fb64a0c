// backup_windowTest.cpp - going back to a backup on real widgets: the last
// save undone with Ctrl+Alt+Z, a backup chosen from the list after its
// differences are shown; both as typed scores, unsaved until 保存.
#include "score_sheet_fixture.h"
#include "data/display_text.h"
#include "total/breakdown_text.h"
#include "data/page_view.h"
#include "ui/backup_dialog.h"

#include <QTableWidget>

#include <algorithm>

namespace nk {
namespace {

class BackupWindowTest : public test::ScoreSheetFixture {};

TEST_F(BackupWindowTest, TheLastSaveUndoneAndABackupChosenAreTypedScores) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  test::writeBytes("ac13score.csv", "1,500000,0\r\n\r\n");
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));  // the sheet's keys work in the active window
  sheet->findChild<QAction*>("actUndoSave")->trigger();
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].text, NoBackupText);

  const int16_t position = displayPositions(sheet->state())[0];
  sheet->showEntry(position);
  ScoreBox* box = sheet->txtScore(rowOfPosition(position));
  box->setText("650000");
  QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
  ASSERT_EQ(test::readBytes("ac13score.csv"), "1,650000,0\r\n\r\n");

  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(box->text(), "500000");
  EXPECT_EQ(sheet->state().EntryScore[0], 500000);
  EXPECT_TRUE(sheet->hasUnsavedScores());
  EXPECT_EQ(tk.boxes.back().title, "直前の保存を取り消す");
  EXPECT_NE(tk.boxes.back().text.find("の保存前の点数を 1 譜面に入力しました。"), std::string::npos);
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,650000,0\r\n\r\n");
  QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
  ASSERT_EQ(test::readBytes("ac13score.csv"), "1,500000,0\r\n\r\n");

  // The newest backup holds 650,000 now: the list says so before anything changes.
  sheet->findChild<QAction*>("actRestoreBackup")->trigger();
  auto* dialog = sheet->findChild<BackupDialog*>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(dialog->list()->rowCount(), 2);
  EXPECT_EQ(dialog->list()->item(0, BackupColDiffering)->text(), "1 譜面");
  EXPECT_EQ(dialog->list()->item(1, BackupColDiffering)->text(), "0 譜面");
  ASSERT_EQ(dialog->differences()->rowCount(), 1);
  QStringList cells;
  for (int c = 0; c < DifferenceColumns; ++c) cells << dialog->differences()->item(0, c)->text();
  EXPECT_EQ(cells[DiffColChart], "表");
  EXPECT_EQ(cells.mid(DiffColNow), (QStringList{"500,000", "650,000"}));
  EXPECT_EQ(sheet->state().EntryScore[0], 500000);
  dialog->list()->setCurrentCell(1, 0);
  EXPECT_FALSE(dialog->restoreButton()->isEnabled());  // the same as the sheet: nothing to put back
  dialog->list()->setCurrentCell(0, 0);
  dialog->restoreButton()->click();
  EXPECT_EQ(sheet->state().EntryScore[0], 650000);
  EXPECT_TRUE(sheet->hasUnsavedScores());
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,500000,0\r\n\r\n");
}

// A backup that differs in one chart only, chosen from the list: a 裏 chart
// goes back into its own box, not the 表 box beside it; the chart shown
// first on the sheet (display position 0) is typed like any other.
TEST_F(BackupWindowTest, ABackupsOnlyDifferenceIsTypedIntoItsOwnBox) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  test::writeBytes("ac13score.csv", "2,200000,300000\r\n\r\n");
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  const std::vector<int16_t> positions = displayPositions(sheet->state());
  const auto first = static_cast<size_t>(std::find(positions.begin(), positions.end(), 0) - positions.begin());
  ASSERT_LT(first, positions.size());
  ASSERT_NE(first, 0u);  // entry order is not display order: the test tells them apart
  struct Case {
    const char* name;
    size_t entry;
    bool ura;
    const char* mark;  // in the differences' list
  } cases[] = {
      {"a 裏 chart (entry 2 has both)", 1, true, "裏"},
      {"the 表 chart beside it", 1, false, "表"},
      {"the chart shown first", first, false, "表"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int16_t position = positions[c.entry];
    const int32_t before = (c.ura ? sheet->state().EntryScoreU : sheet->state().EntryScore)[c.entry];
    const int32_t other = (c.ura ? sheet->state().EntryScore : sheet->state().EntryScoreU)[c.entry];
    sheet->showEntry(position);
    const int row = rowOfPosition(position);
    ScoreBox* box = c.ura ? sheet->txtScoreU(row) : sheet->txtScore(row);
    ScoreBox* beside = c.ura ? sheet->txtScore(row) : sheet->txtScoreU(row);
    box->setText("777777");
    QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);

    sheet->findChild<QAction*>("actRestoreBackup")->trigger();
    auto* dialog = sheet->findChild<BackupDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->differences()->rowCount(), 1);
    EXPECT_EQ(dialog->differences()->item(0, DiffColChart)->text(), c.mark);
    EXPECT_EQ(dialog->differences()->item(0, DiffColThen)->text(), QString::fromStdString(groupedDecimal(before)));
    dialog->restoreButton()->click();
    test::runDeferredDeletes();
    EXPECT_EQ(box->text(), QString::number(before));
    EXPECT_EQ(beside->text(), QString::number(other));
    EXPECT_EQ((c.ura ? sheet->state().EntryScoreU : sheet->state().EntryScore)[c.entry], before);
    EXPECT_EQ((c.ura ? sheet->state().EntryScore : sheet->state().EntryScoreU)[c.entry], other);
    EXPECT_NE(tk.boxes.back().text.find("の保存前の点数を 1 譜面に入力しました。"), std::string::npos);
    QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
    EXPECT_EQ(test::readBytes("ac13score.csv"), "2,200000,300000\r\n\r\n");
  }
}

}  // namespace
}  // namespace nk
