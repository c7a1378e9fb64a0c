// score_fileTest.cpp - the personal score file: lines, rounding, failures, logs.
#include "data/score_file.h"
#include "failure_of.h"
#include "log_fixture.h"

namespace nk {
namespace {

using Scores = std::vector<int32_t>;
using Strings = std::vector<std::string>;

class ScoreFile : public test::LoggedWorkDirTest {};

ScoreSheetState withEntries(int n) {
  ScoreSheetState s;
  s.EntryCount = static_cast<int16_t>(n);
  s.EntryScore.assign(static_cast<size_t>(n), 0);
  s.EntryScoreU.assign(static_cast<size_t>(n), 0);
  s.ScoreFileName = "ac13score.csv";
  return s;
}

TEST_F(ScoreFile, LinesIntoScores) {
  struct Case {
    const char* name;
    const char* text;
    Scores normal, ura;
  } cases[] = {
      {"as written", "1,500,0\r\n3,0,900\r\n\r\n", {500, 0, 0}, {0, 0, 900}},
      {"an entry named twice keeps the later line", "2,1,1\r\n2,7,8\r\n", {0, 7, 0}, {0, 8, 0}},
      {"halves go to even", "2,70.5,0\r\n3,71.5,-2.5\r\n", {0, 70, 72}, {0, 0, -2}},
      {"leading blank", " 2,5,6\r\n", {0, 5, 0}, {0, 6, 0}},
      {"only an empty line", "\r\n", {0, 0, 0}, {0, 0, 0}},
      {"short lines skipped", "12\r\n1,\r\n\r\n", {0, 0, 0}, {0, 0, 0}},
      {"non-numeric fields are 0", "1,abc,x9\r\n", {0, 0, 0}, {0, 0, 0}},
      {"fields past the third ignored", "3,1,2,4,5\r\n", {0, 0, 1}, {0, 0, 2}},
      {"CR alone ends a line", "1,5,6\r3,7,8", {5, 0, 7}, {6, 0, 8}},
      {"LF alone ends a line", "1,5,0\n3,0,9\n", {5, 0, 0}, {0, 0, 9}},
      {"negative and extreme scores", "1,-5,2147483647\r\n2,-2147483648,0\r\n", {-5, -2147483648, 0},
       {2147483647, 0, 0}},
      {"entry number rounded after subtracting one", "2.5,4,4\r\n", {0, 0, 4}, {0, 0, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScoreSheetState s = withEntries(3);
    parseScoreFile(s, c.text, "ac13score.csv");
    EXPECT_EQ(s.EntryScore, c.normal);
    EXPECT_EQ(s.EntryScoreU, c.ura);
  }
}

TEST_F(ScoreFile, FailuresNameFileAndLine) {
  struct Case {
    const char* text;
    std::string description;
    Scores normalAfter;
  } cases[] = {
      {"1,5,0\r\n0,1,1\r\n", "ac13score.csv の 2 行目: 曲番号 0 はバージョン曲リストの 3 曲の範囲外です。", {5, 0, 0}},
      {"\r\n\r\n4,1,1\r\n", "ac13score.csv の 3 行目: 曲番号 4 はバージョン曲リストの 3 曲の範囲外です。", {0, 0, 0}},
      {"abc", "ac13score.csv の 1 行目: 曲番号 0 はバージョン曲リストの 3 曲の範囲外です。", {0, 0, 0}},
      {"1,5", "ac13score.csv の 1 行目: 裏譜面のスコア（3 番目の項目）がありません。", {5, 0, 0}},
      {"123", "ac13score.csv の 1 行目: 曲番号 123 はバージョン曲リストの 3 曲の範囲外です。", {0, 0, 0}},
      {"2  ", "ac13score.csv の 1 行目: 通常譜面のスコア（2 番目の項目）がありません。", {0, 0, 0}},
      {"1,3000000000,0", "ac13score.csv の 1 行目: 通常譜面のスコア「3000000000」が 32 ビット整数の範囲（-2147483648～2147483647）を超えています。",
       {0, 0, 0}},
      {"1,0,-2147483649", "ac13score.csv の 1 行目: 裏譜面のスコア「-2147483649」が 32 ビット整数の範囲（-2147483648～2147483647）を超えています。",
       {0, 0, 0}},
      {"9e99,0,0", "ac13score.csv の 1 行目: 曲番号「9e99」が 32 ビット整数の範囲（-2147483648～2147483647）を超えています。",
       {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ScoreSheetState s = withEntries(3);
    EXPECT_EQ(test::failureOf([&] { parseScoreFile(s, c.text, "ac13score.csv"); }), c.description);
    EXPECT_EQ(s.EntryScore, c.normalAfter);
  }
}

TEST_F(ScoreFile, ReadsThePresentFile) {
  test::writeBytes("ac13score.csv", "1,500,0\r\n3,0,900\r\n\r\n");
  test::writeBytes("ac12score.csv", "1,1,1\r\n");
  ScoreSheetState s = withEntries(3);
  ReadScoreFile(debugLog, s);
  EXPECT_EQ(s.EntryScore, (Scores{500, 0, 0}));
  EXPECT_EQ(s.EntryScoreU, (Scores{0, 0, 900}));
  EXPECT_EQ(log(), (Strings{"CSVファイル展開開始", "CSVファイル読み込み中", "CSVファイル展開終了"}));
  EXPECT_EQ(tk.calls, Strings{"status:CSVファイルを読み取り中です"});
}

TEST_F(ScoreFile, AbsentFileIsNoFailure) {
  std::filesystem::create_directory("ac13score.csv");  // a folder of that name is no file either
  for (int round = 0; round < 2; ++round) {
    ScoreSheetState s = withEntries(2);
    s.ScoreFileName = round == 0 ? "ac14score.csv" : "ac13score.csv";
    ReadScoreFile(debugLog, s);
    EXPECT_EQ(s.EntryScore, (Scores{0, 0}));
  }
  EXPECT_EQ(log(), (Strings{"CSVファイル展開開始", "CSVファイルが存在しません", "CSVファイル展開終了",
                            "CSVファイル展開開始", "CSVファイルが存在しません", "CSVファイル展開終了"}));
}

}  // namespace
}  // namespace nk
