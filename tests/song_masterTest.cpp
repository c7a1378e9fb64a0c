// song_masterTest.cpp - the song master: record walk, line joining, failures, logs.
#include "data/song_master.h"
#include "failure_of.h"
#include "log_fixture.h"

namespace nk {
namespace {

using Strings = std::vector<std::string>;

class SongMaster : public test::LoggedWorkDirTest {};

std::string manySongs(int songs) {
  std::string text;
  for (int k = 0; k < songs; ++k) text += std::to_string(k + 1) + "<>曲" + std::to_string(k) + "<>x<>G<>y<>";
  return text;
}

TEST_F(SongMaster, RecordsOfFiveElements) {
  struct Case {
    const char* name;
    std::string text;
    Strings titles;
    Strings genres;
  } cases[] = {
      {"every field followed by <>", "<>t1<>x<>g1<>y<>", {"t1"}, {"g1"}},
      {"ten fields, no trailing separator", "1<>A<>x<>G<>y<>2<>B<>x<>H<>y", {"A", "B"}, {"G", "H"}},
      {"last field missing", "<>t1<>x<>g1", {"t1"}, {"g1"}},
      {"line ends carry no meaning", "<>t\r\n1<>x\r<>g1\r\n<>y<>", {"t1"}, {"g1"}},
      {"a lone LF stays in the element", "<>a\nb<>x<>g\n<>y<>", {"a\nb"}, {"g\n"}},
      {"commas and spaces kept", "<> a, b <>x<> アニメ <>y<>", {" a, b "}, {" アニメ "}},
      {"a title holding <> shifts the rest", "<>a<>b<>x<>g<>y<>", {"a"}, {"x"}},
      {"empty title and genre", "<><><><><>", {""}, {""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScoreSheetState s;
    parseSongMaster(debugLog, s, c.text);
    EXPECT_EQ(s.SongTitles, c.titles);
    EXPECT_EQ(s.SongGenres, c.genres);
    EXPECT_EQ(s.SongCount, static_cast<int16_t>(c.titles.size()));
  }
}

TEST_F(SongMaster, FailuresDescribeFileAndRecord) {
  struct Case {
    const char* name;
    std::string text;
    std::string description;
  } cases[] = {
      {"empty file", "", "songlist.dat に曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"},
      {"no separator", "t1 x g1", "songlist.dat に曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"},
      {"two elements", "a<>b", "songlist.dat に曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"},
      {"genre element missing", "<>t1<>x", "songlist.dat の 1 件目: 曲名「t1」の後にジャンルの項目がありません。"},
      {"second song's genre missing", "<>A<>x<>G<>y<>z<>B<>x",
       "songlist.dat の 2 件目: 曲名「B」の後にジャンルの項目がありません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScoreSheetState s;
    EXPECT_EQ(test::failureOf([&] { parseSongMaster(debugLog, s, c.text); }), c.description);
  }
}

TEST_F(SongMaster, ReadsCp932FileWithATitleSplitAcrossLines) {
  test::writeBytes("songlist.dat", test::toCp932("1<>夏祭\r\nり<>x<>アニメ<>y<>2<>お江戸<>x\r\n<>童謡・民謡<>y<>"));
  ScoreSheetState s;
  ReadSongMaster(debugLog, s);
  EXPECT_EQ(s.SongTitles, (Strings{"夏祭り", "お江戸"}));
  EXPECT_EQ(s.SongGenres, (Strings{"アニメ", "童謡・民謡"}));
  EXPECT_EQ(s.SongCount, 2);
  EXPECT_EQ(log(), (Strings{"曲リスト展開開始", "曲番号0: 夏祭り(アニメ)", "曲番号1: お江戸(童謡・民謡)",
                            "曲リスト展開終了"}));
  EXPECT_EQ(tk.calls, (Strings{"status:曲リストを展開中です", "yield", "yield"}));
}

TEST_F(SongMaster, OneYieldAfterEachLoggedSong) {
  std::vector<size_t> logLinesAtYield;
  tk.onYield = [&] { logLinesAtYield.push_back(log().size()); };
  ScoreSheetState s;
  parseSongMaster(debugLog, s, manySongs(3));
  // start line absent here (parse only): song lines 1, 2, 3 each precede their yield.
  EXPECT_EQ(logLinesAtYield, (std::vector<size_t>{1, 2, 3}));
}

TEST_F(SongMaster, SixThousandFiveHundredFiftyThreeSongsAtMost) {
  silenceLog();
  ScoreSheetState s;
  parseSongMaster(debugLog, s, manySongs(6553));
  EXPECT_EQ(s.SongCount, 6553);
  EXPECT_EQ(s.SongTitles.back(), "曲6552");
  EXPECT_EQ(tk.yields, 6553);

  tk.yields = 0;
  ScoreSheetState t;
  EXPECT_EQ(test::failureOf([&] { parseSongMaster(debugLog, t, manySongs(6554)); }),
            "songlist.dat は項目が多すぎて読み込めません（6554 件目で項目の番号が 32767 を超えました）。");
  EXPECT_EQ(tk.yields, 6553);
}

}  // namespace
}  // namespace nk
