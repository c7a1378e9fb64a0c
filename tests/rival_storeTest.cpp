// rival_storeTest.cpp - rivals kept in files of their own: names that cannot
// be a file's are refused, several rivals are kept, listed and removed, and a
// kept file that is no rival's is refused.
#include "rival/rival_store.h"
#include "rival/rival_text.h"
#include "sheet_builder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace nk {
namespace {

std::string repeated(const std::string& text, size_t times) {
  std::string all;
  for (size_t i = 0; i < times; ++i) all += text;
  return all;
}

TEST(RivalStore, ANameThatCannotBeAFilesIsRefused) {
  const struct {
    std::string name;
    std::string failure;
  } cases[] = {
      {"たろう", ""},
      {"Taro 2nd.", rivalNameUnfitText()},
      {"", rivalNameEmptyText()},
      {"../taro", rivalNameUnfitText()},
      {"C:taro", rivalNameUnfitText()},
      {"taro　", rivalNameUnfitText()},
      {"CON", rivalNameReservedText("CON")},
      {"lpt1.txt", rivalNameReservedText("lpt1.txt")},
      {"COM0", rivalNameReservedText("COM0")},
      {"com²", rivalNameReservedText("com²")},
      {"COM10", ""},
      {repeated("あ", 40), ""},
      {repeated("あ", 41), rivalNameTooLongText(40)},
      {"\x82\xA0", rivalNameUnfitText()},  // CP932, not UTF-8
      {"a\xED\xA0\x80", rivalNameUnfitText()},  // a surrogate
      {"a\xF7\xBF\xBF\xBF", rivalNameUnfitText()},  // past U+10FFFF
      {"a\xF0\x9F\xA5\x81", ""},  // a drum
  };
  for (const auto& c : cases) EXPECT_EQ(rivalNameFailure(c.name), c.failure) << c.name;
}

TEST(RivalStore, ANameIsProposedFromTheFilesName) {
  const struct {
    std::string path, name;
  } cases[] = {
      {"C:\\Users\\me\\Downloads\\norukaku-data-20261208.zip", "norukaku-data-20261208"},
      {"/home/me/たろう/ac13score.csv", "ac13score"},
      {"/tmp/a:b?.zip", "a_b_"},
      {"/tmp/con.zip", "ライバル"},
      {"/tmp/.zip", "ライバル"},
      {"/tmp/" + std::string(50, 'y') + ".csv", std::string(40, 'y')},
  };
  for (const auto& c : cases) EXPECT_EQ(proposedRivalName(c.path), c.name) << c.path;
}

class RivalStoreTest : public test::WorkDirTest {
protected:
  const ScoreSheetState here = test::SheetBuilder{}.entry({.title = "a\tb\\c\r\nd", .level = 8}).build();
  KeptRival rival(const std::string& name, std::vector<int32_t> normal) const {
    KeptRival r{name, false, {}};
    for (size_t e = 0; e < normal.size(); ++e)
      if (normal[e] != 0)
        r.charts.push_back({static_cast<int16_t>(e + 1), entryTitle(here, e), "J-POP", Chart::Normal, normal[e]});
    return r;
  }
};

TEST_F(RivalStoreTest, SeveralRivalsAreKeptListedAndRemoved) {
  ASSERT_TRUE(keepRival(13, rival("b", {1}), here).ok);
  ASSERT_TRUE(keepRival(13, rival("a", {2}), here).ok);
  ASSERT_TRUE(keepRival(14, rival("c", {3}), here).ok);
  ASSERT_TRUE(keepRival(13, rival("a", {5}), here).replaced);
  test::writeBytes("rivals/ac13/notes.md", "x");
  if (!test::onWindows()) test::writeBytes("rivals/ac13/CON.txt", "x");  // on Windows the console itself
  EXPECT_EQ(rivalNames(13).names, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(loadRival(13, "a").rival->charts.at(0).score, 5);
  EXPECT_EQ(removeRival(13, "b"), "");
  EXPECT_EQ(rivalNames(13).names, (std::vector<std::string>{"a"}));
  EXPECT_FALSE(removeRival(13, "b").empty());
  EXPECT_EQ(loadRival(13, "b").failure, noSuchRivalText("b"));
  EXPECT_EQ(rivalNames(12).names, std::vector<std::string>{});
  EXPECT_EQ(keepRival(13, rival("../x", {1}), here).failure, rivalNameUnfitText());
  std::filesystem::create_directory("rivals/ac13/d.txt");
  const KeptRivalOutcome unwritten = keepRival(13, rival("d", {1}), here);
  EXPECT_FALSE(unwritten.ok);
  EXPECT_NE(unwritten.failure.find("ライバル「d」の点数は保存されていません"), std::string::npos) << unwritten.failure;
}

// Names Windows takes for one file are one rival, kept under the first name,
// on Linux too; names of other characters are two.
TEST_F(RivalStoreTest, NamesThatDifferInLetterCaseAreOneRival) {
  const struct {
    const char *first, *second;
    bool one;
  } cases[] = {{"Taro", "tARO", true},   {"ＡＢＣ", "ａｂｃ", true},  {"Ⅱ世", "ⅱ世", true},     {"ΣΟΣ", "σος", true},
               {"Ёлка", "ёЛКА", true},  {"ÉLODIE", "élodie", true}, {"ŁUKASZ", "łukasz", true}, {"Ⓐ", "ⓐ", true},
               {"A", "Ａ", false},      {"ア", "あ", false},         {"か", "が", false},       {"ß", "SS", false}};
  int16_t version = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " / " + c.second);
    ++version;  // a folder of rivals each
    ASSERT_TRUE(keepRival(version, rival(c.first, {1}), here).ok);
    const KeptRivalOutcome second = keepRival(version, rival(c.second, {2}), here);
    EXPECT_EQ(second.replaced, c.one);
    EXPECT_EQ(second.name, c.one ? c.first : c.second);
    EXPECT_EQ(rivalNames(version).names.size(), c.one ? 1u : 2u);
    EXPECT_EQ(loadRival(version, c.first).rival->charts.at(0).score, c.one ? 2 : 1);
  }
}

TEST_F(RivalStoreTest, AKeptFileThatIsNoRivalsIsRefused) {
  const KeptRival kept = rival("a", {5});  // a title of a tab, "\", CR and LF comes back as it was
  EXPECT_EQ(parseRivalFile(rivalFileText(kept), "a")->charts, kept.charts);
  const std::string header = std::string(RivalFileHeader) + "\r\nlists,friend\r\n";
  const std::string cases[] = {
      "",
      "norukaku-client rival,2\r\nlists,friend\r\n",
      header + "1\t中\t5\tさくら\tJ-POP\r\n",
      header + "0\t表\t5\tさくら\tJ-POP\r\n",
      header + "1\t表\t5\tさ\\x\tJ-POP\r\n",
      header + "1\t表\t99999999999\tさくら\tJ-POP\r\n",
      header + "1\t表\t5\tさくら\tJ-POP",  // cut short
  };
  std::filesystem::create_directories("rivals/ac13");
  for (const std::string& text : cases) {
    test::writeBytes("rivals/ac13/x.txt", text);
    EXPECT_EQ(loadRival(13, "x").failure, damagedRivalText("x")) << text;
  }
  test::writeSparse("rivals/ac13/x.txt", header, LargestRivalFile + 1);
  EXPECT_EQ(loadRival(13, "x").failure, damagedRivalText("x"));
}

}  // namespace
}  // namespace nk
