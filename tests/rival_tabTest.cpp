// rival_tabTest.cpp - the breakdown window's tab "ライバル" on real widgets
// against a loopback server: a friend's score file added as a rival, both
// sides in the rival's order, a score typed on the sheet followed at once, a
// double click to the chart, the rival as the target, the copy, and the
// rival removed; the player's score file never written.
#include "ui/breakdown_window.h"
#include "ui/rival_tab.h"
#include "score_sheet_fixture.h"

#include "rival/rival_table.h"
#include "rival/rival_text.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>

#include <filesystem>

namespace nk {
namespace {

using RivalTabTest = test::ScoreSheetFixture;

QStringList titles(const QTableWidget* table) {
  QStringList shown;
  for (int r = 0; r < table->rowCount(); ++r)
    shown << table->item(r, RivalColTitle)->text() + " " + table->item(r, RivalColLead)->text();
  return shown;
}

TEST_F(RivalTabTest, AFriendsScoresBesideTheSheetFollowItAndBecomeTheTarget) {
  frmACScore* sheet = openRankingSheet(true);
  ASSERT_NE(sheet, nullptr);
  const std::vector<int16_t> positions = displayPositions(sheet->state());
  ASSERT_EQ(sheet->typeScores({{positions[0], Chart::Normal, 900000}, {positions[1], Chart::Normal, 500000}}), 2);
  sheet->btnSave()->click();
  const std::string saved = test::readBytes("ac13score.csv");
  // The friend's file: entry numbers from 1, on this PC's lists.
  std::filesystem::create_directory("friend");
  test::writeBytes("friend/ac13score.csv", "1,800000,0\r\n2,600000,0\r\n4,700000,0\r\n");

  // A rivals' folder that cannot be read is told, not taken for no rivals.
  std::filesystem::create_directory("rivals");
  test::writeBytes("rivals/ac13", "");
  QTest::keyClick(sheet->txtScore(0), Qt::Key_B, Qt::ControlModifier);
  auto* window = sheet->findChild<BreakdownWindow*>();
  ASSERT_NE(window, nullptr);
  RivalTab* tab = window->rivalTab();
  EXPECT_EQ(window->tabs()->tabText(window->tabs()->indexOf(tab)), "ライバル");
  EXPECT_FALSE(tab->targetButton()->isEnabled());
  EXPECT_TRUE(tab->noteLabel()->text().startsWith("ライバルのフォルダーを読めません（")) << tab->noteLabel()->text().toStdString();
  std::filesystem::remove("rivals/ac13");

  ASSERT_TRUE(tab->addFrom("friend/ac13score.csv", "たろう"));
  ASSERT_FALSE(tk.boxes.empty());
  EXPECT_EQ(tk.boxes.back().title, RivalAddTitle);
  EXPECT_NE(tk.boxes.back().text.find(onThisPcListsText()), std::string::npos) << tk.boxes.back().text;
  EXPECT_EQ(tab->rivals()->currentText(), "たろう");
  EXPECT_EQ(tab->totalLabel()->text(), "総合得点　あなた 1,400,000点　たろう 2,100,000点　差 +700,000点");
  // The rival's smallest lead first, then the player's.
  EXPECT_EQ(titles(tab->table()), (QStringList{"曲1 +100,000", "曲3 +700,000", "曲0 -100,000"}));

  // A score typed on the sheet: the tab follows it.
  ASSERT_EQ(sheet->typeScores({{positions[3], Chart::Normal, 750000}}), 1);
  QTest::qWait(0);
  EXPECT_EQ(titles(tab->table()), (QStringList{"曲1 +100,000", "曲3 -50,000", "曲0 -100,000"}));

  QSignalSpy chosen(window, &BreakdownWindow::chartChosen);
  emit tab->table()->cellDoubleClicked(0, RivalColTitle);
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen[0][0].value<int16_t>(), positions[1]);

  tab->targetButton()->click();
  EXPECT_EQ(test::readBytes("ac13target.txt"), "2100001\r\n");

  window->tabs()->setCurrentWidget(tab);
  window->button("btnCopy")->click();
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith(tab->totalLabel()->text().remove(',') + "\n")) << copied.toStdString();

  answerNextQuestion("削除");
  EXPECT_TRUE(tab->removeChosen());
  EXPECT_EQ(tab->rivals()->count(), 0);
  EXPECT_EQ(tab->table()->rowCount(), 0);
  EXPECT_FALSE(std::filesystem::exists("rivals/ac13/たろう.txt"));
  EXPECT_EQ(test::readBytes("ac13score.csv"), saved);
}

}  // namespace
}  // namespace nk
