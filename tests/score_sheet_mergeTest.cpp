// score_sheet_mergeTest.cpp - two windows on one version's sheet: the second
// asks before it loads, and neither save undoes the other's scores.
#include "score_sheet_fixture.h"

namespace nk {
namespace {

class ScoreSheetMerge : public test::ScoreSheetFixture {
protected:
  // AC13 opened from a fresh menu, a question answered with answer: the sheet other than first, or nullptr.
  frmACScore* openBeside(const frmACScore* first, const char* answer) {
    answerNextQuestion(answer);
    showMenu(loadFrom(request.servers, request.fetch.limits))->btnAC13Score()->click();
    test::runDeferredDeletes();
    for (frmACScore* sheet : test::visibleWindows<frmACScore>())
      if (sheet != first) return sheet;
    return nullptr;
  }
};

TEST_F(ScoreSheetMerge, TwoSheetsKeepEachOthersScoresAndNameTheChartsChangedOnBoth) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  frmACScore* a = open(113);
  ASSERT_NE(a, nullptr);
  frmACScore* b = openBeside(a, "続ける");
  ASSERT_NE(b, nullptr);
  const auto line = [&order = a->state().DisplayOrder](size_t row, const char* score) {
    return std::to_string(order[row] + 1) + "," + score + ",0\r\n";
  };
  a->txtScore(2)->setText("700001");
  b->txtScore(3)->setText("800002");
  QTest::mouseClick(a->btnSave(), Qt::LeftButton);
  QTest::mouseClick(b->btnSave(), Qt::LeftButton);
  // Row 4 (曲1) comes before row 3 (曲18) in the file.
  EXPECT_EQ(test::readBytes("ac13score.csv"), line(3, "800002") + line(2, "700001") + "\r\n");
  EXPECT_EQ(b->txtScore(2)->text(), "700001");  // the player sees what was saved
  EXPECT_FALSE(b->hasUnsavedScores());

  // Another program edits row 3; row 4 changed there (by b) and on a.
  test::writeBytes("ac13score.csv", line(3, "800002") + line(2, "700500") + "\r\n");
  a->txtScore(3)->setText("810000");
  QTest::mouseClick(a->btnSave(), Qt::LeftButton);
  EXPECT_EQ(test::readBytes("ac13score.csv"), line(3, "810000") + line(2, "700500") + "\r\n");
  EXPECT_EQ(a->txtScore(2)->text(), "700500");
  ASSERT_EQ(tk.boxes.size(), 4u);
  EXPECT_EQ(tk.boxes[2].text, "保存完了");
  EXPECT_EQ(tk.boxes[3].title, "点数の食い違い");
  EXPECT_EQ(tk.boxes[3].text,
            "次の譜面は、このシートを開いている間に別の画面かプログラムでも点数が変わっていました。"
            "このシートの点数で保存しています。\r\n\r\n曲1（表） 保存した点数 810000、ファイルにあった点数 800002");
}

TEST_F(ScoreSheetMerge, ASecondSheetAsksBeforeItLoadsUnlessTheHolderIsGone) {
  // holderCrashed: the first sheet closed, its lock left as a crash leaves it.
  struct Case { const char* answer; bool holderCrashed, asked, opened; } cases[] = {
      {"続ける", false, true, true}, {"やめる", false, true, false}, {"", true, false, true}};
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    test::destroyAllWindows();
    tk.questions.clear();
    frmACScore* first = open(113);
    ASSERT_NE(first, nullptr);
    if (c.holderCrashed) {
      first->close();
      test::runDeferredDeletes();
      first = nullptr;  // gone: a new sheet may take its address
      test::writeBytes("ac13score.csv.lock", "2147483000\n\n\n");  // a process id no system hands out
    }
    EXPECT_EQ(openBeside(first, c.answer) != nullptr, c.opened);
    EXPECT_EQ(test::visibleWindows<frmMenu>().size(), c.opened ? 0u : 1u);  // declined: the menu stays
    ASSERT_EQ(tk.questions.size(), c.asked ? 1u : 0u);
    if (!c.asked) continue;
    EXPECT_EQ(tk.questions[0].title, "同時に開いています");
    EXPECT_EQ(tk.questions[0].text,
              "AC13 の自己ベストスコアは、別のウィンドウでも開かれています。"
              "続けると、保存のときに別のウィンドウが保存した点数と合わせて保存します。");
    EXPECT_EQ(tk.questions[0].buttons[tk.questions[0].escapeButton], "やめる");
  }
}

}  // namespace
}  // namespace nk
