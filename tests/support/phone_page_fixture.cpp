// phone_page_fixture.cpp - pages, expected summaries and random sheets.
#include "phone_page_fixture.h"

#include "phone/phone_page.h"
#include "sheet_builder.h"

#include <chrono>
#include <random>

namespace nk::test {

using nlohmann::json;

std::filesystem::path writePhonePage(const ScoreSheetState& s, std::optional<int64_t> target, const std::string& name,
                                     const PhoneRival* rival) {
  const Moment written{std::chrono::sys_seconds{std::chrono::seconds{1796643665}}, std::chrono::hours{9}};
  writeBytes(name, phonePageHtml(s, target, written, rival));
  return std::filesystem::absolute(name);
}

json expectedPageSummary(const TotalBreakdown& b, std::optional<int64_t> target, size_t notes) {
  json levels = json::array();
  for (const LevelBreakdown& l : b.levels)
    levels.push_back({{"level", l.level}, {"count", l.count}, {"quota", l.quota}, {"countedSum", l.countedSum},
                      {"cutOffScore", l.cutOffScore ? json(*l.cutOffScore) : json()},
                      {"cutOffTarget", l.cutOffTarget ? json(*l.cutOffTarget) : json()}});
  json plan = json::array();
  if (target)
    for (const PlannedChart& c : planTowards(b, *target).charts)
      plan.push_back({{"target", c.target}, {"level", c.level}, {"now", c.now}, {"needed", c.needed}});
  return {{"total", b.total}, {"target", target ? json(*target) : json()},
          {"gap", target ? json(*target - b.total) : json()}, {"levels", levels}, {"plan", plan}, {"notes", notes}};
}

ScoreSheetState randomPhoneSheet(uint32_t seed, int entries) {
  std::mt19937 random(seed);
  const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  // Few distinct scores, so that ties are common; now and then the largest.
  const int32_t scores[] = {0, 0, 500000, 800000, 800000, 900000, 912345, 1000000, 1000000, 2147483647};
  const auto score = [&] { return below(4) == 0 ? below(1000001) : scores[below(10)]; };
  SheetBuilder sheet;
  const int skipped = static_cast<int>(seed % 5) + 6;  // 6: none skipped; 7..10: a level without targets
  for (int e = 0; e < entries; ++e) {
    // No chart, "?", 0 (a chart, shown "0") .. 10.
    const auto drawn = static_cast<int16_t>(below(13) - 2);
    const int16_t level = drawn == -2 ? LevelNoChart : drawn;
    const int16_t levelU = below(3) == 0 ? static_cast<int16_t>(7 + below(4)) : below(2) ? LevelNoChart : int16_t{0};
    sheet.entry({.title = "曲" + std::to_string(e), .level = level, .score = level == LevelNoChart ? 0 : score(),
                 .levelU = levelU, .scoreU = levelU > 0 ? score() : 0});
    const auto no = static_cast<int16_t>(e + 1);
    // A capped level: level 9 takes a target only now and then.
    const bool capped = seed % 3 == 0 && level == 9 && below(8) != 0;
    if (level >= 6 && level != skipped && !capped) sheet.target(no, Chart::Normal, level);
    if (levelU > 0 && levelU != skipped) sheet.target(no, Chart::Ura, levelU);
    if (e % 97 == 5 && level >= 7 && level != skipped) sheet.target(no, Chart::Normal, level);  // named twice
  }
  return sheet.shownInReverse().build();
}

void PhonePageTest::SetUp() {
  if (!webDriverProgram(Browser::Chromium)) GTEST_SKIP() << "chromium and chromium-driver are not installed";
  browser_ = std::make_unique<WebDriver>(Browser::Chromium, 412, 915);
}

// The notes the open page keeps in the browser's storage, or null.
constexpr const char* StoredNotes =
    "try { const d = document.getElementById('sheet');"
    "  return d ? localStorage.getItem(JSON.parse(d.textContent).id) : null; } catch (e) { return null; }";

// What a page wrote into the storage reaches the browser through its own
// process, and the browser may end that process on the next navigation before
// the write has left it: under load, now and then, the next page finds the
// storage as it was, for good. The tests check that the page keeps in the
// storage what it shows and shows what the storage keeps; that the browser
// keeps a write is the browser's. So a page that finds the storage other than
// meant is given it again and opened once more.
void PhonePageTest::openWithStored(const std::filesystem::path& page, const json& stored) {
  for (int tries = 0; tries < 20; ++tries) {
    browser_->open(page);
    if (browser_->run(StoredNotes) == stored) return;
    browser_->run("const id = JSON.parse(document.getElementById('sheet').textContent).id;"
                  "if (arguments[0] === null) localStorage.removeItem(id); else localStorage.setItem(id, arguments[0]);",
                  json::array({stored}));
  }
  ADD_FAILURE() << "the page never found in the storage " << stored.dump();
}

json PhonePageTest::summaryOf(const std::filesystem::path& page) {
  const std::string url = "file://" + std::filesystem::absolute(page).string();
  if (browser_->run("return location.href;") == url)
    openWithStored(page, browser_->run(StoredNotes));
  else
    browser_->open(page);
  return browser_->run("return window.nkPageSummary();");
}

}  // namespace nk::test
