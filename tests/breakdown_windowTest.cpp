// breakdown_windowTest.cpp - "総合得点の内訳" on real widgets against a loopback
// server: opened by Ctrl+B, live while scores are typed on the sheet, a double
// click on a row leads to the chart's score box, Ctrl+C copies it all; the tab
// "統計" counts, lists a cell's charts and copies its table; the target
// total, its plan and a trial that leaves the sheet's files alone.
#include "ui/breakdown_window.h"
#include "ui/plan_tab.h"
#include "score_sheet_fixture.h"

#include "total/breakdown_text.h"

#include <QInputMethodEvent>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <map>

#include <QClipboard>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>

namespace nk {
namespace {

class BreakdownWindowTest : public test::ScoreSheetFixture {
protected:
  frmACScore* openSheet() { return openRankingSheet(true); }

  // Activation reaches a window on a later pass of the event loop; the
  // window that is active before it may count its owned windows as active.
  static bool becomesActive(QWidget* window) {
    for (int wait = 0; wait < 200 && QApplication::activeWindow() != window; ++wait) QTest::qWait(10);
    return QApplication::activeWindow() == window;
  }

  static std::vector<BreakdownWindow*> windowsOf(frmACScore* sheet) {
    const auto found = sheet->findChildren<BreakdownWindow*>();
    return {found.begin(), found.end()};
  }

  // The row of the level's table (in its sorted order) that shows the title.
  static int rowOf(QTableView* view, const QString& title) {
    for (int r = 0; r < view->model()->rowCount(); ++r)
      if (view->model()->index(r, ColTitle).data().toString() == title) return r;
    return -1;
  }

  // Every file of the working folder with its bytes.
  static std::map<std::string, std::string> files() {
    std::map<std::string, std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator("."))
      if (entry.is_regular_file()) found[entry.path().filename().string()] = test::readBytes(entry.path());
    return found;
  }

