// rival_storeTest.cpp - rivals kept in files of their own: names that cannot
// be a file's are refused, a rival added again reports what it raised, and
// the player's score file is never written.
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
      {"a\\b", rivalNameUnfitText()},
      {"C:taro", rivalNameUnfitText()},
      {"ta\tro", rivalNameUnfitText()},
      {" taro", rivalNameUnfitText()},
      {"taro　", rivalNameUnfitText()},
      {"..", rivalNameUnfitText()},
      {"CON", rivalNameReservedText("CON")},
      {"lpt1.txt", rivalNameReservedText("lpt1.txt")},
      {"COM0", rivalNameReservedText("COM0")},
      {"com²", rivalNameReservedText("com²")},
      {"COM10", ""},
      {std::string(40, 'x'), ""},
      {std::string(41, 'x'), rivalNameTooLongText(40)},
      {repeated("あ", 40), ""},
      {repeated("あ", 41), rivalNameTooLongText(40)},
      {"\x82\xA0", rivalNameUnfitText()},  // CP932, not UTF-8
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
  const ScoreSheetState here = test::SheetBuilder{}
                                   .entry({.title = "さくら\tA", .level = 8, .levelU = 9})
                                   .entry({.title = "ソーラン節", .level = 9})
                                   .entry({.title = "夏祭り", .level = 7})
                                   .build();
  KeptRival rival(const std::string& name, std::vector<int32_t> normal) const {
    KeptRival r{name, false, {}};
    for (size_t e = 0; e < normal.size(); ++e)
      if (normal[e] != 0) r.charts.push_back({static_cast<int16_t>(e + 1), entryTitle(here, e), "J-POP", Chart::Normal, normal[e]});
    return r;
  }
};

TEST_F(RivalStoreTest, ARivalAddedAgainIsReplacedAndTellsWhatItRaised) {
  test::writeBytes("ac13score.csv", "1,5,0\r\n\r\n");
  const KeptRivalOutcome first = keepRival(13, rival("たろう", {900000, 800000, 0}), here);
  ASSERT_TRUE(first.ok) << first.failure;
  EXPECT_FALSE(first.replaced);
  EXPECT_EQ(rivalChangesText("たろう", first), "ライバル「たろう」を追加しました。");

  const KeptRivalOutcome again = keepRival(13, rival("たろう", {912345, 790000, 700000}), here);
  ASSERT_TRUE(again.ok) << again.failure;
  EXPECT_TRUE(again.replaced);
  EXPECT_EQ(again.improved, (std::vector<RivalGain>{{1, "さくら\tA", Chart::Normal, 900000, 912345},
                                                     {3, "夏祭り", Chart::Normal, 0, 700000}}));
  EXPECT_EQ(again.lowered, 1u);
  EXPECT_EQ(rivalChangesText("たろう", again),
            "ライバル「たろう」の点数を入れ替えました。前回から伸びた譜面は 2 個です。\r\n"
            "「さくら\tA」（表） 900,000 → 912,345（+12,345）\r\n「夏祭り」（表） 0 → 700,000（+700,000）\r\n"
            "前回より低い・なくなった譜面: 1 個");

  const LoadedRival loaded = loadRival(13, "たろう");
  ASSERT_TRUE(loaded.rival) << loaded.failure;
  EXPECT_EQ(loaded.rival->charts, rival("たろう", {912345, 790000, 700000}).charts);
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,5,0\r\n\r\n");
  EXPECT_EQ(test::namesIn("rivals/ac13"), (std::vector<std::string>{"たろう.txt"}));
}

TEST_F(RivalStoreTest, SeveralRivalsAreKeptListedAndRemoved) {
  ASSERT_TRUE(keepRival(13, rival("b", {1}), here).ok);
  ASSERT_TRUE(keepRival(13, rival("a", {2}), here).ok);
  ASSERT_TRUE(keepRival(14, rival("c", {3}), here).ok);
  const KeptRivalOutcome sameInOtherCase = keepRival(13, rival("A", {5}), here);
  EXPECT_TRUE(sameInOtherCase.replaced);
  test::writeBytes("rivals/ac13/notes.md", "x");
  test::writeBytes("rivals/ac13/CON.txt", "x");
  EXPECT_EQ(rivalNames(13).names, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(loadRival(13, "a").rival->charts.at(0).score, 5);
  EXPECT_EQ(removeRival(13, "b"), "");
  EXPECT_EQ(rivalNames(13).names, (std::vector<std::string>{"a"}));
  EXPECT_FALSE(removeRival(13, "b").empty());
  EXPECT_EQ(loadRival(13, "b").failure, noSuchRivalText("b"));
  EXPECT_EQ(rivalNames(12).names, std::vector<std::string>{});
  EXPECT_EQ(keepRival(13, rival("../x", {1}), here).failure, rivalNameUnfitText());
}

TEST_F(RivalStoreTest, AKeptFileThatIsNoRivalsIsRefused) {
  const std::string header = std::string(RivalFileHeader) + "\r\nlists,friend\r\n";
  const std::string cases[] = {
      "",
      "norukaku-client rival,2\r\nlists,friend\r\n",
      header + "1\t表\t5\tさくら\r\n",
      header + "1\t中\t5\tさくら\tJ-POP\r\n",
      header + "0\t表\t5\tさくら\tJ-POP\r\n",
      header + "1\t表\t5\tさ\\x\tJ-POP\r\n",
      header + "1\t表\t99999999999\tさくら\tJ-POP\r\n",
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
