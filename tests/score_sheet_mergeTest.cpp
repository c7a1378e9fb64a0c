// score_sheet_mergeTest.cpp - two windows on one version's sheet: the second
// is told before it loads, and neither save undoes the other's scores.
#include "score_sheet_fixture.h"

namespace nk {
namespace {

namespace fs = std::filesystem;

class ScoreSheetMerge : public test::ScoreSheetFixture {
protected:
  void SetUp() override {
    ScoreSheetFixture::SetUp();
    serveMasters(113, demoSongs, demoEntries, demoTargets);
  }

  // Opens AC13 from a fresh menu beside the sheets already open; returns
  // the new sheet, or nullptr when none was opened.
  frmACScore* openBeside(const std::vector<frmACScore*>& open) {
    frmMenu* menu = showMenu(frmACScore::loadFrom(request.servers, request.fetch.limits));
    QTest::mouseClick(menu->btnAC13Score(), Qt::LeftButton);
    test::runDeferredDeletes();
    for (frmACScore* sheet : test::visibleWindows<frmACScore>())
      if (std::find(open.begin(), open.end(), sheet) == open.end()) return sheet;
    return nullptr;
  }
};

TEST_F(ScoreSheetMerge, TwoSheetsKeepEachOthersScoresAndNameTheChartsChangedOnBoth) {
  frmACScore* a = open(113);
  ASSERT_NE(a, nullptr);
  answerNextQuestion("続ける");
  frmACScore* b = openBeside({a});
  ASSERT_NE(b, nullptr);
  const auto& order = a->state().DisplayOrder;
  const auto line = [&order](size_t row, const char* score) { return std::to_string(order[row] + 1) + "," + score + ",0\r\n"; };
  a->txtScore(2)->setText("700001");
  b->txtScore(3)->setText("800002");
  QTest::mouseClick(a->btnSave(), Qt::LeftButton);
  QTest::mouseClick(b->btnSave(), Qt::LeftButton);
  // Row 4 (曲1) comes before row 3 (曲18) in the file.
  EXPECT_EQ(test::readBytes("ac13score.csv"), line(3, "800002") + line(2, "700001") + "\r\n");
  EXPECT_EQ(b->txtScore(2)->text(), "700001");  // the player sees what was saved
  EXPECT_FALSE(b->hasUnsavedScores());

  // Another program edits the file; a chart changed there and on the sheet.
  test::writeBytes("ac13score.csv", line(3, "800002") + line(2, "700500") + "\r\n");
  a->txtScore(3)->setText("810000");
  QTest::mouseClick(a->btnSave(), Qt::LeftButton);
  EXPECT_EQ(test::readBytes("ac13score.csv"), line(3, "810000") + line(2, "700500") + "\r\n");
  EXPECT_EQ(a->txtScore(2)->text(), "700500");
  ASSERT_EQ(tk.boxes.size(), 4u);
  EXPECT_EQ(tk.boxes[2].text, "保存完了");
  EXPECT_EQ(tk.boxes[3].title, "点数の食い違い");
  EXPECT_EQ(tk.boxes.back().text,
            "次の譜面は、このシートを開いている間に別の画面かプログラムでも点数が変わっていました。"
            "このシートの点数で保存しています。\r\n\r\n曲1（表） 保存した点数 810000、ファイルにあった点数 800002");
}

TEST_F(ScoreSheetMerge, ASecondSheetAsksBeforeItLoads) {
  struct Case {
    const char* name;
    std::function<void()> before;  // with the first sheet open
    const char* answer;
    bool asked;
    bool opened;
  } cases[] = {
      {"held, go on", [] {}, "続ける", true, true},
      {"held, stay away", [] {}, "やめる", true, false},
      {"first sheet closed", [] { test::visibleWindows<frmACScore>()[0]->close(); }, "", false, true},
      {"left by a copy that crashed",
       [] {
         test::visibleWindows<frmACScore>()[0]->close();
         test::writeBytes("ac13score.csv.lock", "2147483000\n\n\n");
       },
       "", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::destroyAllWindows();
    fs::remove("ac13score.csv.lock");
    tk.questions.clear();
    tk.answers.clear();
    frmACScore* first = open(113);
    ASSERT_NE(first, nullptr);
    c.before();
    test::runDeferredDeletes();
    answerNextQuestion(c.answer);
    const auto open = test::visibleWindows<frmACScore>();
    const bool opened = openBeside(open) != nullptr;
    EXPECT_EQ(opened, c.opened);
    EXPECT_EQ(test::visibleWindows<frmMenu>().size(), c.opened ? 0u : 1u);
    ASSERT_EQ(tk.questions.size(), c.asked ? 1u : 0u);
    if (!c.asked) continue;
    const Question& q = tk.questions[0];
    EXPECT_EQ(q.title, "同時に開いています");
    EXPECT_EQ(q.text,
              "AC13 の自己ベストスコアは、別のウィンドウでも開かれています。"
              "続けると、保存のときに別のウィンドウが保存した点数と合わせて保存します。");
    EXPECT_EQ(q.buttons[q.escapeButton], "やめる");
  }
}

}  // namespace
}  // namespace nk