  static QStringList rowTexts(QTableView* view, int r) {
    QStringList texts;
    for (int c = 0; c < BreakdownColumns; ++c) texts << view->model()->index(r, c).data().toString();
    return texts;
  }
};

TEST_F(BreakdownWindowTest, FollowsTheScoresTypedOnTheSheet) {
  test::writeBytes("Debug.txt", "");
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  const size_t logLines = test::logMessages().size();
  QTest::keyClick(sheet->txtScore(0), Qt::Key_B, Qt::ControlModifier);
  ASSERT_EQ(windowsOf(sheet).size(), 1u);
  BreakdownWindow* window = windowsOf(sheet)[0];
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_EQ(window->windowTitle(), "総合得点の内訳");
  EXPECT_EQ(window->totalLabel()->text(), "総合得点 0点");
  EXPECT_EQ(window->levelLabel(0)->text(),
            "☆×７　収録曲 30曲／課題曲 22曲　対象合計 0点　最低対象点 0点　入力済み 0曲");
  EXPECT_EQ(window->tabs()->tabText(1), "☆×８");

  QTableView* level7 = window->table(0);
  const int before = rowOf(level7, "曲25");
  ASSERT_EQ(before, 25);  // ranked by the target list among equal scores
  EXPECT_EQ(rowTexts(level7, before), (QStringList{"26", "0", "曲25", "", "", "あと 1点"}));

  // The row leads to the chart's box on the sheet; what is typed there shows at once.
  const QModelIndex cell = level7->model()->index(before, ColTitle);
  level7->scrollTo(cell);
  ASSERT_TRUE(level7->viewport()->rect().contains(level7->visualRect(cell).center()));
  const QPoint at = level7->visualRect(cell).center();
  QTest::mousePress(level7->viewport(), Qt::LeftButton, {}, at);  // the view only takes a double click on
  QTest::mouseRelease(level7->viewport(), Qt::LeftButton, {}, at);  // the row it saw pressed
  QTest::mouseDClick(level7->viewport(), Qt::LeftButton, {}, at);
  ASSERT_TRUE(becomesActive(sheet));
  QWidget* box = QApplication::focusWidget();
  ASSERT_NE(qobject_cast<ScoreBox*>(box), nullptr);
  const int sheetRow = box->objectName().section('_', 1).toInt();
  EXPECT_EQ(sheet->lblSongTitle(sheetRow)->text(), "曲25");
  QTest::keyClicks(box, "1234567");
  QTest::qWait(0);
  EXPECT_EQ(window->totalLabel()->text(), "総合得点 1,234,567点");
  EXPECT_EQ(window->levelLabel(0)->text(),
            "☆×７　収録曲 30曲／課題曲 22曲　対象合計 1,234,567点　最低対象点 0点　入力済み 1曲");
  EXPECT_EQ(rowTexts(level7, 0), (QStringList{"1", "1,234,567", "曲25", "", "対象", ""}));
  EXPECT_EQ(rowTexts(level7, 22), (QStringList{"23", "0", "曲21", "", "", "あと 1点"}));

  // Sorted on a click, numbers as numbers: the scores ascending put 1234567 last.
  level7->sortByColumn(ColScore, Qt::AscendingOrder);
  EXPECT_EQ(rowTexts(level7, 29)[ColTitle], "曲25");
  level7->sortByColumn(ColNeeded, Qt::DescendingOrder);
  EXPECT_EQ(rowTexts(level7, 0)[ColNeeded], "あと 1点");

  QGuiApplication::clipboard()->clear();
  window->activateWindow();
  ASSERT_TRUE(becomesActive(window));
  level7->setFocus();
  QTest::keyClick(level7, Qt::Key_C, Qt::ControlModifier);
  const QStringList copied = QGuiApplication::clipboard()->text().split('\n');
  ASSERT_EQ(copied.size(), 6 + 1 + 40 + 1);  // the last line ends too
  // The clipboard is for a spreadsheet: its digits stay plain, as the CSV's.
  EXPECT_EQ(copied[0], "総合得点 1234567点");
  EXPECT_EQ(copied[2], "☆×８　収録曲 10曲／課題曲 7曲　対象合計 0点　最低対象点 0点　入力済み 0曲");
  EXPECT_EQ(copied[6], "レベル\t順位\t点数\t曲名\t裏\t対象\tあと必要な点数");
  EXPECT_EQ(copied[7], "7\t1\t1234567\t曲25\t\t対象\t");
  EXPECT_EQ(copied[29], "7\t23\t0\t曲21\t\t\t1");
  EXPECT_EQ(copied[46], "8\t10\t0\t曲39\t\t\t1");

  // The log belongs to "合計": nothing of this was written there.
  EXPECT_EQ(test::logMessages().size(), logLines);
}

TEST_F(BreakdownWindowTest, StatisticsTabCountsListsAndCopies) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  QTest::keyClick(sheet->txtScore(0), Qt::Key_B, Qt::ControlModifier);
  ASSERT_EQ(windowsOf(sheet).size(), 1u);
  BreakdownWindow* window = windowsOf(sheet)[0];
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_EQ(window->tabs()->tabText(4), "統計");
  StatisticsTab* tab = window->statisticsTab();
  window->tabs()->setCurrentWidget(tab);
  // Row 0 is ☆×７ 表; columns 2 未入力, 3 1～, 13 平均, 16 あと1万点以内.
  QTableView* table = tab->tableView();
  const auto cell = [table](int column) { return table->model()->index(0, column).data().toString(); };
  EXPECT_EQ((QStringList{cell(2), cell(3), cell(13), cell(16)}), (QStringList{"30", "0", "", "8"}));

  // A click on a count lists its charts; a double click on one shows it on the sheet.
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(0, 2)).center());
  QTableView* list = tab->chartList();
  ASSERT_EQ(list->model()->rowCount(), 30);
  const QModelIndex chart = list->model()->index(25, ChartTitle);  // equal scores in target-list order
  ASSERT_EQ(chart.data().toString(), "曲25");
  QSignalSpy chosen(window, &BreakdownWindow::entryChosen);
  list->scrollTo(chart);
  const QPoint at = list->visualRect(chart).center();
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen[0][0].toInt(), window->model(0)->index(25, 0).data(BreakdownModel::PositionRole).toInt());
  ASSERT_TRUE(becomesActive(sheet));
  QTest::keyClicks(QApplication::focusWidget(), "95000");
  QTest::qWait(0);
  EXPECT_EQ((QStringList{cell(2), cell(3), cell(13), cell(16)}), (QStringList{"29", "1", "95,000", "8"}));
  EXPECT_EQ(list->model()->rowCount(), 29);

  // Ctrl+C copies the table (on the other tabs, the whole breakdown: see above).
  window->activateWindow();
  ASSERT_TRUE(becomesActive(window));
  table->setFocus();
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromStdString(statisticsTabText(tab->table())));
  EXPECT_EQ(window->findChild<QLabel*>("lblBreakdownStatus")->text(), "統計をコピーしました。");
}

