// total_scoreTest.cpp - quotas, best charts per level, result text, logs.
#include "log_fixture.h"
#include "total/total_score.h"
#include "sheet_builder.h"

namespace nk {
namespace {

using Strings = std::vector<std::string>;
using Quotas = PerCountedLevel;

struct Target {
  std::string title;
  int16_t level;
  int32_t score;
  bool ura = false;
};

// One entry and one song per target, so that each target has its own title.
// A 裏 target's entry holds a different normal score, which must not be taken.
ScoreSheetState sheetOf(const std::vector<Target>& targets) {
  test::SheetBuilder sheet;
  for (size_t i = 0; i < targets.size(); ++i) {
    const Target& t = targets[i];
    sheet.entry({.title = t.title, .score = t.ura ? -777 : t.score, .scoreU = t.ura ? t.score : -777});
    sheet.target(static_cast<int16_t>(i + 1), chartOf(t.ura), t.level);
  }
  return sheet.build();
}

std::string chart(int64_t score, const std::string& title) { return std::to_string(score) + "点 " + title + "\r\n"; }

TEST(RankingQuotas, SharedOutAndCapped) {
  const std::pair<Quotas, Quotas> cases[] = {
      {{10, 10, 10, 10}, {7, 7, 7, 9}},  {{20, 20, 20, 1}, {9, 9, 9, 1}},  {{12, 9, 6, 3}, {12, 9, 6, 3}},
      {{11, 11, 11, 11}, {7, 7, 7, 9}},  {{1, 1, 1, 27}, {1, 1, 1, 27}},    {{100, 1, 1, 1}, {29, 0, 0, 1}},
      // beyond the well-formed case: no target at all, an empty level, fewer than 30
      {{0, 0, 0, 0}, {0, 0, 0, 0}},      {{10, 10, 10, 0}, {10, 10, 10, 0}}, {{20, 0, 10, 10}, {15, 0, 7, 8}},
      {{2, 1, 0, 1}, {2, 1, 0, 1}},      {{5, 5, 5, 5}, {5, 5, 5, 5}},       {{0, 0, 0, 31}, {0, 0, 0, 30}},
      {{1, 1, 1, 40}, {0, 0, 0, 30}},    {{1200, 0, 0, 0}, {30, 0, 0, 0}},   {{0, 29, 0, 0}, {0, 29, 0, 0}},
  };
  for (const auto& [counts, quotas] : cases)
    EXPECT_EQ(rankingQuotas(counts), quotas) << counts[0] << '/' << counts[1] << '/' << counts[2] << '/' << counts[3];
}

TEST(TotalScore, TenTargetsPerLevel) {
  // Levels interleaved in the target list, with targets that count nowhere among them.
  const int32_t a[] = {500, 900, 500, 0, 700, 500, 500, 500, 500, 950};
  std::vector<Target> targets;
  for (int k = 0; k < 10; ++k) {
    const std::string n = std::to_string(k);
    targets.push_back({"A" + n, 7, a[k], k == 9});
    targets.push_back({"B" + n, 8, 10 * k});
    targets.push_back({"C" + n, 9, 100});
    targets.push_back({"D" + n, 10, k == 0 ? -5 : 1000 + k});
    if (k == 4) targets.push_back({"六", 6, 99999});
    if (k == 5) targets.push_back({"無", LevelNoChart, 88888, true});
  }
  const TotalScoreResult r = calculateTotalScore(sheetOf(targets));
  EXPECT_EQ(r.counts, (Quotas{10, 10, 10, 10}));
  EXPECT_EQ(r.quotas, (Quotas{7, 7, 7, 9}));
  std::string expected = "☆×７　総合対象曲\r\n" + chart(950, "A9") + chart(900, "A1") + chart(700, "A4") +
                         chart(500, "A0") + chart(500, "A2") + chart(500, "A5") + chart(500, "A6") +
                         "☆×８　総合対象曲\r\n";
  for (int k = 9; k >= 3; --k) expected += chart(10 * k, "B" + std::to_string(k));
  expected += "☆×９　総合対象曲\r\n";
  for (int k = 0; k <= 6; ++k) expected += chart(100, "C" + std::to_string(k));
  expected += "☆×10　総合対象曲\r\n";
  for (int k = 9; k >= 1; --k) expected += chart(1000 + k, "D" + std::to_string(k));
  expected += "総合得点 14715点\r\n";
  EXPECT_EQ(r.resultText, expected);
  EXPECT_EQ(r.total, 14715);

  ASSERT_EQ(r.logBefore.size(), 1u + 42u + 4u);
  EXPECT_EQ(r.logBefore[0], "総合点計算処理　開始");
  EXPECT_EQ(r.logBefore[1], "A0: 500点");
  EXPECT_EQ(r.logBefore[4], "D0: -5点");
  EXPECT_EQ(r.logBefore[21], "六: 99999点");
  EXPECT_EQ(r.logBefore[26], "無(裏): 88888点");
  EXPECT_EQ(r.logBefore[39], "A9(裏): 950点");
  EXPECT_EQ(Strings(r.logBefore.end() - 4, r.logBefore.end()),
            (Strings{"☆×７　収録曲10曲／課題曲7曲", "☆×８　収録曲10曲／課題曲7曲", "☆×９　収録曲10曲／課題曲7曲",
                     "☆×10　収録曲10曲／課題曲9曲"}));
  EXPECT_EQ(r.logAfter, (Strings{"総合点 14715点", "総合点計算処理　終了"}));
  EXPECT_EQ(r.targetScores[38], 950);
  EXPECT_EQ(r.targetScores[20], 99999);
}

TEST(TotalScore, LevelTenShortAndExactlyThirty) {
  struct Case {
    int counts[4];
    Quotas quotas;
  } cases[] = {{{20, 20, 20, 1}, {9, 9, 9, 1}}, {{12, 9, 6, 3}, {12, 9, 6, 3}}};
  for (const Case& c : cases) {
    std::vector<Target> targets;
    int64_t every = 0;
    for (int l = 0; l < 4; ++l)
      for (int k = 0; k < c.counts[l]; ++k) {
        targets.push_back({"T", static_cast<int16_t>(7 + l), 10 * k + l});
        every += 10 * k + l;
      }
    const TotalScoreResult r = calculateTotalScore(sheetOf(targets));
    EXPECT_EQ(r.quotas, c.quotas);
    const auto lines = std::count(r.resultText.begin(), r.resultText.end(), '\n');
    EXPECT_EQ(lines, 5 + c.quotas[0] + c.quotas[1] + c.quotas[2] + c.quotas[3]);
    if (c.counts[0] == 12) {
      EXPECT_EQ(r.total, every);  // every target counts
    }
  }
}

TEST(TotalScore, AnEntryCountedTwice) {
  ScoreSheetState s = sheetOf({{"表裏", 7, 0}, {"X", 8, 0}});
  s.EntryScore[0] = 100;
  s.EntryScoreU[0] = 200;
  s.TargetEntryNo[1] = 1;  // the same entry's 裏 chart, at level 8
  s.TargetIsUra[1] = true;
  const TotalScoreResult r = calculateTotalScore(s);
  EXPECT_EQ(r.counts, (Quotas{1, 1, 0, 0}));
  EXPECT_EQ(Strings(r.logBefore.begin() + 1, r.logBefore.begin() + 3), (Strings{"表裏: 100点", "表裏(裏): 200点"}));
  EXPECT_EQ(r.resultText, "☆×７　総合対象曲\r\n100点 表裏\r\n☆×８　総合対象曲\r\n200点 表裏\r\n"
                          "☆×９　総合対象曲\r\n☆×10　総合対象曲\r\n総合得点 300点\r\n");
}

TEST(TotalScore, OutsideTheWellFormedCase) {
  struct Case {
    const char* name;
    std::vector<Target> targets;
    std::string text;
    Strings headings;
  } cases[] = {
      {"no target at all", {},
       "☆×７　総合対象曲\r\n☆×８　総合対象曲\r\n☆×９　総合対象曲\r\n☆×10　総合対象曲\r\n総合得点 0点\r\n",
       {"☆×７　収録曲0曲／課題曲0曲", "☆×８　収録曲0曲／課題曲0曲", "☆×９　収録曲0曲／課題曲0曲",
        "☆×10　収録曲0曲／課題曲0曲"}},
      {"only levels that count nowhere", {{"六", 6, 5}, {"謎", LevelUnknown, 7}},
       "☆×７　総合対象曲\r\n☆×８　総合対象曲\r\n☆×９　総合対象曲\r\n☆×10　総合対象曲\r\n総合得点 0点\r\n",
       {"☆×７　収録曲0曲／課題曲0曲", "☆×８　収録曲0曲／課題曲0曲", "☆×９　収録曲0曲／課題曲0曲",
        "☆×10　収録曲0曲／課題曲0曲"}},
      {"fewer than 30, level 9 empty", {{"a", 7, 10}, {"b", 10, 40}, {"c", 8, 30}, {"d", 7, 20}},
       "☆×７　総合対象曲\r\n20点 d\r\n10点 a\r\n☆×８　総合対象曲\r\n30点 c\r\n☆×９　総合対象曲\r\n"
       "☆×10　総合対象曲\r\n40点 b\r\n総合得点 100点\r\n",
       {"☆×７　収録曲2曲／課題曲2曲", "☆×８　収録曲1曲／課題曲1曲", "☆×９　収録曲0曲／課題曲0曲",
        "☆×10　収録曲1曲／課題曲1曲"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TotalScoreResult r = calculateTotalScore(sheetOf(c.targets));
    EXPECT_EQ(r.resultText, c.text);
    EXPECT_EQ(Strings(r.logBefore.end() - 4, r.logBefore.end()), c.headings);
    EXPECT_EQ(r.logBefore.size(), 1 + c.targets.size() + 4);
  }
}

TEST(TotalScore, EmptyLevelsBesideThirtyTargets) {
  // 31 targets of level 7 only: level 7 takes all 30 places, the others none.
  std::vector<Target> targets;
  for (int k = 0; k <= 30; ++k) targets.push_back({"曲" + std::to_string(k), 7, k});
  const TotalScoreResult r = calculateTotalScore(sheetOf(targets));
  std::string expected = "☆×７　総合対象曲\r\n";
  for (int k = 30; k >= 1; --k) expected += chart(k, "曲" + std::to_string(k));
  expected += "☆×８　総合対象曲\r\n☆×９　総合対象曲\r\n☆×10　総合対象曲\r\n総合得点 465点\r\n";
  EXPECT_EQ(r.resultText, expected);
  EXPECT_EQ(Strings(r.logBefore.end() - 4, r.logBefore.end()),
            (Strings{"☆×７　収録曲31曲／課題曲30曲", "☆×８　収録曲0曲／課題曲0曲", "☆×９　収録曲0曲／課題曲0曲",
                     "☆×10　収録曲0曲／課題曲0曲"}));
}

TEST(TotalScore, WideCountsAndTotal) {
  std::vector<Target> many(1200, Target{"多", 7, 1});
  many[1199].score = 5;
  TotalScoreResult r = calculateTotalScore(sheetOf(many));
  EXPECT_EQ(r.quotas, (Quotas{30, 0, 0, 0}));
  EXPECT_EQ(r.total, 34);
  EXPECT_EQ(r.logBefore[1201], "☆×７　収録曲1200曲／課題曲30曲");

  std::vector<Target> rich(30, Target{"満点", 8, 2000000000});
  r = calculateTotalScore(sheetOf(rich));
  EXPECT_EQ(r.total, 60000000000);
  EXPECT_NE(r.resultText.find("\r\n総合得点 60000000000点\r\n"), std::string::npos);
  EXPECT_EQ(r.logAfter[0], "総合点 60000000000点");
}

class ShowTotalScore : public test::LoggedWorkDirTest {};

// Notes how many log lines exist when the box is shown.
class BoxWatcher : public test::RecordingToolkit {
public:
  void messageBox(const std::string& text, const std::string& title, MsgIcon icon) override {
    logLinesAtBox = test::logMessages().size();
    RecordingToolkit::messageBox(text, title, icon);
  }
  size_t logLinesAtBox = 0;
};

TEST_F(ShowTotalScore, LogsAroundTheBoxAndStoresTargetScores) {
  BoxWatcher watcher;
  ScopedToolkit installed{watcher};
  ScoreSheetState s = sheetOf({{"甲", 7, 300}, {"乙", 10, 400, true}});
  showTotalScore(debugLog, s);
  EXPECT_EQ(s.TargetScore, (std::vector<int32_t>{300, 400}));
  ASSERT_EQ(watcher.boxes.size(), 1u);
  EXPECT_EQ(watcher.boxes[0].title, "総合得点");
  EXPECT_EQ(watcher.boxes[0].icon, MsgIcon::None);
  EXPECT_EQ(watcher.boxes[0].text, "☆×７　総合対象曲\r\n300点 甲\r\n☆×８　総合対象曲\r\n☆×９　総合対象曲\r\n"
                                   "☆×10　総合対象曲\r\n400点 乙\r\n総合得点 700点\r\n");
  EXPECT_EQ(watcher.logLinesAtBox, 7u);
  EXPECT_EQ(log(), (Strings{"総合点計算処理　開始", "甲: 300点", "乙(裏): 400点", "☆×７　収録曲1曲／課題曲1曲",
                            "☆×８　収録曲0曲／課題曲0曲", "☆×９　収録曲0曲／課題曲0曲",
                            "☆×10　収録曲1曲／課題曲1曲", "総合点 700点", "総合点計算処理　終了"}));

  s.EntryScoreU[1] = 1;  // a later press takes the changed score
  showTotalScore(debugLog, s);
  EXPECT_EQ(s.TargetScore, (std::vector<int32_t>{300, 1}));
}

}  // namespace
}  // namespace nk
