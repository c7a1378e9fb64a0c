// genre_orderTest.cpp - the display order by genre rank.
#include "data/genre_order.h"
#include "log_fixture.h"

namespace nk {
namespace {

using Order = std::vector<int16_t>;

class GenreOrder : public test::LoggedWorkDirTest {};

TEST_F(GenreOrder, GroupsByRankKeepingListOrder) {
  struct Case {
    const char* name;
    std::vector<std::string> genres;
    Order order;
  } cases[] = {
      {"example", {"アニメ", "J-POP", "other", "J-POP", "クラシック"}, {1, 3, 0, 4, 2}},
      {"unknown labels keep their order", {"Y", "X", "Y"}, {0, 1, 2}},
      {"trailing blank is another label", {"J-POP ", "J-POP"}, {1, 0}},
      {"lower case is another label", {"j-pop", "J-POP"}, {1, 0}},
      {"empty label goes last", {"", "ナムコオリジナル"}, {1, 0}},
      {"all one genre", {"アニメ", "アニメ", "アニメ"}, {0, 1, 2}},
      {"every rank, reversed",
       {"other", "ナムコオリジナル", "ゲームミュージック", "クラシック", "バラエティ", "童謡・民謡", "アニメ", "J-POP"},
       {7, 6, 5, 4, 3, 2, 1, 0}},
      {"unknowns among known", {"Z", "バラエティ", "A", "童謡・民謡", "バラエティ"}, {3, 1, 4, 0, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScoreSheetState s;
    s.EntryGenre = c.genres;
    s.EntryCount = static_cast<int16_t>(c.genres.size());
    SortByGenre(debugLog, s);
    EXPECT_EQ(s.DisplayOrder, c.order);
  }
}

TEST_F(GenreOrder, LogsStartAndEndWithoutYieldOrStatus) {
  ScoreSheetState s;
  s.EntryGenre = {"アニメ", "J-POP"};
  s.EntryCount = 2;
  SortByGenre(debugLog, s);
  EXPECT_EQ(log(), (std::vector<std::string>{"曲順ソート開始", "曲順ソート終了"}));
  EXPECT_TRUE(tk.calls.empty());
}

}  // namespace
}  // namespace nk
