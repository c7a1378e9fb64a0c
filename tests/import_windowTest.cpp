// import_windowTest.cpp - the player's data carried on real widgets: the
// sheet's data written into a zip through the file dialog, a zip from
// another PC shown chart by chart before it is read in, the open sheet
// following the file while a typed score stays typed, and a foreign zip
// refused with its reason; the sheet as it stands written for the phone.
#include "archive/data_zip.h"
#include "data/target_total.h"
#include "score_sheet_fixture.h"
#include "total/breakdown_text.h"
#include "data/page_view.h"
#include "ui/import_dialog.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTableWidget>

namespace nk {
namespace {

class ImportWindowTest : public test::ScoreSheetFixture {
protected:
  // Chooses path in the sheet's file dialog that the action opens.
  void chooseFile(frmACScore& sheet, const char* action, const std::string& path,
                  const char* dialogName = "dataFileDialog") {
    bool chosen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog || dialog->objectName() != dialogName) return;
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

TEST_F(ImportWindowTest, ThePhonePageHoldsTheSheetAsItStandsAndItsTarget) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  test::writeBytes("ac13score.csv", "1,500000,0\r\n2,300000,0\r\n\r\n");
  ASSERT_TRUE(saveTargetTotal(13, 2000000).ok);
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  const int16_t second = displayPositions(sheet->state())[1];
  sheet->showEntry(second);
  sheet->txtScore(rowOfPosition(second))->setText("350000");  // typed, unsaved
  chooseFile(*sheet, "actPhonePage", "pocket.html", "phonePageDialog");
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_TRUE(tk.boxes[0].text.starts_with("スマホ用のページを書き出しました。\n")) << tk.boxes[0].text;
  const std::string page = test::readBytes("pocket.html");
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
  EXPECT_NE(page.find("\"target\":2000000,"), std::string::npos);
  EXPECT_NE(page.find(",350000,"), std::string::npos);
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,500000,0\r\n2,300000,0\r\n\r\n");

  test::writeBytes("kept.html", "mine");
  std::filesystem::permissions("kept.html", std::filesystem::perms::owner_read);  // read-only
  QTimer replace;  // answers the dialog's question whether to replace the file there
  QObject::connect(&replace, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->button(QMessageBox::Yes)->click();
  });
  replace.start(20);
  chooseFile(*sheet, "actPhonePage", "kept.html", "phonePageDialog");
  EXPECT_EQ(test::readBytes("kept.html"), "mine");
  EXPECT_TRUE(tk.boxes.back().text.starts_with("スマホ用のページを書き出せませんでした。\n")) << tk.boxes.back().text;
  EXPECT_EQ(tk.boxes.back().icon, MsgIcon::Exclamation);
}

}  // namespace
}  // namespace nk
