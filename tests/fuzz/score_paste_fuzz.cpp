// score_paste_fuzz.cpp - pasted text on any clipboard, against a small sheet
// of titles that fold alike, that CP932 lacks or that hold a comma: every
// line is used, left to the player or not used with its reason; and the
// breakdown the sheet copies reads back to exactly its scores.
#include "fuzz_support.h"
#include "total/breakdown_text.h"
#include "input/score_paste.h"
#include "sheet_builder.h"
#include "total/total_breakdown.h"

#include <QString>

#include <limits>
#include <set>

using namespace nk;
using fuzz::require;

namespace {

struct Song {
  const char* title;
  int16_t level, levelU;
};

// Look-alikes: the two wave dashes, half- and full-width, hiragana and
// katakana, the same title twice; titles CP932 lacks or writes otherwise.
const std::vector<Song> Songs = {
    {"ドンと行こう", 10, 9},      {"ﾄﾞﾝﾄﾞﾝ祭り", 8, LevelNoChart}, {"どんどん祭り", 7, 8},
    {"さくら", 7, 8},             {"さくら", 9, LevelNoChart},      {"Hello, World", 9, 7},
    {"〜波〜", 8, 10},            {"～波～", LevelNoChart, 9},      {"Ⅱ ①−㈱", 10, LevelNoChart},
    {"😀 \xC2\xA5" "100", 7, 7},     {"ヴァイオリン協奏曲", LevelNoChart, 10}, {"ＡＢＣ　ｄｅｆ", 9, 9},
};

// Every chart of levels 7 to 10 a target; shown in reverse, so that a
// position is never taken for an entry.
ScoreSheetState sheet() {
  test::SheetBuilder b;
  int16_t entryNo = 0;
  for (const Song& song : Songs) {
    b.entry({.title = song.title, .level = song.level, .score = 1000 * ++entryNo, .levelU = song.levelU});
    for (const Chart chart : {Chart::Normal, Chart::Ura})
      if (const int16_t level = chart == Chart::Ura ? song.levelU : song.level; level >= 7 && level <= 10)
        b.target(entryNo, chart, level);
  }
  return b.shownInReverse().build();
}

const ScoreSheetState Sheet = sheet();
const SongSearchIndex Index(Sheet);

int linesOf(std::string_view text) {
  int lines = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    ++lines;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return lines + (!text.empty() && text.back() != '\r' && text.back() != '\n');
}

// Lines holding more than blanks (ASCII, tab, U+3000), after a byte-order mark.
int nonBlankLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  int lines = 0;
  bool filled = false;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      lines += filled;
      filled = false;
      if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text.substr(i, 3) == "\xE3\x80\x80") {
      i += 2;
    } else if (text[i] != ' ' && text[i] != '\t') {
      filled = true;
    }
  }
  return lines;
}

// Every line accounted for, every score one a box holds, every candidate a
// chart the sheet has; the outcome counts each chart once.
void checkReview(std::string_view text, const PasteReview& review) {
  require(review.tooLarge.empty(), "a small paste was refused whole");
  const int lines = linesOf(text);
  const auto n = static_cast<int16_t>(Songs.size());
  std::set<int> named;
  for (const PastedChart& c : review.charts) {
    require(c.line >= 1 && c.line <= lines, "a chart of a line the text does not have");
    require(c.score >= 0, "a negative score");
    require(!c.found || c.candidates.size() == 1, "a found chart with more than one song");
    for (int16_t p : c.candidates) {
      require(p >= 0 && p < n, "a candidate that is no position");
      const auto e = static_cast<size_t>(Sheet.DisplayOrder[static_cast<size_t>(p)]);
      require((isUra(c.chart) ? Sheet.EntryDifficultyU[e] : Sheet.EntryDifficulty[e]) != LevelNoChart, "a candidate without the chart");
    }
    named.insert(c.line);
  }
  for (const UnusedLine& u : review.refused) {
    require(u.line >= 1 && u.line <= lines && !u.reason.empty(), "a refused line without its reason");
    named.insert(u.line);
  }
  // Only the heading line, if any, gives neither a chart nor a reason.
  require(review.blank || static_cast<int>(named.size()) + 1 >= nonBlankLines(text), "a line was dropped silently");
  const PasteOutcome o = pasteOutcome(Sheet, review, firstChoices(review));
  size_t later = 0;
  for (const UnusedLine& u : o.unused) later += !u.reason.empty();
  require(later == o.unused.size(), "an unused line without its reason");
  require(review.charts.size() ==
              o.changes.size() + static_cast<size_t>(o.same) + static_cast<size_t>(o.undecided) +
                  (o.unused.size() - review.refused.size()),
          "a chart counted twice or not at all");
  for (const PasteChange& c : o.changes) require(c.pasted != c.now && c.pasted >= 0, "a change that changes nothing");
  require(!nothingToPasteText(review).empty() && !pasteSummaryText(o).empty(), "a box without a text");
}

}  // namespace

namespace {

// The breakdown of scores made from the input, copied or saved and pasted
// onto the sheet: each chart of a title no other song folds to gets exactly
// its score; the others are left to the player, never typed elsewhere.
void checkBreakdownReadsBack(const uint8_t* data, size_t size) {
  ScoreSheetState scored = Sheet;
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
  for (size_t e = 0; e < Songs.size(); ++e) {
    for (int32_t* score : {&scored.EntryScore[e], &scored.EntryScoreU[e]}) {
      h = h * 6364136223846793005ull + 1442695040888963407ull;
      const auto pick = static_cast<uint32_t>(h >> 33);
      // Small, typical, the box's largest; none (0) now and then.
      *score = pick % 7 == 0 ? 0 : pick % 7 == 1 ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(pick % 1300000);
    }
  }
  const TotalBreakdown breakdown = computeTotalBreakdown(scored);
  for (const std::string& text : {breakdownTabText(scored, breakdown), breakdownCsv(scored, breakdown)}) {
    const PasteReview review = reviewPaste(Sheet, Index, text);
    checkReview(text, review);
    const PasteOutcome o = pasteOutcome(Sheet, review, firstChoices(review));
    SheetScores after = scoresOf(Sheet);
    for (const PasteChange& c : o.changes) {
      const auto e = static_cast<size_t>(Sheet.DisplayOrder[static_cast<size_t>(c.position)]);
      require(c.pasted == (isUra(c.chart) ? scored.EntryScoreU : scored.EntryScore)[e], "a pasted score went to another chart");
      after.of(c.chart)[e] = c.pasted;
    }
    for (size_t t = 0; t < Sheet.TargetEntryNo.size(); ++t) {
      const auto e = static_cast<size_t>(Sheet.TargetEntryNo[t] - 1);
      const bool ura = Sheet.TargetIsUra[t];
      if (Index.findEqual(Songs[e].title).size() != 1) continue;
      require((ura ? after.ura : after.normal)[e] == (ura ? scored.EntryScoreU : scored.EntryScore)[e],
              "a chart of the breakdown did not read back to its score");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The clipboard's text, as the sheet's tools hand it over: UTF-8 from Qt.
  const std::string text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).toStdString();
  checkReview(text, reviewPaste(Sheet, Index, text));
  // The breakdown's round trip costs two pastes of every chart: one input in eight.
  if (size % 8 == 0) checkBreakdownReadsBack(data, size);
  return 0;
}
