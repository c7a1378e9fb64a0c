// rival_matchTest.cpp - a friend's scores on this PC's charts: a real export
// of a friend's PC whose lists differ from this PC's (songs reordered, added,
// removed, a genre renamed, a title shared) puts every score on its own song
// or lists it.
#include "data/master_changes.h"
#include "rival_fixture.h"
#include "rival/rival_match.h"
#include "rival/rival_text.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

using test::exportFriend;
using test::listsOf;

const std::vector<test::Song> FriendSongs{
    {"さくら", "J-POP"},   {"ソーラン節", "童謡・民謡"},     {"夏祭り", "J-POP"},
    {"夏祭り", "アニメ"},  {"消えた曲", "ナムコオリジナル"}, {"双子", "クラシック"},
    {"双子", "クラシック"}};
const std::vector<test::Song> OurSongs{{"新曲", "J-POP"},      {"夏祭り", "アニメ"}, {"ソーラン節", "童謡・民謡"},
                                       {"さくら", "ポップス"}, {"夏祭り", "J-POP"},  {"双子", "クラシック"}};

TEST(RivalMatch, AFriendsZipOnOtherListsPutsEachScoreOnItsOwnSongOrListsIt) {
  test::TempWorkDir dir;
  exportFriend(listsOf(FriendSongs, std::vector<std::string>(7, "abc8efg9")),
               "1,900000,910000\r\n2,800000,0\r\n3,700000,0\r\n4,600000,0\r\n5,500000,0\r\n6,400000,0\r\n"
               "8,300000,0\r\n\r\n",
               "friend.zip");
  const ScoreSheetState here = masterListsState(
      listsOf(OurSongs, {"abc8efg9", "abc8efg9", "abc8efg-", "abc8efg-", "abc7efg-", "abc8efg9"}), 113);
  const ReadRivalSource read = readRivalSource("friend.zip", 13);
  ASSERT_TRUE(read.source) << read.failure;
  ASSERT_TRUE(read.source->lists);
  const MatchedRival matched = matchRival(*read.source, here);
  EXPECT_FALSE(matched.onThisPcLists);
  EXPECT_EQ(matched.charts, (std::vector<RivalChart>{{4, "さくら", "ポップス", Chart::Normal, 900000},
                                                     {3, "ソーラン節", "童謡・民謡", Chart::Normal, 800000},
                                                     {5, "夏祭り", "J-POP", Chart::Normal, 700000},
                                                     {2, "夏祭り", "アニメ", Chart::Normal, 600000}}));
  const std::vector<std::string> unmatched = {"「さくら」（裏） 910,000点: この PC のこの曲にはこの譜面がありません",
                                              "「消えた曲」（表） 500,000点: この PC の曲にありません",
                                              "「双子」（表） 400,000点: 同じ曲名の曲が複数あり、どれか決まりません",
                                              "曲番号 8（表） 300,000点: 相手のマスターデータにない曲番号です"};
  ASSERT_EQ(matched.unmatched.size(), unmatched.size());
  for (size_t i = 0; i < unmatched.size(); ++i) EXPECT_EQ(unmatchedLine(matched.unmatched[i]), unmatched[i]);
  EXPECT_EQ(unmatchedText(matched.unmatched).rfind("この PC の譜面に合わせられなかった点数が 4 個あり", 0), 0u);
}

TEST(RivalMatch, ASongThatTwoEntriesCouldBeNamesNoChart) {
  const std::vector<test::Song> twins(2, {"双子", "クラシック"});
  const std::vector<test::Song> festivals{{"夏祭り", "J-POP"}, {"夏祭り", "アニメ"}};
  const RivalChart first{1, "双子", "クラシック", Chart::Normal, 10},
      second{2, "双子", "クラシック", Chart::Normal, 20};
  const struct {
    const char* what;
    std::optional<std::vector<test::Song>> theirs;  // none: a bare score file
    std::vector<test::Song> ours;
    std::vector<RivalChart> charts;
    size_t unmatched;
  } cases[] = {
      {"the same lists: the entry number tells the twins apart", twins, twins, {first, second}, 0},
      {"lists of another order", twins, {twins[0], {"新曲", "J-POP"}, twins[1]}, {}, 2},
      {"a bare score file", std::nullopt, twins, {first, second}, 0},
      {"two titles of the friend's, one here by another genre", festivals, {{"夏祭り", "ポップス"}, {"x", "y"}}, {}, 2},
  };
  for (const auto& c : cases) {
    const ScoreSheetState here =
        masterListsState(listsOf(c.ours, std::vector<std::string>(c.ours.size(), "abc8efg-")), 113);
    RivalSource source{13, {{1, {10, 0}}, {2, {20, 0}}}, std::nullopt};
    if (c.theirs) source.lists = masterListsState(listsOf(*c.theirs, {"abc8efg-", "abc8efg-"}), 113);
    const MatchedRival matched = matchRival(source, here);
    EXPECT_EQ(matched.charts, c.charts) << c.what;
    EXPECT_EQ(matched.unmatched.size(), c.unmatched) << c.what;
    EXPECT_EQ(matched.onThisPcLists, !c.theirs) << c.what;
  }
}

TEST(RivalMatch, KeptChartsFindTheirSongsOnListsChangedSince) {
  const ScoreSheetState before = masterListsState(listsOf(OurSongs, std::vector<std::string>(6, "abc8efg9")), 113);
  std::vector<test::Song> moved = OurSongs;
  std::swap(moved[0], moved[4]);   // 新曲 and 夏祭り (J-POP) change places
  moved.erase(moved.begin() + 2);  // ソーラン節 leaves
  const ScoreSheetState after = masterListsState(listsOf(moved, std::vector<std::string>(5, "abc8efg9")), 113);
  const std::vector<RivalChart> kept{{1, "新曲", "J-POP", Chart::Normal, 1},
                                     {3, "ソーラン節", "童謡・民謡", Chart::Ura, 2},
                                     {5, "夏祭り", "J-POP", Chart::Normal, 3}};
  EXPECT_EQ(placeRivalCharts(kept, before).charts, kept);
  const MatchedRival placed = placeRivalCharts(kept, after);
  EXPECT_EQ(placed.charts, (std::vector<RivalChart>{{4, "新曲", "J-POP", Chart::Normal, 1},
                                                    {1, "夏祭り", "J-POP", Chart::Normal, 3}}));
  ASSERT_EQ(placed.unmatched.size(), 1u);
  EXPECT_EQ(placed.unmatched[0].chart.title, "ソーラン節");
  const SheetScores scores = rivalScores(placed.charts, after);
  EXPECT_EQ(scores.normal, (std::vector<int32_t>{3, 0, 0, 1, 0}));
}

}  // namespace
}  // namespace nk
