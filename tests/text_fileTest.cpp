// text_fileTest.cpp - splitting, lines, and the bytes of a file as the readers take them.
#include "data/text_file.h"
#include "failure_of.h"
#include "platform/cp932.h"
#include "test_support.h"

namespace nk {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> pieces(std::string_view text, std::string_view sep) {
  std::vector<std::string> out;
  for (auto p : splitText(text, sep)) out.emplace_back(p);
  return out;
}

TEST(SplitText, PiecesAndLastPieceNumber) {
  using V = std::vector<std::string>;
  EXPECT_EQ(pieces("", "<>"), V{});  // last piece number -1
  EXPECT_EQ(pieces("abc", "<>"), V{"abc"});
  EXPECT_EQ(pieces("<>", "<>"), (V{"", ""}));
  EXPECT_EQ(pieces("a<><>b<>", "<>"), (V{"a", "", "b", ""}));
  EXPECT_EQ(pieces("a<b>c<>d", "<>"), (V{"a<b>c", "d"}));
  EXPECT_EQ(pieces("1,500,0", ","), (V{"1", "500", "0"}));
  EXPECT_EQ(pieces("x[データ区切り]y[データ区切り]", "[データ区切り]"), (V{"x", "y", ""}));
}

TEST(Lines, CrAndCrLfEndALineALoneLfDoesNot) {
  using V = std::vector<std::string>;
  EXPECT_EQ(splitLines(""), V{});
  EXPECT_EQ(splitLines("a\r\nb\rc"), (V{"a", "b", "c"}));
  EXPECT_EQ(splitLines("a\nb\r\n"), (V{"a\nb"}));
  EXPECT_EQ(splitLines("\r\n\r\n"), (V{"", ""}));
  EXPECT_EQ(splitLines("a\r\r\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(joinLines("ti\r\ntle<>x\rg\n1<>\r\n"), "title<>xg\n1<>");
}

// As the readers take them: the bytes untouched (no CR or LF dropped on the
// way), then decoded, then cut into lines or joined.
TEST(TextFile, ReadsCp932LinesAsTheReadersDo) {
  test::TempWorkDir dir;
  const std::string version = test::toCp932("1.54\r\n最新版はこちら\r\n3行目");
  test::writeBytes("v.dat", version);
  EXPECT_EQ(readFileBytes("v.dat"), version);
  EXPECT_EQ(splitLines(cp932ToUtf8(readFileBytes("v.dat"))),
            (std::vector<std::string>{"1.54", "最新版はこちら", "3行目"}));
  test::writeBytes("m.dat", test::toCp932("<>曲\r\n名<>x<>アニメ<>y<>"));
  EXPECT_EQ(joinLines(cp932ToUtf8(readFileBytes("./m.dat"))), "<>曲名<>x<>アニメ<>y<>");
}

TEST(TextFile, FailuresNameTheFileAndTheCause) {
  test::TempWorkDir dir;
  fs::create_directory("folder.dat");
  const std::pair<const char*, const char*> cases[] = {
      {"./songlist.dat", "ファイル songlist.dat を読み込めません（ファイルまたはフォルダーがありません）。"},
      {"folder.dat", "ファイル folder.dat を読み込めません（同じ名前のフォルダーがあります）。"},
  };
  for (const auto& [path, text] : cases) EXPECT_EQ(test::failureOf([&] { readFileBytes(path); }), text);
}

}  // namespace
}  // namespace nk
