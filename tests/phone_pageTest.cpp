// phone_pageTest.cpp - the page for the phone in a real browser (headless
// Chromium): its total, places, cut-offs, "あと N点" and plan against the
// program's own breakdown and plan, with and without the notes the player
// types at the cabinet (as the program's trial), its search against the
// program's, and its copy read back by the program's paste.
#include "data/display_text.h"
#include "data/sheet_catalogue.h"
#include "input/score_paste.h"
#include "input/song_search.h"
#include "phone_page_fixture.h"
#include "ranking_sheet.h"
#include "sheet_builder.h"
#include "total/breakdown_text.h"
#include "total/score_trial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace nk {
namespace {

using nlohmann::json;
using test::PhonePageTest;

struct Note {
  size_t entry;
  int ura;
  int32_t score;
};

// The program's trial of the notes (a note on a chart no target names changes nothing).
TotalBreakdown trialOf(const ScoreSheetState& s, const std::vector<Note>& notes) {
  ScoreTrial trial;
  trial.start();
  for (const Note& n : notes)
    for (size_t t = 0; t < s.TargetEntryNo.size(); ++t)
      if (targetEntry(s, t) == n.entry && isUra(targetChart(s, t)) == (n.ura == 1)) {
        trial.set(s, t, n.score);
        break;
      }
  return trial.breakdown(s);
}

// Each level's charts as the page lists them: title, then "対象 k位", "あと N点",
// "届かない" or "対象枠なし".
std::vector<std::string> expectedLevelRows(const ScoreSheetState& s, const TotalBreakdown& b) {
  std::vector<std::string> rows;
  for (const LevelBreakdown& level : b.levels)
    for (const BreakdownRow& r : breakdownRows(s, level, displayPositions(s)))
      rows.push_back(r.title + "|" + (r.counts ? "対象 " + std::to_string(r.rank) + "位" : r.neededText));
  return rows;
}

// Opens every level's list on the page and reads its rows the same way.
const char* const ReadLevelRows = R"(
  document.querySelector('[data-tab=levels]').click();
  const all = [...document.querySelectorAll('#levels details')];
  all.forEach((d) => { d.open = true; });
  return new Promise((done) => {
    const read = () => {
      if (all.some((d) => !d.querySelector('.rows'))) return setTimeout(read, 10);
      done([...document.querySelectorAll('#levels .row')].map(
        (r) => r.querySelector('.title').textContent + '|' + r.querySelector('.side').textContent));
    };
    read();
  });)";

std::vector<std::string> pageLevelRows(test::WebDriver& browser) {
  return browser.run(ReadLevelRows).get<std::vector<std::string>>();
}

// 32 charts of level 10, the 30 in the middle at the largest score.
ScoreSheetState maxedSheet() {
  std::vector<test::RankedChart> charts{{10, 5}};
  charts.insert(charts.end(), 30, {10, test::Max32, true});
  charts.push_back({10, 7});
  return test::rankingSheet(charts);
}

// Charts of levels 7 to 10 in the numbers given, some unscored, some tied.
ScoreSheetState levelCounts(std::array<int, 4> counts) {
  std::vector<test::RankedChart> charts;
  for (size_t l = 0; l < counts.size(); ++l)
    for (int i = 0; i < counts[l]; ++i)
      charts.push_back({static_cast<int16_t>(7 + l), i % 5 == 4 ? 0 : 700000 + (i * 7919) % 5 * 10000});
  return test::rankingSheet(charts);
}

TEST_F(PhonePageTest, TotalPlacesCutOffsAndPlanAreTheProgramsOnSmallAndRandomSheets) {
  using test::Max32;
  using test::RankedChart;
  std::vector<RankedChart> tied;  // 40 + 40 charts: 15 places each; ties across the cut-off
  for (int i = 0; i < 40; ++i) tied.push_back({7, i < 10 ? 900000 : i < 25 ? 800000 : 700000 + i});
  for (int i = 0; i < 40; ++i) tied.push_back({8, i % 3 ? 850000 : 0, i % 2 == 1});
  std::vector<RankedChart> shortLevels{{7, 1}, {8, 2}, {9, 3}};
  for (int32_t score = 4; score <= 32; ++score) shortLevels.push_back({10, score});
  struct Case {
    std::string name;
    ScoreSheetState sheet;
    std::optional<int64_t> target;
  };
  std::vector<Case> cases{
      {"ties at the cut-off, before and after it in the list", test::rankingSheet(tied), 40000000},
      {"a cut-off at the 32-bit maximum: only a chart before it in the list can still count", maxedSheet(),
       int64_t{30} * Max32},
      {"counts 10, 10, 10, 10: places 7, 7, 7, 9", levelCounts({10, 10, 10, 10}), 30000000},
      {"counts 20, 20, 20, 1: places 9, 9, 9, 1, 28 charts count", levelCounts({20, 20, 20, 1}), 25000000},
      {"counts 12, 9, 6, 3: every chart counts", levelCounts({12, 9, 6, 3}), 20000000},
      {"no targets at all", test::rankingSheet({}), std::nullopt},
      {"one short level: every chart counts", test::rankingSheet({{10, 3}, {10, 1}, {10, 2}}), 6},
      {"the target passed", test::rankingSheet({{7, 500000}, {8, 600000}, {6, 999999}}), 1000000},
      {"levels of no places next to a large one", test::rankingSheet(shortLevels), 1000},
  };
  // Random sheets of 150 entries: ties, unscored charts, levels without targets, capped levels.
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    ScoreSheetState s = test::randomPhoneSheet(seed, 150);
    const int64_t total = computeTotalBreakdown(s).total;
    cases.push_back({"seed " + std::to_string(seed), std::move(s),
                     seed % 4 == 0 ? std::nullopt : std::optional<int64_t>(total + int64_t{seed} * 1234567)});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TotalBreakdown b = computeTotalBreakdown(c.sheet);
    EXPECT_EQ(summaryOf(test::writePhonePage(c.sheet, c.target)).dump(1), test::expectedPageSummary(b, c.target, 0).dump(1));
    EXPECT_EQ(pageLevelRows(browser()), expectedLevelRows(c.sheet, b));
  }
}

