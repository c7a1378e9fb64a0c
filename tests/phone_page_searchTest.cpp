// phone_page_searchTest.cpp - the page's search against the program's "曲を
//探す…", its copy of the notes read back by the program's paste, and the
// page in the Safari engine (WebKitGTK).
#include "data/sheet_catalogue.h"
#include "input/score_paste.h"
#include "input/song_search.h"
#include "phone_page_fixture.h"
#include "sheet_builder.h"
#include "data/display_text.h"
#include "rival/rival_compare.h"
#include "total/total_breakdown.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace nk {
namespace {

using nlohmann::json;
using test::PhonePageTest;

// Invented titles of every form the search folds; some with only a 裏
// chart, a "?" level, or no 裏 chart.
ScoreSheetState foldingSheet() {
  const struct {
    const char* title;
    int16_t level, levelU;
  } songs[] = {
      {"ドンと行こう", 8, 9},           {"ﾄﾞﾝﾄﾞﾝ祭り", 7, LevelNoChart}, {"ＲＥＤ　ＲＨＹＴＨＭ", -1, 0},
      {"夏〜空", LevelNoChart, 10},    {"冬～海", 0, LevelNoChart},     {"ヴァイオリン協奏曲", 10, -1},
      {"どんぐりころころ", 3, 7},       {"Red Line", 9, LevelNoChart},   {"ゔぁいおれっと", 10, 10},
      {"ΑΣΣΟΣ", 5, LevelNoChart},     {"\"引用\"の歌", 8, 8},          {"タブ\tの歌", 7, LevelNoChart},
      {"ゝゞの詩", LevelNoChart, 9},
  };
  test::SheetBuilder sheet;
  int16_t k = 0;
  for (const auto& song : songs) {
    ++k;
    sheet.entry({.title = song.title, .level = song.level, .score = 1000 * k, .levelU = song.levelU, .scoreU = 7 * k});
    if (song.level >= 7) sheet.target(k, Chart::Normal, song.level);
    if (song.levelU >= 7) sheet.target(k, Chart::Ura, song.levelU);
  }
  return sheet.shownInReverse().build();
}

// The charts of the positions the program finds, 表 before 裏, as [entry, 0 or 1].
json programCharts(const ScoreSheetState& s, const SongSearchIndex& index, const std::string& query) {
  json charts = json::array();
  for (const int16_t p : index.find(query, 100000).positions) {
    const size_t e = entryAt(s, static_cast<size_t>(p));
    for (const Chart chart : {Chart::Normal, Chart::Ura})
      if (chartExists(s, e, chart)) charts.push_back({e, isUra(chart) ? 1 : 0});
  }
  return charts;
}

TEST_F(PhonePageTest, TheSearchFindsWhatTheProgramFinds) {
  const ScoreSheetState s = foldingSheet();
  const SongSearchIndex index(s);
  browser().open(test::writePhonePage(s, std::nullopt));
  const char* const queries[] = {"どん", "ﾄﾞﾝ", "ドンド", "とん", "red", "RED", "ｒｅｄｒｈｙ", "d r", "RED LINE", "〜", "～海",
                                 "夏~", "ヴァイオ", "ｳﾞｧｲｵﾘﾝ", "ゔぁいおりん", "ころ ころ", "ασσος", "ασσοσ", "ΣΟΣ", "\"引用",
                                 "タブの", "ヽヾ", "ゝ", "", "　", "ない曲"};
  for (const char* query : queries) {
    SCOPED_TRACE(query);
    EXPECT_EQ(browser().run("return nkPageCharts(arguments[0]);", {query}).dump(), programCharts(s, index, query).dump());
  }
  // A large sheet: every chart is searched, not only the rows drawn.
  const ScoreSheetState large = test::randomPhoneSheet(11, 3000);
  browser().open(test::writePhonePage(large, std::nullopt));
  for (const char* query : {"", "曲1", "きょく2", "9"})
    EXPECT_EQ(browser().run("return nkPageCharts(arguments[0]);", {query}).dump(),
              programCharts(large, SongSearchIndex(large), query).dump());
  browser().run("document.getElementById('query').value = ''; document.querySelector('[data-tab=search]').click();");
  EXPECT_EQ(browser().run("return document.querySelectorAll('#results .row').length;"), 20);
}

TEST_F(PhonePageTest, TheCopyOfTheNotesIsReadByTheProgramsPaste) {
  const ScoreSheetState s = foldingSheet();
  // Charts by entry: quotes and a tab in titles, 裏 charts, 0 and the largest score.
  const struct {
    size_t entry;
    int ura;
    int32_t score;
  } notes[] = {{10, 0, 987654}, {11, 0, 0}, {0, 1, 2147483647}, {6, 0, 123}, {3, 1, 1}, {12, 1, 55555}};
  json kept = json::array();
  for (const auto& n : notes) kept.push_back({n.entry, n.ura, n.score});
  openWithStored(test::writePhonePage(s, 5000000), kept.dump());
  browser().click(browser().element("[data-tab=notes]"));
  browser().click(browser().element("#copy"));
  const std::string text = browser().run("return document.getElementById('copytext').value;").get<std::string>();
  const json said = browser().run(
      "return new Promise((done) => { const read = () => { const m = document.getElementById('copymsg').textContent; "
      "if (!m) return setTimeout(read, 10); done(m); }; read(); });");
  EXPECT_EQ(said, "コピーしました（6件）。プログラムの「スコアを貼り付ける」で貼り付けてください。");
  EXPECT_TRUE(text.starts_with("曲名\t譜面\t点数\n")) << text;

  const SongSearchIndex index(s);
  const PasteReview review = reviewPaste(s, index, text);
  EXPECT_TRUE(review.refused.empty()) << text;
  ASSERT_EQ(review.charts.size(), std::size(notes)) << text;
  for (size_t k = 0; k < std::size(notes); ++k) {
    SCOPED_TRACE(text);
    const PastedChart& c = review.charts[k];
    ASSERT_TRUE(c.found);
    EXPECT_EQ(entryAt(s, static_cast<size_t>(c.candidates.front())), notes[k].entry);
    EXPECT_EQ(isUra(c.chart), notes[k].ura == 1);
    EXPECT_EQ(c.score, notes[k].score);
  }
}

// A chart of the sheet as the search orders it: by score, or by the points
// it needs (charts that need some first, fewest first; then those that count;
// then targets that cannot count; then charts no target names).
struct ListedChart {
  json chart;
  int16_t level;
  int ura;
  int32_t score;
  std::pair<int, int64_t> neededKey;
};

std::vector<ListedChart> listedCharts(const ScoreSheetState& s) {
  const TotalBreakdown b = computeTotalBreakdown(s);
  std::map<std::pair<size_t, int>, size_t> firstTarget;
  for (size_t t = s.TargetEntryNo.size(); t-- > 0;) firstTarget[{targetEntry(s, t), isUra(targetChart(s, t))}] = t;
  std::map<size_t, std::pair<int, int64_t>> keyOfTarget;
  for (const LevelBreakdown& level : b.levels)
    for (const ChartStanding& c : level.charts)
      keyOfTarget[c.target] = c.pointsNeeded ? std::pair{0, *c.pointsNeeded} : std::pair{c.counts ? 1 : 2, int64_t{0}};
  std::vector<ListedChart> list;
  for (size_t p = 0; p < s.DisplayOrder.size(); ++p)
    for (const Chart chart : {Chart::Normal, Chart::Ura}) {
      const size_t e = entryAt(s, p);
      if (!chartExists(s, e, chart)) continue;
      const int ura = isUra(chart) ? 1 : 0;
      const auto t = firstTarget.find({e, ura});
      const bool ranked = t != firstTarget.end() && keyOfTarget.contains(t->second);
      list.push_back({json{e, ura}, chartLevel(s, e, chart), ura, chartScore(s, e, chart),
                      ranked ? keyOfTarget[t->second] : std::pair{3, int64_t{0}}});
    }
  return list;
}

TEST_F(PhonePageTest, TheSearchsLevelSideAndOrder) {
  const ScoreSheetState s = test::randomPhoneSheet(9, 150);
  browser().open(test::writePhonePage(s, std::nullopt));
  const std::vector<ListedChart> all = listedCharts(s);
  const struct {
    const char *level, *side, *sort;
  } cases[] = {{"", "", "score"}, {"", "", "needed"}, {"10", "1", "order"}, {"-1", "", "order"},
               {"0", "0", "score"}, {"8", "", "needed"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.level) + "/" + c.side + "/" + c.sort);
    std::vector<ListedChart> expected;
    for (const ListedChart& l : all)
      if ((!*c.level || std::to_string(l.level) == c.level) && (!*c.side || std::to_string(l.ura) == c.side))
        expected.push_back(l);
    if (std::string(c.sort) == "score")
      std::stable_sort(expected.begin(), expected.end(), [](auto& x, auto& y) { return x.score > y.score; });
    if (std::string(c.sort) == "needed")
      std::stable_sort(expected.begin(), expected.end(), [](auto& x, auto& y) { return x.neededKey < y.neededKey; });
    json charts = json::array();
    for (const ListedChart& l : expected) charts.push_back(l.chart);
    ASSERT_GT(charts.size(), 1u);
    EXPECT_EQ(browser().run("document.getElementById('level').value = arguments[0]; "
                            "document.getElementById('side').value = arguments[1]; "
                            "document.getElementById('sort').value = arguments[2]; return nkPageCharts('');",
                            {c.level, c.side, c.sort}).dump(),
              charts.dump());
  }
}

