// sr_listTest.cpp - the ranking targets: chart flags, levels, entry numbers, limits.
#include "data/sr_list.h"
#include "failure_of.h"
#include "log_fixture.h"

namespace nk {
namespace {

using Strings = std::vector<std::string>;
using Numbers = std::vector<int16_t>;

class SRList : public test::LoggedWorkDirTest {};

// n entries; entry k (1-based) is song k titled "S<k>", normal level k % 10,
// 裏 level 9; entry 12 has normal 8 and no 裏 chart.
ScoreSheetState entries(int n) {
  ScoreSheetState s;
  for (int k = 1; k <= n; ++k) {
    s.SongTitles.push_back("S" + std::to_string(k));
    s.EntrySongNo.push_back(static_cast<int16_t>(k));
    s.EntryDifficulty.push_back(static_cast<int16_t>(k == 12 ? 8 : k % 10));
    s.EntryDifficultyU.push_back(k == 12 ? LevelNoChart : 9);
  }
  s.SongCount = s.EntryCount = static_cast<int16_t>(n);
  return s;
}

TEST_F(SRList, ChartFlagComparesAsANumber) {
  ScoreSheetState s = entries(12);
  parseSRList(debugLog, s, "<>12<>0<>x<>12<>1<>x<>12<>2<>x<>12<><>x<>12<>1.0<>x<>12<> 1<>x<>12<>01<>x<>12<>1x<>x<>12<>abc");
  EXPECT_EQ(s.TargetEntryNo, Numbers(9, 12));
  EXPECT_EQ(s.TargetIsUra, (std::vector<bool>{false, true, false, false, true, true, true, true, false}));
  EXPECT_EQ(s.TargetDifficulty, (Numbers{8, LevelNoChart, 8, 8, LevelNoChart, LevelNoChart, LevelNoChart,
                                         LevelNoChart, 8}));
  EXPECT_EQ(s.TargetCount, 9);
  EXPECT_EQ(s.TargetScore, std::vector<int32_t>(9, 0));
}

TEST_F(SRList, EntryNumbersFollowTheVersionList) {
  ScoreSheetState s = entries(3);
  s.EntrySongNo = {3, 1, 2};  // entry 1 is song 3
  s.DisplayOrder = {2, 1, 0};
  parseSRList(debugLog, s, "<>1<>0<>x<> 2.5<>1<>x<>3<>0");
  EXPECT_EQ(s.TargetEntryNo, (Numbers{1, 2, 3}));
  EXPECT_EQ(log(), (Strings{"曲番号0: S3(☆×1)", "曲番号1: S1(☆×9)", "曲番号2: S2(☆×3)"}));
}

TEST_F(SRList, FailuresDescribeFileAndRecord) {
  struct Case {
    const char* text;
    std::string description;
  } cases[] = {
      {"", "srlist.dat に対象曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"},
      {"12 1", "srlist.dat に対象曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"},
      {"<>12", "srlist.dat に対象曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"},
      {"<>0<>1", "srlist.dat の 1 件目: 曲番号 0 はバージョン曲リストの 12 曲の範囲外です。"},
      {"<>1<>0<>x<>13<>1", "srlist.dat の 2 件目: 曲番号 13 はバージョン曲リストの 12 曲の範囲外です。"},
      {"<>-40000<>1", "srlist.dat の 1 件目: 曲番号「-40000」が 16 ビット整数の範囲（-32768～32767）を超えています。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ScoreSheetState s = entries(12);
    EXPECT_EQ(test::failureOf([&] { parseSRList(debugLog, s, c.text); }), c.description);
  }
}

TEST_F(SRList, ReadsTheFileWithLogsStatusAndYields) {
  test::writeBytes("srlist.dat", test::toCp932("<>12<>0<>\r\n<>12<>1<>"));
  ScoreSheetState s = entries(12);
  s.SongTitles[11] = "夏祭り";
  ReadSRList(debugLog, s);
  EXPECT_EQ(s.TargetIsUra, (std::vector<bool>{false, true}));
  EXPECT_EQ(log(), (Strings{"スコアランキング対象曲リスト展開開始", "曲番号0: 夏祭り(☆×8)", "曲番号1: 夏祭り(☆×-10)",
                            "スコアランキング対象曲リスト展開終了"}));
  EXPECT_EQ(tk.calls, (Strings{"status:スコアランキング対象曲リストを展開中です", "yield", "yield"}));
}

TEST_F(SRList, MostTargetsTheElementCounterReaches) {
  silenceLog();
  auto targets = [](int n) {
    std::string text;
    for (int k = 0; k < n; ++k) text += "<>1<>1<>x";
    return text;
  };
  ScoreSheetState s = entries(1);
  parseSRList(debugLog, s, targets(10922));
  EXPECT_EQ(s.TargetCount, 10922);
  EXPECT_EQ(tk.yields, 10922);
  ScoreSheetState t = entries(1);
  EXPECT_EQ(test::failureOf([&] { parseSRList(debugLog, t, targets(10923)); }),
            "srlist.dat は項目が多すぎて読み込めません（10923 件目で項目の番号が 32767 を超えました）。");
}

}  // namespace
}  // namespace nk