// Finds the chart by its title on the page, taps it and types a score into its note.
void noteThroughThePage(test::WebDriver& browser, const ScoreSheetState& s, size_t target, const std::string& typed) {
  const size_t e = targetEntry(s, target);
  const size_t chart = 2 * e + (isUra(targetChart(s, target)) ? 1 : 0);
  browser.click(browser.element("[data-tab=search]"));
  browser.run("const q = document.getElementById('query'); q.value = ''; q.dispatchEvent(new Event('input'));");
  browser.type(browser.element("#query"), entryTitle(s, e));
  // A title that is part of others ("曲1" of "曲10") may need "もっと見る".
  const std::string row = "#results .row[data-chart='" + std::to_string(chart) + "']";
  for (int more = 0; more < 20 && !browser.run("return !!document.querySelector(arguments[0]);", {row}).get<bool>(); ++more)
    browser.click(browser.element("#more"));
  browser.click(browser.element(row));
  browser.type(browser.element("#edscore"), typed);
  browser.click(browser.element("#edform button[type=submit]"));
}

TEST_F(PhonePageTest, NotesTypedOnThePageAreTheProgramsTrialAndOutliveAReload) {
  const ScoreSheetState s = test::randomPhoneSheet(3, 150);
  const int64_t target = computeTotalBreakdown(s).total + 5000000;
  const auto page = test::writePhonePage(s, target);
  browser().open(page);
  // Charts of the target list's first ten, typed as a player types: full
  // width, separators, the largest score.
  std::vector<Note> notes;
  const std::string typed[] = {"９１２，３４６", "2,147,483,647", " 0 ", "1000001", "８００００１"};
  const int32_t meant[] = {912346, 2147483647, 0, 1000001, 800001};
  for (size_t k = 0; k < std::size(typed); ++k) {
    const size_t t = 2 * k;
    noteThroughThePage(browser(), s, t, typed[k]);
    notes.push_back({targetEntry(s, t), isUra(targetChart(s, t)) ? 1 : 0, meant[k]});
  }
  // Opened again, the page reads the notes back from the browser's storage.
  EXPECT_EQ(summaryOf(page).dump(1), test::expectedPageSummary(trialOf(s, notes), target, notes.size()).dump(1));

  // A score past the 32-bit range is refused with the page's text, and no note is kept.
  noteThroughThePage(browser(), s, 20, "2,147,483,648");
  EXPECT_EQ(browser().run("return document.getElementById('ederror').textContent;"),
            "点数は 0～2,147,483,647 の整数で入力してください（例：980,000）。");
  EXPECT_EQ(browser().run("return nkPageSummary().notes;"), notes.size());

  // One note taken back from its chart's row among the notes; the rest stay, kept.
  browser().click(browser().element("#edclose"));
  browser().click(browser().element("[data-tab=notes]"));
  const size_t chart = 2 * notes[1].entry + static_cast<size_t>(notes[1].ura);
  browser().click(browser().element("#notelist .row[data-chart='" + std::to_string(chart) + "']"));
  browser().click(browser().element("#edremove"));
  notes.erase(notes.begin() + 1);
  EXPECT_EQ(summaryOf(page).dump(1), test::expectedPageSummary(trialOf(s, notes), target, notes.size()).dump(1));

  // "メモを消す" clears them, on the page and in the browser's storage.
  browser().run("window.confirm = () => true; document.getElementById('clear').click();");
  EXPECT_EQ(summaryOf(page).dump(1), test::expectedPageSummary(computeTotalBreakdown(s), target, 0).dump(1));
}

