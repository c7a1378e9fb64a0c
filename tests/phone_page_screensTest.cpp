// phone_page_screensTest.cpp - the page as a player sees it: screenshots at
// a phone's width and a PC's (the plan, a search, a note in the trial, a
// level's list) saved for a person to look at, no page wider than its
// window, and the largest sheet a version has, written and worked out.
#include "data/sheet_catalogue.h"
#include "input/song_search.h"
#include "phone_page_fixture.h"
#include "phone_page_walk.h"
#include "sheet_builder.h"

#include <gtest/gtest.h>

#include <iostream>

namespace nk {
namespace {

using nlohmann::json;

// Invented titles as a player's list holds them: long and short, kana,
// Latin and full-width forms.
ScoreSheetState playersSheet() {
  const char* const heads[] = {"はじまりの", "夏祭り", "ドンと", "雷鳴", "さくら舞う", "星空の", "ＲＥＤ", "Midnight",
                               "ふしぎな", "千本の"};
  const char* const tails[] = {"太鼓", "リズム", "ラプソディ～第二楽章～", "Festival", "行進曲", "ものがたり", "Dance"};
  test::SheetBuilder sheet;
  sheet.version(14);
  for (int e = 0; e < 70; ++e) {
    const std::string title = std::string(heads[e % 10]) + tails[e % 7] + (e >= 60 ? " (Long Version Remix)" : "");
    const auto level = static_cast<int16_t>(e % 11 == 3 ? -1 : 5 + e % 6);
    const int16_t levelU = e % 3 == 0 ? static_cast<int16_t>(8 + e % 3) : LevelNoChart;
    sheet.entry({.title = title, .level = level, .score = 600000 + (e * 7919) % 400000, .levelU = levelU,
                 .scoreU = levelU > 0 ? 500000 + (e * 104729) % 500000 : 0});
    if (level >= 7) sheet.target(static_cast<int16_t>(e + 1), Chart::Normal, level);
    if (levelU > 0) sheet.target(static_cast<int16_t>(e + 1), Chart::Ura, levelU);
  }
  return sheet.shownByGenre().build();
}

TEST(PhonePageScreens, ShotsAtAPhonesWidthAndAPcsWithNothingWiderThanTheWindow) {
  if (!test::webDriverProgram(test::Browser::Chromium)) GTEST_SKIP() << "chromium and chromium-driver are not installed";
  test::TempWorkDir dir;
  const ScoreSheetState s = playersSheet();
  const auto page = test::writePhonePage(s, computeTotalBreakdown(s).total + 150000);
  const std::filesystem::path shots = NK_PHONE_SCREENS_DIR;
  std::filesystem::create_directories(shots);
  for (const auto& [width, height] : {std::pair{360, 740}, std::pair{1280, 800}}) {
    test::WebDriver browser(test::Browser::Chromium, width, height);
    browser.open(page);
    browser.run("localStorage.clear();");
    browser.open(page);
    const std::string size = std::to_string(width);
    const auto shoot = [&](const std::string& what) {
      SCOPED_TRACE(size + " " + what);
      EXPECT_LE(browser.run("return document.documentElement.scrollWidth;").get<int>(),
                browser.run("return window.innerWidth;").get<int>());
      const auto png = shots / ("phone-" + size + "-" + what + ".png");
      browser.screenshot(png);
      EXPECT_EQ(test::readBytes(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    };
    test::walkPhonePage(browser, "どんと", "９８７，６５４", shoot);
    browser.run("localStorage.clear();");
  }
}

TEST(PhonePageScreens, TheLargestSheetIsWrittenAndWorkedOut) {
  if (!test::webDriverProgram(test::Browser::Chromium)) GTEST_SKIP() << "chromium and chromium-driver are not installed";
  test::TempWorkDir dir;
  // 8,191 entries (the most a list holds) and 10,922 targets.
  test::SheetBuilder sheet;
  int targets = 0;
  for (int e = 0; e < 8191; ++e) {
    sheet.entry({.title = "大きな一覧の曲 その" + std::to_string(e), .level = static_cast<int16_t>(1 + e % 10),
                 .score = (e * 7919) % 1000001, .levelU = static_cast<int16_t>(7 + e % 4), .scoreU = (e * 104729) % 1000001});
    for (const Chart chart : {Chart::Normal, Chart::Ura})
      if (targets < 10922 && (chart == Chart::Ura || e % 3 == 0)) {
        sheet.target(static_cast<int16_t>(e + 1), chart, static_cast<int16_t>(7 + (e + targets) % 4));
        ++targets;
      }
  }
  const ScoreSheetState s = sheet.shownInEntryOrder().build();
  ASSERT_EQ(s.TargetCount, 10922);
  const TotalBreakdown b = computeTotalBreakdown(s);
  const auto page = test::writePhonePage(s, b.total + 4000000);
  const auto bytes = std::filesystem::file_size(page);
  std::cout << "page for 8,191 entries and 10,922 targets: " << bytes << " bytes\n";
  ::testing::Test::RecordProperty("page_bytes", std::to_string(bytes));

  test::WebDriver browser(test::Browser::Chromium, 412, 915);
  browser.open(page);
  EXPECT_EQ(browser.run("return nkPageSummary();").dump(1), test::expectedPageSummary(b, b.total + 4000000, 0).dump(1));
  EXPECT_EQ(browser.run("return nkPageCharts('').length;"), 2 * 8191);
  // "その819" and "その8190": both charts of each.
  ASSERT_EQ(SongSearchIndex(s).find("その８１９", 100).positions.size(), 2u);
  EXPECT_EQ(browser.run("return nkPageCharts('その８１９').length;"), 4);
  browser.click(browser.element("[data-tab=search]"));
  EXPECT_EQ(browser.run("return document.querySelectorAll('#results .row').length;"), 20);
  browser.click(browser.element("#more"));
  EXPECT_EQ(browser.run("return document.querySelectorAll('#results .row').length;"), 40);
}

}  // namespace
}  // namespace nk
