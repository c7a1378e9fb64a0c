// version_song_listTest.cpp - level characters, record widths, song numbers, limits.
#include "data/version_song_list.h"
#include "failure_of.h"
#include "log_fixture.h"

namespace nk {
namespace {

using Strings = std::vector<std::string>;
using Levels = std::vector<int16_t>;

class VersionSongList : public test::LoggedWorkDirTest {};

// A catalogue of n songs "S1".."Sn" with genres "G1".."Gn".
ScoreSheetState catalogue(int n) {
  ScoreSheetState s;
  for (int k = 1; k <= n; ++k) {
    s.SongTitles.push_back("S" + std::to_string(k));
    s.SongGenres.push_back("G" + std::to_string(k));
  }
  s.SongCount = static_cast<int16_t>(n);
  return s;
}

std::string manyEntries(int entries, int width) {
  std::string text;
  for (int k = 0; k < entries; ++k) {
    text += "<>1<>abc5efg6";
    for (int extra = 3; extra <= width; ++extra) text += "<>x";
  }
  return text + "<>";
}

TEST(StarLevelCode, CharactersFourAndEight) {
  struct Case {
    const char* text;
    int position;
    int16_t code;
  } cases[] = {
      {"abcTefg9", 4, 10},  {"abcTefg9", 8, 9},     {"abc?efg-", 4, LevelUnknown},
      {"abc?efg-", 8, LevelNoChart}, {"abctefg9", 4, 0}, {"abc1", 4, 1},
      {"abc", 4, 0},        {"", 4, 0},             {"abcTefg", 8, 0},
      {"abc ", 4, 0},       {"abc&", 4, 0},         {"abc.", 4, 0},
      {"abc１", 4, 0},      {"ａｂｃ7ｅｆｇ8", 4, 7}, {"難易度T裏は5", 4, 10},
      {"難易度T裏は5", 8, 0}, {"難易度T裏は55", 8, 5}, {"abcTefg\n", 8, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(starLevelCode(c.text, c.position), c.code) << '"' << c.text << "\" @" << c.position;
  EXPECT_EQ(characterAt("あいう", 2), "い");
  EXPECT_EQ(characterAt("あいう", 4), "");
}

TEST_F(VersionSongList, RecordWidthFollowsTheVersion) {
  const std::string text = "<>5<>abcTefg9<>x<>y<>3<>abc?efg-<>x";
  struct Case {
    int16_t versionCode;
    Levels songNo, normal, ura;
  } cases[] = {
      {112, {5, 3}, {10, LevelUnknown}, {9, LevelNoChart}},
      {113, {5, 3}, {10, LevelUnknown}, {9, LevelNoChart}},
      {114, {5}, {10}, {9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.versionCode);
    ScoreSheetState s = catalogue(5);
    parseVersionSongList(debugLog, s, text, c.versionCode);
    EXPECT_EQ(s.EntrySongNo, c.songNo);
    EXPECT_EQ(s.EntryDifficulty, c.normal);
    EXPECT_EQ(s.EntryDifficultyU, c.ura);
    EXPECT_EQ(s.EntryCount, static_cast<int16_t>(c.songNo.size()));
    EXPECT_EQ(s.EntryScore, std::vector<int32_t>(c.songNo.size(), 0));
    EXPECT_EQ(s.EntryScoreU, std::vector<int32_t>(c.songNo.size(), 0));
    EXPECT_EQ(s.PageCount, 1);
  }
  ScoreSheetState ac14 = catalogue(9);
  parseVersionSongList(debugLog, ac14, "<>5<>abc1efg2<>x<>x<>x<>x<>x<>9<>abc3efg4<>x<>x<>x<>x<>", 114);
  EXPECT_EQ(ac14.EntrySongNo, (Levels{5, 9}));
  EXPECT_EQ(ac14.EntryDifficultyU, (Levels{2, 4}));
}

TEST_F(VersionSongList, SongNumbersAndGenres) {
  struct Case {
    const char* text;
    int16_t songNo;
  } cases[] = {{"<>2<>x", 2}, {"<> 2<>x", 2}, {"<>2.5<>x", 2}, {"<>3.5<>x", 4}, {"<>&H3<>x", 3}, {"<>4abc<>x", 4}};
  for (const Case& c : cases) {
    ScoreSheetState s = catalogue(4);
    parseVersionSongList(debugLog, s, c.text, 113);
    ASSERT_EQ(s.EntrySongNo, Levels{c.songNo}) << c.text;
    EXPECT_EQ(s.EntryGenre, Strings{"G" + std::to_string(c.songNo)});
  }
  ScoreSheetState twice = catalogue(2);
  parseVersionSongList(debugLog, twice, "<>2<>x<><><>2<>x<>", 113);
  EXPECT_EQ(twice.EntrySongNo, (Levels{2, 2}));
}

TEST_F(VersionSongList, PageCountByEntries) {
  const std::pair<int, int16_t> cases[] = {{1, 1}, {10, 1}, {11, 2}, {20, 2}, {21, 3}, {25, 3}};
  for (const auto& [entries, pages] : cases) {
    ScoreSheetState s = catalogue(1);
    parseVersionSongList(debugLog, s, manyEntries(entries, 4), 113);
    EXPECT_EQ(s.EntryCount, entries);
    EXPECT_EQ(s.PageCount, pages) << entries;
  }
}

TEST_F(VersionSongList, FailuresDescribeFileAndRecord) {
  struct Case {
    const char* text;
    std::string description;
  } cases[] = {
      {"", "versionlist.dat に曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"},
      {"<>5", "versionlist.dat に曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"},
      {"<>0<>x", "versionlist.dat の 1 件目: 曲番号 0 は曲リストの 5 曲の範囲外です。"},
      {"<>1<>x<><><>6<>x", "versionlist.dat の 2 件目: 曲番号 6 は曲リストの 5 曲の範囲外です。"},
      {"<>abc<>x", "versionlist.dat の 1 件目: 曲番号 0 は曲リストの 5 曲の範囲外です。"},
      {"<>-3<>x", "versionlist.dat の 1 件目: 曲番号 -3 は曲リストの 5 曲の範囲外です。"},
      {"<>32768<>x", "versionlist.dat の 1 件目: 曲番号「32768」が 16 ビット整数の範囲（-32768～32767）を超えています。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ScoreSheetState s = catalogue(5);
    s.PageCount = 7;
    EXPECT_EQ(test::failureOf([&] { parseVersionSongList(debugLog, s, c.text, 113); }), c.description);
    // A failed list leaves the entries as they were, PageCount included.
    EXPECT_EQ(s.PageCount, 7);
    EXPECT_EQ(s.EntryCount, 0);
    EXPECT_TRUE(s.EntrySongNo.empty());
  }
}

TEST_F(VersionSongList, MostEntriesTheElementCounterReaches) {
  silenceLog();
  struct Case {
    int16_t versionCode;
    int width;
    int most;
  } cases[] = {{113, 4, 8191}, {112, 4, 8191}, {114, 7, 4680}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.versionCode);
    ScoreSheetState s = catalogue(1);
    tk.yields = 0;
    parseVersionSongList(debugLog, s, manyEntries(c.most, c.width), c.versionCode);
    EXPECT_EQ(s.EntryCount, c.most);
    EXPECT_EQ(s.EntryDifficultyU.back(), 6);
    EXPECT_EQ(tk.yields, c.most);
    ScoreSheetState t = catalogue(1);
    const std::string tooMany = manyEntries(c.most + 1, c.width);
    EXPECT_EQ(test::failureOf([&] { parseVersionSongList(debugLog, t, tooMany, c.versionCode); }),
              "versionlist.dat は項目が多すぎて読み込めません（" + std::to_string(c.most + 1) +
                  " 件目で項目の番号が 32767 を超えました）。");
  }
}

TEST_F(VersionSongList, ReadsTheFileWithLogsStatusAndYields) {
  test::writeBytes("versionlist.dat", test::toCp932("<>2<>難易度T\r\n裏は-9<>x<>y<>1<>abc?<>x<>"));
  ScoreSheetState s = catalogue(2);
  s.SongTitles[1] = "夏祭り";
  s.SongGenres[1] = "アニメ";
  ReadVersionSongList(debugLog, s, 113);
  EXPECT_EQ(s.EntrySongNo, (Levels{2, 1}));
  EXPECT_EQ(s.EntryDifficulty, (Levels{10, LevelUnknown}));
  EXPECT_EQ(s.EntryDifficultyU, (Levels{9, 0}));
  EXPECT_EQ(s.EntryGenre, (Strings{"アニメ", "G1"}));
  EXPECT_EQ(log(), (Strings{"バージョンマスタ展開開始", "曲番号0: 夏祭り(アニメ)", "曲番号1: S1(G1)",
                            "バージョンマスタ展開終了"}));
  EXPECT_EQ(tk.calls, (Strings{"status:バージョンマスタを展開中です", "yield", "yield"}));
}

}  // namespace
}  // namespace nk