TEST_F(PhonePageTest, TheRivalStandsBesideThePlayerAsOnTheSheet) {
  const ScoreSheetState s = test::randomPhoneSheet(7, 150);
  const SheetScores mine = scoresOf(s), other = scoresOf(test::randomPhoneSheet(8, 150));
  // Ties with the player's scores, charts the rival has not played, and other scores.
  PhoneRival rival{"ライバル\"<b>", {}};
  for (const Chart chart : {Chart::Normal, Chart::Ura})
    for (size_t e = 0; e < 150; ++e)
      rival.scores.of(chart).push_back(!chartExists(s, e, chart) || e % 4 == 1 ? 0
                                       : e % 4 == 0                     ? mine.of(chart)[e]
                                                                        : other.of(chart)[e]);
  const RivalComparison c = compareWithRival(s, mine, rival.scores);
  browser().open(test::writePhonePage(s, std::nullopt, "page.html", &rival));
  const json seen = browser().run("return nkPageRival();");
  EXPECT_EQ(seen["name"], rival.name);
  EXPECT_EQ(seen["total"], c.rivalTotal);
  const int64_t lead = c.rivalTotal - c.myTotal;
  EXPECT_EQ(seen["line"], "ライバル " + rival.name + " " + groupedDecimal(c.rivalTotal) + "点　" +
                              (lead >= 0 ? "あと " + groupedDecimal(lead + 1) + "点で抜けます"
                                         : groupedDecimal(-lead) + "点 上回っています"));
  // Sorted by the lead, the charts either has a score of come in the program's order.
  json expected = json::array();
  for (const ChartSideBySide& chart : c.charts) expected.push_back({chart.entry, isUra(chart.chart) ? 1 : 0});
  ASSERT_GT(expected.size(), 20u);
  json charts = browser().run("document.getElementById('sort').value = 'rival'; return nkPageCharts('');");
  charts.erase(charts.begin() + static_cast<std::ptrdiff_t>(expected.size()), charts.end());
  EXPECT_EQ(charts.dump(), expected.dump());
}

TEST(PhonePageWebKit, TheSafariEngineWorksTheTotalOut) {
  if (!test::webDriverProgram(test::Browser::WebKit))
    GTEST_SKIP() << "webkit2gtk-driver (WebKitWebDriver, MiniBrowser) or xvfb-run is not installed";
  test::TempWorkDir dir;
  const ScoreSheetState s = test::randomPhoneSheet(2, 200);
  const TotalBreakdown b = computeTotalBreakdown(s);
  const auto page = test::writePhonePage(s, b.total + 777777);
  test::WebDriver browser(test::Browser::WebKit, 390, 844);
  browser.open(page);
  EXPECT_EQ(browser.run("return nkPageSummary();").dump(1), test::expectedPageSummary(b, b.total + 777777, 0).dump(1));
  EXPECT_EQ(browser.run("return nkPageCharts('曲1');").dump(), programCharts(s, SongSearchIndex(s), "曲1").dump());
}

}  // namespace
}  // namespace nk