TEST_F(PhonePageTest, NotesKeptBeforeTheLoadAreReadAndWhatIsNoNoteIsLeft) {
  const ScoreSheetState s = test::randomPhoneSheet(5, 120);
  const auto page = test::writePhonePage(s, std::nullopt);
  browser().open(page);
  std::vector<Note> notes;
  json kept = json::array();
  for (size_t t = 1; t < 40; t += 3) {
    notes.push_back({targetEntry(s, t), isUra(targetChart(s, t)) ? 1 : 0, static_cast<int32_t>(t * 40000)});
    kept.push_back({notes.back().entry, notes.back().ura, notes.back().score});
  }
  size_t absentUra = 0;  // an entry without a 裏 chart
  while (chartExists(s, absentUra, Chart::Ura)) ++absentUra;
  for (const json& bad : {json{s.EntryCount, 0, 5}, json{-1, 0, 5}, json{0, 2, 5}, json{absentUra, 1, 5},
                          json{0, 0, 2147483648LL}, json{0, 0, -1}, json{0, 0, 1.5}, json{0, 0, "5"}, json{0, 0}})
    kept.push_back(bad);
  openWithStored(page, kept.dump());
  EXPECT_EQ(browser().run("return window.nkPageSummary();").dump(1), test::expectedPageSummary(trialOf(s, notes), std::nullopt, notes.size()).dump(1));
  // Storage that holds no list at all is no notes.
  openWithStored(page, "{\"x\":");
  EXPECT_EQ(browser().run("return window.nkPageSummary();").dump(1), test::expectedPageSummary(computeTotalBreakdown(s), std::nullopt, 0).dump(1));
}

TEST_F(PhonePageTest, WithoutStorageNotesLiveInThePageAndThePlayerIsTold) {
  // As some browsers do for a page opened from a file: any use of the storage throws.
  browser().runBeforeEachPage(
      "Object.defineProperty(window, 'localStorage', {get() { throw new DOMException('denied', 'SecurityError'); }});");
  const ScoreSheetState s = test::randomPhoneSheet(4, 100);
  const auto page = test::writePhonePage(s, std::nullopt);
  browser().open(page);
  EXPECT_EQ(browser().run("const w = document.getElementById('storage'); return w.hidden ? '' : w.textContent;"),
            "このブラウザはファイルから開いたページのメモを保存できません。メモはページを閉じると消えます"
            "（その前に「貼り付け用にコピー」してください）。");
  noteThroughThePage(browser(), s, 0, "１２３");
  const std::vector<Note> notes{{targetEntry(s, 0), isUra(targetChart(s, 0)) ? 1 : 0, 123}};
  EXPECT_EQ(browser().run("return nkPageSummary();").dump(1),
            test::expectedPageSummary(trialOf(s, notes), std::nullopt, 1).dump(1));
  // Nor a clipboard to write: the copy is shown selected, for the player to copy.
  browser().run("Object.defineProperty(navigator, 'clipboard', {get() { return undefined; }}); "
                "document.execCommand = () => false;");
  browser().click(browser().element("[data-tab=notes]"));
  browser().click(browser().element("#copy"));
  const json shown = browser().run(
      "const t = document.getElementById('copytext'); return [document.getElementById('copymsg').textContent, "
      "t.hidden, t.value, t.selectionStart, t.selectionEnd, document.activeElement === t];");
  const std::string text = "曲名\t譜面\t点数\n" + entryTitle(s, notes[0].entry) + (notes[0].ura ? "\t裏" : "\t表") + "\t123\n";
  const auto characters = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
  EXPECT_EQ(shown.dump(), json({"このブラウザでは自動でコピーできません。下の文字を選んでコピーしてください。", false, text, 0,
                                characters, true}).dump());
}

TEST_F(PhonePageTest, NotesThatCannotBeReadAreNeverWrittenOver) {
  const ScoreSheetState s = test::randomPhoneSheet(6, 100);
  const auto page = test::writePhonePage(s, std::nullopt);
  const std::string kept = json::array({json{targetEntry(s, 1), isUra(targetChart(s, 1)) ? 1 : 0, 777}}).dump();
  openWithStored(page, kept);
  // The storage takes writes (the page's probe) but refuses to be read.
  browser().runBeforeEachPage("Storage.prototype.getItem = () => { throw new DOMException('denied', 'SecurityError'); };");
  browser().open(page);
  noteThroughThePage(browser(), s, 0, "123");
  EXPECT_FALSE(browser().run("return document.getElementById('storage').hidden;").get<bool>());
  EXPECT_EQ(browser().run("return nkPageSummary().notes;"), 1);
  EXPECT_EQ(browser().run("return localStorage[JSON.parse(document.getElementById('sheet').textContent).id];"), kept);
}

}  // namespace
}  // namespace nk