TEST_F(BreakdownWindowTest, OneWindowPerSheetGoneWithTheSheet) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  QAction* open = sheet->findChild<QAction*>("actBreakdown");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->text(), "総合得点の内訳…");
  open->trigger();
  ASSERT_EQ(windowsOf(sheet).size(), 1u);
  QPointer<BreakdownWindow> window = windowsOf(sheet)[0];
  window->close();
  sheet->activateWindow();
  QTest::keyClick(sheet->txtScore(3), Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(windowsOf(sheet), std::vector<BreakdownWindow*>{window.data()});
  EXPECT_TRUE(window->isVisible());

  // A failed CSV write is told in a box; the window stays.
  EXPECT_FALSE(window->saveCsvTo("ない/内訳.csv"));
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "保存失敗");
  EXPECT_TRUE(window->saveCsvTo("内訳.csv"));
  EXPECT_EQ(test::readBytes("内訳.csv").substr(0, 3), "\xEF\xBB\xBF");

  sheet->close();
  test::runDeferredDeletes();
  EXPECT_TRUE(window.isNull());
}

TEST_F(BreakdownWindowTest, TargetPlanAndTrialLeaveTheSheetsFilesAlone) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  const std::vector<int16_t> positions = displayPositions(sheet->state());
  EXPECT_EQ(sheet->typeScores({{positions[0], Chart::Normal, 900000}, {positions[1], Chart::Normal, 500000}}), 2);
  EXPECT_EQ(sheet->state().EntryScore[1], 500000);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
  ASSERT_EQ(windowsOf(sheet).size(), 1u);
  BreakdownWindow* window = windowsOf(sheet)[0];
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_EQ(window->targetLabel()->text(), "目標総合得点 未設定");

  // The target: refused with its reason, then kept in its own file.
  EXPECT_FALSE(window->setTargetText("百万"));
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "目標総合得点");
  EXPECT_FALSE(std::filesystem::exists("ac13target.txt"));
  EXPECT_TRUE(window->setTargetText("２，０００，０００"));
  EXPECT_EQ(test::readBytes("ac13target.txt"), "2000000\r\n");
  EXPECT_EQ(window->targetLabel()->text(), "目標総合得点 2,000,000点　目標まで あと 600,000点");
  // One chart closes the gap: the first of the equal raises in target order,
  // no higher than the level's best.
  QTableWidget* plan = window->planTab()->table();
  ASSERT_EQ(plan->rowCount(), 1);
  QStringList planned;
  for (int c = 0; c < PlanColumns; ++c) planned << plan->item(0, c)->text();
  EXPECT_EQ(planned, (QStringList{"☆×７", "曲2", "表", "0", "600,000", "+600,000"}));
  QSignalSpy chosen(window, &BreakdownWindow::chartChosen);
  emit plan->cellDoubleClicked(0, PlanColTitle);
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen[0][0].value<int16_t>(), positions[2]);

  // A trial typed into the level's table: every figure follows it, the sheet does not.
  const auto before = files();
  window->button("btnTrial")->click();
  QTableView* level7 = window->table(0);
  const QModelIndex cell = level7->model()->index(rowOf(level7, "曲25"), ColScore);
  level7->setFocus();
  level7->setCurrentIndex(cell);
  QTest::keyClick(level7, Qt::Key_F2);
  QInputMethodEvent commit;  // as a Japanese input method left on delivers it
  commit.setCommitString("８００，０００");
  QApplication::sendEvent(QApplication::focusWidget(), &commit);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::qWait(0);
  EXPECT_EQ(window->totalLabel()->text(), "総合得点 2,200,000点（試算）");
  EXPECT_EQ(window->targetLabel()->text(), "目標総合得点 2,000,000点　目標達成（200,000点 上回っています）");
  EXPECT_EQ(window->planTab()->summary()->text(), "目標に届いています。");
  // Digits after kana in the window's one face, the bold total's too.
  for (const QLabel* label : {window->totalLabel(), window->targetLabel(), window->planTab()->summary()})
    EXPECT_EQ(QFontInfo(label->font()).family(), test::toolWindowFace()) << label->text().toStdString();
  EXPECT_TRUE(level7->model()->index(rowOf(level7, "曲25"), ColScore).data(Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(sheet->state().EntryScore[25], 0);
  EXPECT_FALSE(window->tryScore(25, "abc"));
  EXPECT_EQ(tk.boxes.back().title, "試算");
  window->button("btnTrialStop")->click();
  EXPECT_EQ(window->totalLabel()->text(), "総合得点 1,400,000点");

  // The plan into a trial, and the trial onto the sheet: typed, not saved.
  window->planTab()->toTrialButton()->click();
  EXPECT_EQ(window->totalLabel()->text(), "総合得点 2,000,000点（試算）");
  EXPECT_EQ(files(), before);
  window->button("btnTrialApply")->click();
  QTest::qWait(0);
  EXPECT_EQ(sheet->state().EntryScore[2], 600000);
  EXPECT_FALSE(window->trial().active());
  EXPECT_EQ(window->totalLabel()->text(), "総合得点 2,000,000点");
  EXPECT_EQ(files(), before);
}

}  // namespace
}  // namespace nk
