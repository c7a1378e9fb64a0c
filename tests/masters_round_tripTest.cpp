// masters_round_tripTest.cpp - import and build: what the readers take of the
// originals survives, what build wrote comes back byte for byte, and what the
// server files cannot hold is refused with its line.
#include "masters_fixture.h"

namespace nk {
namespace {

namespace fs = std::filesystem;
using test::Files;

// A small set of originals (UTF-8; written as CP932) in the layout of the servers.
Files originals(const Files& changed = {}) {
  Files texts = {
      {"common/songlist.dat", "1<>A<>150<>J-POP<>2008<>\r\n2<>B<>120<>アニメ<>2008<>\r\n3<>C<>90<>その他<>2009<>\r\n"},
      {"common/ac12list.dat", "1<>1<>鬼☆×5裏☆×-<>1/3/3<>\r\n2<>3<>鬼☆×T裏☆×9<>x<>\r\n"},
      {"common/ac13list.dat", "1<>2<>鬼☆×?裏☆×1<><>\r\n"},
      {"common/ac14list.dat", "1<>3<>鬼☆×8裏☆×T<>3<>5<>7<>新<>\r\n2<>1<>鬼☆×7裏☆×-<>2<>4<>5<>-<>\r\n"},
      {"sr/12/srlist.dat", "1<>1<>0<>\r\n2<>2<>1<>\r\n"},
      {"sr/13/srlist.dat", "1<>1<>1<>\r\n"},
      {"sr/14/srlist.dat", "1<>2<>0<>\r\n2<>1<>0<>\r\n"},
      {"common/nkclient.dat", "1.54\r\n最新版はこちら\r\n"},
  };
  for (const auto& [path, text] : changed) texts[path] = text;
  Files bytes;
  for (const auto& [path, text] : texts) bytes[path] = test::toCp932(text);
  return bytes;
}

TEST(MastersRoundTrip, TheDemoSourceBuildsTheServedFolderAndComesBackUnchanged) {
  test::TempWorkDir dir;
  ASSERT_EQ(test::nkMasters({"import", test::DemoServed.string(), "src"}).status, ExitDone);
  EXPECT_EQ(test::filesIn("src"), test::filesIn(test::DemoSource));
  ASSERT_EQ(test::nkMasters({"build", "src", "out"}).status, ExitDone);
  EXPECT_EQ(test::filesIn("out"), test::filesIn(test::DemoServed));
}

TEST(MastersRoundTrip, EveryFormTheReadersTakeReadsTheSameAfterImportAndBuild) {
  const struct Case { const char* name; Files changed; } cases[] = {
      {"as they are", {}},
      {"LF alone inside a title and between records",
       {{"common/songlist.dat", "1<>A\nB<>1<>J-POP<>2<>\n2<>B<>1<>アニメ<>2<>\n3<>C<>1<>その他<>2<>\n"}}},
      {"CR LF inside a title, no final <>",
       {{"common/songlist.dat", "1<>夕\r\n焼け<>x<>J-POP<>y<>2<>B<>x<>アニメ<>y<>3<>C<>x<>X<>y"}}},
      {"blanks, quotes, tabs and a ranked genre nearly",
       {{"common/songlist.dat", "<> A <>x<>J-POP <>y<><>\"引用\"<>x<>ｱﾆﾒ<>y<><>a\tb<>x<><>y<>"}}},
      {"number forms", {{"common/ac12list.dat", "<> 002<>abcTefg9<>x<><>+3<>abc1<>x<><>2.5<>abc?efg-<>x<><>&H3<>xyz<>x<>"}}},
      {"level characters read as 0", {{"common/ac13list.dat", "<>1<>鬼☆×x裏☆×t<>x<><>1E0<>★★★9☆☆☆T<>x<>"}}},
      {"chart flags", {{"sr/14/srlist.dat", "<>1<>1.0<><> 2<> 1<><>2<>2<><>1<><><>2<>abc<>"}}},
      {"AC14 records cut short at the end", {{"common/ac14list.dat", "<>1<>abc8efgT<>1<>2<>3<>4<><>2<>abc7efg-"}}},
      {"a version of one line, LF alone", {{"common/nkclient.dat", "1.540\nhint"}}},
      {"a hint with a tab", {{"common/nkclient.dat", "&H1\r\n入手先:\thttp://example.invalid/\r\n3 行目\r\n"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempWorkDir dir;
    test::writeFiles("orig", originals(c.changed));
    ASSERT_EQ(test::nkMasters({"import", "orig", "src"}).status, ExitDone);
    const test::Run built = test::nkMasters({"build", "src", "out"});
    ASSERT_EQ(built.status, ExitDone) << built.err;
    EXPECT_EQ(test::readFolder("out"), test::readFolder("orig"));
    ASSERT_EQ(test::nkMasters({"import", "out", "src2"}).status, ExitDone);
    EXPECT_EQ(test::filesIn("src2"), test::filesIn("src"));
    ASSERT_EQ(test::nkMasters({"build", "src2", "out2"}).status, ExitDone);
    EXPECT_EQ(test::filesIn("out2"), test::filesIn("out"));
  }
}

// Every cell quoted, a byte order mark and CR LF, as a spreadsheet may save
// (for tables whose cells hold no tab, line end or quote).
std::string asSpreadsheetSaves(const std::string& tsv) {
  std::string out = "\xEF\xBB\xBF\"";
  for (const char c : tsv) {
    if (c == '\t') out += "\"\t\"";
    else if (c == '\n') out += "\"\r\n\"";
    else out += c;
  }
  return out.substr(0, out.size() - 1) + "\t\t\r\n";  // and a row of empty cells
}

TEST(MastersRoundTrip, ASpreadsheetsSaveBuildsTheSameFiles) {
  test::TempWorkDir dir;
  test::writeFiles("orig", originals({{"common/songlist.dat", "<>A, B <>x<>J-POP<>y<><>B<>x<>アニメ<>y<><>C<>x<>X<>y<>"}}));
  ASSERT_EQ(test::nkMasters({"import", "orig", "src"}).status, ExitDone);
  ASSERT_EQ(test::nkMasters({"build", "src", "out"}).status, ExitDone);
  for (const auto& [name, text] : test::filesIn("src")) test::writeBytes("src/" + name, asSpreadsheetSaves(text));
  const test::Run run = test::nkMasters({"build", "src", "out2"});
  ASSERT_EQ(run.status, ExitDone) << run.err;
  EXPECT_EQ(test::filesIn("out2"), test::filesIn("out"));
}

TEST(MastersRoundTrip, BuildRefusesWhatTheServerFilesCannotHoldAndKeepsTheOldFolder) {
  const struct Case {
    const char* file;
    std::string from, to;
    std::string error;
    std::uintmax_t size = 0;  // the table made this large (a hole after its text)
  } cases[] = {
      {"songlist.tsv", "3\tC\t", "3\tC\xF0\x9F\x98\x80\t",
       "songlist.tsv の 4 行目: 曲名「C\xF0\x9F\x98\x80」の文字「\xF0\x9F\x98\x80」は CP932（シフト JIS）で書けません。"},
      {"songlist.tsv", "2\tB\t", "2\t\x82\xA0\t", "songlist.tsv の 3 行目: UTF-8 として読めないバイトがあります（UTF-8 で保存してください）。"},
      {"songlist.tsv", "2\tB\t", "2\tB<>C\t", "songlist.tsv の 3 行目: 曲名「B<>C」に区切り「<>」は使えません。"},
      {"ac12list.tsv", "2\t3\tT\t9", "3\t3\tT\t9",
       "ac12list.tsv の 3 行目: エントリ番号 3 の行は 2 番目にあります（エントリ番号は 1 から順に並べてください。"
       "行を入れ替えたり途中に足したりすると、保存された点数が別の曲のものになります）。"},
      {"ac12list.tsv", "2\t3\tT\t9", "2\t4\tT\t9", "ac12list.tsv の 3 行目: 曲番号「4」は 1 から 3 までの整数ではありません。"},
      {"ac13list.tsv", "1\t2\t?\t1", "1\t2\t10\t1",
       "ac13list.tsv の 2 行目: 表の難易度「10」は 1～9、T（☆10）、?（不明）、-（譜面なし）、0 のどれでもありません。"},
      {"sr13list.tsv", "1\t1\t裏", "1\t1\tうら", "sr13list.tsv の 2 行目: 譜面「うら」は「表」か「裏」でなければなりません。"},
      {"nkclient.tsv", "1.54", "ver1.54", "nkclient.tsv の 2 行目: 要求バージョン「ver1.54」は 1.54 のような数ではありません。"},
      {"songlist.tsv", "2\tB\t", "2\tB\t",
       "ファイル src/songlist.tsv を読み込めません（ファイルが大きすぎます: 104,857,600 バイト。表は 67,108,864 バイトまで）。",
       100ull << 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    test::TempWorkDir dir;
    test::writeFiles("orig", originals());
    ASSERT_EQ(test::nkMasters({"import", "orig", "src"}).status, ExitDone);
    ASSERT_EQ(test::nkMasters({"build", "src", "out"}).status, ExitDone);
    const test::Files served = test::filesIn("out");
    std::string text = test::readBytes("src/" + std::string(c.file));
    ASSERT_NE(text.find(c.from), std::string::npos);
    test::writeBytes("src/" + std::string(c.file), text.replace(text.find(c.from), c.from.size(), c.to));
    if (c.size) test::writeSparse("src/" + std::string(c.file), text, c.size);

    const test::Run run = test::nkMasters({"build", "src", "out"});
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_EQ(run.err, "nk-masters: " + c.error + "\n");
    EXPECT_EQ(test::filesIn("out"), served);
    EXPECT_EQ(test::namesIn("."), (std::vector<std::string>{"orig", "out", "src"}));
  }
}

TEST(MastersRoundTrip, ABuildReplacesTheWholeFolder) {
  test::TempWorkDir dir;
  test::writeFiles("orig", originals());
  ASSERT_EQ(test::nkMasters({"import", "orig", "src"}).status, ExitDone);
  test::writeFiles("out", {{"common/old.dat", "left from before"}, {"index.html", ""}});
  ASSERT_EQ(test::nkMasters({"build", "src", "out"}).status, ExitDone);
  EXPECT_EQ(test::filesIn("out").size(), 8u);
  EXPECT_EQ(test::namesIn("."), (std::vector<std::string>{"orig", "out", "src"}));
  EXPECT_EQ(fs::status("out/sr/12").permissions() & fs::perms::others_exec, fs::perms::others_exec);
}

}  // namespace
}  // namespace nk
