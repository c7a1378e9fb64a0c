// rival_stepsTest.cpp - a rival added from a friend's real export and added
// again: the box tells what changed, how the file was read and what found no
// chart; the player's own score file is never written.
#include "data/master_changes.h"
#include "rival/rival_steps.h"
#include "rival/rival_text.h"
#include "rival_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace nk {
namespace {

const std::vector<test::Song> Songs{{"さくら", "J-POP"}, {"ソーラン節", "童謡・民謡"}, {"夏祭り", "J-POP"}};

ScoreSheetState thisPc() {
  // The friend's songs in another order, and one more.
  ScoreSheetState s = masterListsState(test::listsOf({{"夏祭り", "J-POP"}, {"新曲", "アニメ"}, {"さくら", "J-POP"}},
                                                     {"abc8efg9", "abc8efg9", "abc8efg-"}),
                                       113);
  s.VersionNumber = 13;
  return s;
}

TEST(RivalSteps, ARivalAddedAgainTellsWhatItRaisedAndTheScoreFileStaysAsItWas) {
  test::TempWorkDir dir;
  const auto lists = test::listsOf(Songs, std::vector<std::string>(3, "abc8efg9"));
  test::exportFriend(lists, "1,900000,910000\r\n3,700000,0\r\n\r\n", "first.zip");
  test::exportFriend(lists, "1,950000,910000\r\n2,600000,0\r\n3,650000,0\r\n\r\n", "second.zip");
  test::writeBytes("ac13score.csv", "1,5,0\r\n\r\n");
  const ScoreSheetState here = thisPc();

  const RivalAdded first = addRival("first.zip", "たろう", here);
  ASSERT_TRUE(first.ok) << first.failure;
  EXPECT_EQ(first.text,
            "ライバル「たろう」を追加しました。\r\n\r\n"
            "この PC の譜面に合わせられなかった点数が 1 個あり、入れていません。\r\n"
            "「さくら」（裏） 910,000点: この PC のこの曲にはこの譜面がありません");
  const RivalAdded second = addRival("second.zip", "たろう", here);
  ASSERT_TRUE(second.ok) << second.failure;
  EXPECT_EQ(second.text.substr(0, second.text.find("\r\n\r\n")),
            "ライバル「たろう」の点数を入れ替えました。前回から伸びた譜面は 1 個です。\r\n"
            "「さくら」（表） 900,000 → 950,000（+50,000）\r\n前回より低い・なくなった譜面: 1 個");
  EXPECT_EQ(second.matched.unmatched.size(), 2u);  // 裏 of さくら, ソーラン節

  const RivalOnSheet on = rivalOnSheet("たろう", here);
  ASSERT_TRUE(on.scores) << on.failure;
  EXPECT_EQ(on.scores->normal, (std::vector<int32_t>{650000, 0, 950000}));
  EXPECT_EQ(test::readBytes("ac13score.csv"), "1,5,0\r\n\r\n");
}

TEST(RivalSteps, AScoreFileIsTakenOnThisPcsListsAndAFileOfNoChartHereIsRefused) {
  test::TempWorkDir dir;
  const ScoreSheetState here = thisPc();
  std::filesystem::create_directory("friend");
  test::writeBytes("friend/ac13score.csv", "2,400000,0\r\n\r\n");
  const RivalAdded bare = addRival("friend/ac13score.csv", "はなこ", here);
  ASSERT_TRUE(bare.ok) << bare.failure;
  EXPECT_EQ(bare.text, "ライバル「はなこ」を追加しました。\r\n\r\n" + onThisPcListsText());
  EXPECT_TRUE(rivalOnSheet("はなこ", here).placed.onThisPcLists);
  EXPECT_EQ(test::readBytes("friend/ac13score.csv"), "2,400000,0\r\n\r\n");

  test::writeBytes("friend/ac13score.csv", "9,400000,0\r\n\r\n");
  const RivalAdded none = addRival("friend/ac13score.csv", "じろう", here);
  EXPECT_FALSE(none.ok);
  EXPECT_EQ(none.failure.substr(0, none.failure.find("\r\n")), noRivalScoresText("ac13score.csv", 13));
  EXPECT_EQ(rivalNames(13).names, std::vector<std::string>{"はなこ"});
}

}  // namespace
}  // namespace nk
