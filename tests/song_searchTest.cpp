// song_searchTest.cpp - the search over the folded titles in display
// order, the lines of the list and the page arithmetic it leans on; plain,
// without a QApplication.
#include "data/page_view.h"
#include "input/song_search.h"
#include "sheet_builder.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace nk {
namespace {

// Entry e is song e + 1; the sheet shows the entries in reverse order, so
// that display order and entry order cannot be mistaken for each other.
ScoreSheetState sheetOf(const std::vector<std::string>& titles) {
  test::SheetBuilder sheet;
  for (size_t e = 0; e < titles.size(); ++e)
    sheet.entry({.title = titles[e], .level = static_cast<int16_t>(e % 10 + 1), .levelU = e % 2 ? LevelUnknown : LevelNoChart});
  return sheet.shownInReverse().build();
}

const std::vector<std::string> Titles = {
    "ドンと行こう",          // 8 (display position)
    "ﾄﾞﾝﾄﾞﾝ祭り",            // 7: half-width katakana with voiced marks
    "ＲＥＤ　ＲＨＹＴＨＭ",  // 6: full-width Latin and an ideographic space
    "夏〜空",                // 5: wave dash U+301C
    "冬～海",                // 4: full-width tilde U+FF5E
    "ヴァイオリン協奏曲",    // 3
    "どんぐりころころ",      // 2: hiragana
    "Red Line",              // 1
    "ゔぁいおれっと",        // 0: hiragana with ゔ
};

TEST(SongSearch, QueriesFindTheTitlesAPlayerMeansInDisplayOrder) {
  const ScoreSheetState s = sheetOf(Titles);
  const SongSearchIndex index(s);
  ASSERT_EQ(index.size(), Titles.size());
  const std::vector<std::string> all = {Titles.rbegin(), Titles.rend()};
  struct Case {
    const char* query;
    std::vector<std::string> found;
  } cases[] = {
      {"どん", {"どんぐりころころ", "ﾄﾞﾝﾄﾞﾝ祭り", "ドンと行こう"}},
      {"ﾄﾞﾝ", {"どんぐりころころ", "ﾄﾞﾝﾄﾞﾝ祭り", "ドンと行こう"}},
      {"ドンド", {"ﾄﾞﾝﾄﾞﾝ祭り"}},
      {"とん", {}},  // a voiced mark is not folded away
      {"red", {"Red Line", "ＲＥＤ　ＲＨＹＴＨＭ"}},
      {"ｒｅｄｒｈｙ", {"ＲＥＤ　ＲＨＹＴＨＭ"}},
      {"d r", {"ＲＥＤ　ＲＨＹＴＨＭ"}},
      {"RED LINE", {"Red Line"}},
      {"〜", {"冬～海", "夏〜空"}},
      {"～海", {"冬～海"}},
      {"夏~", {"夏〜空"}},
      {"ヴァイオ", {"ゔぁいおれっと", "ヴァイオリン協奏曲"}},
      {"ｳﾞｧｲｵﾘﾝ", {"ヴァイオリン協奏曲"}},
      {"ゔぁいおりん", {"ヴァイオリン協奏曲"}},
      {"ころ ころ", {"どんぐりころころ"}},
      {"", all},
      {" 　", all},
      {"ピアノ", {}},
      {"祭りだ", {}},
  };
  for (const Case& c : cases) {
    const SongMatches matches = index.find(c.query, 200);
    std::vector<std::string> found;
    for (int16_t pos : matches.positions) found.push_back(foundSong(s, pos).title);
    EXPECT_EQ(found, c.found) << "query [" << c.query << "]";
    EXPECT_EQ(matches.more, 0) << c.query;
  }
}

// Each pair folds to the same key: either side, as a query, finds the other as a title.
TEST(SongSearch, FoldingTable) {
  const std::pair<const char*, const char*> cases[] = {
      {"ﾄﾞﾝ", "ドン"},         {"ＡＢＣ　ｄ e", "abcde"}, {"ぱーてぃー", "パーティー"},
      {"ゝゞ", "ヽヾ"},        {"〜～~", "~~~"},       {"ｶﾞｷﾞｸﾞ", "ガギグ"},
      {"①", "1"},            {"ゕゖ", "ヵヶ"},          {"ぁゔ", "ァヴ"},
      {"ヵヶ", "ヵヶ"},
  };
  for (const auto& [text, folded] : cases) {
    EXPECT_EQ(SongSearchIndex(sheetOf({text})).find(folded, 1).positions, std::vector<int16_t>{0}) << text;
    EXPECT_EQ(SongSearchIndex(sheetOf({folded})).find(text, 1).positions, std::vector<int16_t>{0}) << folded;
  }
}

TEST(SongSearch, TheLimitCountsTheRest) {
  std::vector<std::string> titles;
  for (int i = 0; i < 25; ++i) titles.push_back("曲" + std::to_string(i));
  const ScoreSheetState s = sheetOf(titles);
  const SongSearchIndex index(s);
  const struct {
    const char* query;
    size_t limit;
    std::vector<int16_t> positions;
    int more;
  } cases[] = {
      {"", 3, {0, 1, 2}, 22},
      {"曲1", 2, {5, 6}, 9},  // 曲19 .. 曲10 stand at 5 .. 14, 曲1 at 23
      {"曲1", 11, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 23}, 0},
      {"曲24", 1, {0}, 0},
      {"曲24", 0, {}, 1},
  };
  for (const auto& c : cases) {
    const SongMatches m = index.find(c.query, c.limit);
    EXPECT_EQ(m.positions, c.positions) << c.query;
    EXPECT_EQ(m.more, c.more) << c.query;
  }
}

