// import_windowTest.cpp - the player's data carried on real widgets: the
// sheet's data written into a zip through the file dialog, a zip from
// another PC shown chart by chart before it is read in, the open sheet
// following the file while a typed score stays typed, and a foreign zip
// refused with its reason.
#include "archive/data_zip.h"
#include "score_sheet_fixture.h"
#include "total/breakdown_text.h"
#include "data/page_view.h"
#include "ui/import_dialog.h"

#include <QFileDialog>
#include <QLabel>
#include <QTimer>
#include <QTableWidget>

namespace nk {
namespace {

class ImportWindowTest : public test::ScoreSheetFixture {
protected:
  // Chooses path in the sheet's file dialog that the action opens.
  void chooseFile(frmACScore& sheet, const char* action, const std::string& path) {
    bool chosen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog || dialog->objectName() != "dataFileDialog") return;
      dialog->selectFile(QString::fromStdString((std::filesystem::current_path() / path).string()));
      QMetaObject::invokeMethod(dialog, "accept");
      chosen = true;
    });
    sheet.findChild<QAction*>(action)->trigger();
    ASSERT_TRUE(chosen);
    test::runDeferredDeletes();
  }
};

TEST_F(ImportWindowTest, AZipIsShownChartByChartBeforeTheSheetTakesIt) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  test::writeBytes("ac13score.csv", "1,500000,0\r\n2,300000,0\r\n\r\n");
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  chooseFile(*sheet, "actExportData", "mine.zip");
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_TRUE(tk.boxes[0].text.starts_with("データを書き出しました（ファイル 6 個）。")) << tk.boxes[0].text;
  const ReadDataZip mine = readDataZip(test::readBytes("mine.zip"));
  ASSERT_TRUE(mine.data) << mine.failure;
  EXPECT_EQ(mine.data->files.at("ac13score.csv"), "1,500000,0\r\n2,300000,0\r\n\r\n");

  test::writeBytes("photo.zip", "PK\x03\x04 not really");
  chooseFile(*sheet, "actImportData", "photo.zip");
  EXPECT_EQ(tk.boxes.back().text, "zip ファイルではないか、壊れています。\n読み込んでいません。");

  const int16_t second = displayPositions(sheet->state())[1];
  sheet->showEntry(second);
  sheet->txtScore(rowOfPosition(second))->setText("350000");  // typed, unsaved
  test::writeBytes("other.zip", dataZipBytes({localMomentNow(), {{"ac13score.csv", "1,600000,0\r\n2,400000,0\r\n\r\n"}}}));
  chooseFile(*sheet, "actImportData", "other.zip");
  auto* dialog = sheet->findChild<ImportDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(dialog->summary()->text().indexOf("AC13 点数: 2 譜面を変えます"), -1);
  ASSERT_EQ(dialog->changes()->rowCount(), 2);
  QStringList cells;
  for (int c = 0; c < ImportColumns; ++c) cells << dialog->changes()->item(0, c)->text();
  EXPECT_EQ(cells, (QStringList{"AC13", QString::fromStdString(entryTitle(sheet->state(), 0)), "表", "500,000",
                                "600,000", "高い点数"}));
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,500000,0\r\n2,300000,0\r\n\r\n");  // nothing before the button
  dialog->importButton()->click();
  EXPECT_EQ(tk.boxes.back().text, "データを読み込みました（点数が変わった譜面: 2）。");
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,600000,0\r\n2,400000,0\r\n\r\n");
  EXPECT_EQ(sheet->state().EntryScore[0], 600000);
  EXPECT_EQ(sheet->txtScore(rowOfPosition(second))->text(), "350000");
  EXPECT_TRUE(sheet->hasUnsavedScores());
  QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);  // saved over the import, with no question of a conflict
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,600000,0\r\n2,350000,0\r\n\r\n");
  EXPECT_EQ(tk.boxes.back().title, "保存完了");
}

}  // namespace
}  // namespace nk