TEST(SongSearch, ListLinesShowTheLevelsAndThePageAsTheSheetDoes) {
  std::vector<std::string> titles;
  for (int i = 0; i < 23; ++i) titles.push_back("曲" + std::to_string(i));
  ScoreSheetState s = sheetOf(titles);
  s.EntryDifficulty[22] = 0;  // shown as "0"; display position 0
  s.EntryDifficulty[21] = LevelUnknown;
  s.EntryDifficulty[0] = LevelNoChart;  // display position 22
  const struct {
    int16_t position;
    const char* title;
    const char* level;
    const char* levelU;
    int16_t page;
  } cases[] = {
      {0, "曲22", "0", "", 1},   {1, "曲21", "？", "？", 1}, {9, "曲13", "4", "？", 1},
      {10, "曲12", "3", "", 2}, {22, "曲0", "", "", 3},
  };
  for (const auto& c : cases) {
    const FoundSong f = foundSong(s, c.position);
    EXPECT_EQ(f.position, c.position);
    EXPECT_EQ(f.title, c.title);
    EXPECT_EQ(f.level, c.level) << c.position;
    EXPECT_EQ(f.levelU, c.levelU) << c.position;
    EXPECT_EQ(f.page, c.page) << c.position;
  }
}

TEST(PageOfPosition, PagesAndRowsOfPositionsAndJumps) {
  const std::pair<int16_t, std::pair<int16_t, int>> places[] = {
      {0, {1, 0}}, {9, {1, 9}}, {10, {2, 0}}, {8190, {820, 0}}, {32766, {3277, 6}}};
  for (const auto& [pos, place] : places) {
    EXPECT_EQ(pageOfPosition(pos), place.first) << pos;
    EXPECT_EQ(rowOfPosition(pos), place.second) << pos;
  }
  ScoreSheetState s = sheetOf(std::vector<std::string>(23, "x"));
  const std::pair<int, int16_t> jumps[] = {{3, 3}, {0, 3}, {4, 3}, {-1, 3}, {1, 1}, {2, 2}, {70000, 2}};
  for (const auto& [page, after] : jumps) {
    EXPECT_EQ(pageTo(s, page), page >= 1 && page <= 3) << page;
    EXPECT_EQ(s.CurrentPage, after) << page;
  }
}

}  // namespace
}  // namespace nk
