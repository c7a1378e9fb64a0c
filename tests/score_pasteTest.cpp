// score_pasteTest.cpp - pasted texts read, matched and reviewed, with the
// review's exact texts; plain, without a QApplication.
#include "total/breakdown_text.h"
#include "input/score_paste.h"
#include "total/total_breakdown.h"
#include "sheet_builder.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace nk {
namespace {

struct Song {
  const char* title;
  const char* genre;
  int16_t level, levelU;
  int32_t score;
};

// Entry e is song e + 1, shown in reverse order (display position 6 - e).
const std::vector<Song> Songs = {
    {"ドンと行こう", "J-POP", 10, 9, 500000},    {"ﾄﾞﾝﾄﾞﾝ祭り", "アニメ", 8, LevelNoChart, 0},
    {"さくら", "J-POP", 7, 8, 0},                {"さくら", "クラシック", 9, LevelNoChart, 0},
    {"Hello, World", "その他", 6, 7, 0},         {"ヴァイオリン協奏曲", "クラシック", LevelNoChart, 10, 0},
    {"さくら咲く", "J-POP", 5, 0, 0},  // a 裏 chart of level code 0 is no chart
};

ScoreSheetState sheet() {
  test::SheetBuilder sheet;
  for (const Song& song : Songs)
    sheet.entry({.title = song.title, .level = song.level, .score = song.score, .levelU = song.levelU, .genre = song.genre});
  // Two ranking targets: ドンと行こう 表 (☆10) and Hello, World 裏 (☆7).
  return sheet.target(1, Chart::Normal, 10).target(5, Chart::Ura, 7).shownInReverse().build();
}

std::string joined(const std::vector<std::string>& cells) {
  std::string text;
  for (const std::string& c : cells) text += (text.empty() ? "" : "|") + c;
  return text;
}

// Changes, then the lines to pick for with their items, then the unused
// lines ("x"), then the summary; as the dialog shows them before any pick.
std::vector<std::string> shown(const ScoreSheetState& s, const PasteReview& review) {
  const PasteOutcome outcome = pasteOutcome(s, review, firstChoices(review));
  std::vector<std::string> lines;
  for (const PasteChange& c : outcome.changes) lines.push_back(joined(pasteChangeCells(s, c)));
  for (const PastedChart& c : review.charts)
    if (!c.found) lines.push_back("?" + joined(pasteChoiceCells(c)) + "|" + joined(pasteChoiceItems(s, c)));
  for (const UnusedLine& u : outcome.unused) lines.push_back("x" + joined(unusedCells(u)));
  lines.push_back(pasteSummaryText(outcome));
  return lines;
}

TEST(ScorePaste, PastedLinesBecomeAReviewWithItsTexts) {
  const ScoreSheetState s = sheet();
  const SongSearchIndex index(s);
  // The breakdown of other scores, as its window copies and saves it.
  const TotalBreakdown other = computeTotalBreakdown(s, {{990000, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 12345, 0, 0}});
  const std::vector<std::string> fromBreakdown = {
      "8|Hello, World|裏|0|12,345", "9|ドンと行こう|表|500,000|990,000", "x1|総合得点 1002345点|見出しの行より前の行です",
      "x2|☆×７　収録曲 1曲／課題曲 1曲　対象合計 12345点　最低対象点 －（全曲対象）　入力済み 1曲|見出しの行より前の行です",
      "x3|☆×８　収録曲 0曲／課題曲 0曲　対象合計 0点　最低対象点 －　入力済み 0曲|見出しの行より前の行です",
      "x4|☆×９　収録曲 0曲／課題曲 0曲　対象合計 0点　最低対象点 －　入力済み 0曲|見出しの行より前の行です",
      "x5|☆×10　収録曲 1曲／課題曲 1曲　対象合計 990000点　最低対象点 －（全曲対象）　入力済み 1曲|見出しの行より前の行です",
      "2 譜面の点数を入力します（保存するまでファイルは変わりません）。使わない行が 5 行あります。"};
  const std::string tooMany = "列が多すぎます（点数の「,」は \"980,000\" のように引用符で囲んでください）";
  const std::string leave = "（入力しない）";
  struct Case {
    std::string text;
    std::vector<std::string> shown;
  } cases[] = {
      // A heading in another order, tabs, CR LF, full-width digits, 鬼, hiragana and half-width titles.
      {"点数\t曲名\t譜面\r\n９８０，０００\tどんと行こう\t鬼\r\n1,000\tドンドン祭リ\t表\r\n",
       {"2|ドンと行こう|表|500,000|980,000", "3|ﾄﾞﾝﾄﾞﾝ祭り|表|0|1,000",
        "2 譜面の点数を入力します（保存するまでファイルは変わりません）。"}},
      // No heading, commas, LF, a quoted title and score; an ambiguous title (the 裏 decides one), a
      // part of titles, an unknown title, a chart the song lacks, a score the sheet has; a quoted
      // title's doubled quote is one quote.
      {"\"Hello, World\",裏,\"12,345\"\nさくら,表,1\nさく,表,2\n桜,表,3\nヴァイオリン協奏曲,表,4\n"
       "ドンと行こう,表,500000\nさくら,裏,5\n\"Say \"\"Hi\"\"\",表,6\n",
       {"1|Hello, World|裏|0|12,345", "7|さくら|裏|0|5",
        "?2|さくら|表|1|" + leave + "|さくら（クラシック・1ページ）|さくら（J-POP・1ページ）",
        "?3|さく|表|2|" + leave + "|さくら咲く（J-POP・1ページ）|さくら（クラシック・1ページ）|さくら（J-POP・1ページ）",
        "?4|桜|表|3|（似た曲名がありません）", "?8|Say \"Hi\"|表|6|（似た曲名がありません）",
        "x5|ヴァイオリン協奏曲,表,4|「ヴァイオリン協奏曲」に表譜面はありません",
        "2 譜面の点数を入力します（保存するまでファイルは変わりません）。1 譜面は今と同じ点数です。"
        "曲が決まっていない行が 4 行あります。使わない行が 1 行あります。"}},
      {breakdownCsv(s, other), fromBreakdown},
      {breakdownTabText(s, other), fromBreakdown},
      // The score file's own lines: a 0 for a chart the version lacks is no line of its own; the
      // last entry is one of them; a 裏 chart of level code 0 takes no score.
      {"1,600000,0\r\n6,0,777\r\n2,5,9\r\n99,1,1\r\n7,300,1\r\n\r\n",
       {"1|ドンと行こう|表|500,000|600,000", "2|ヴァイオリン協奏曲|裏|0|777", "3|ﾄﾞﾝﾄﾞﾝ祭り|表|0|5",
        "5|さくら咲く|表|0|300", "x3|2,5,9|「ﾄﾞﾝﾄﾞﾝ祭り」に裏譜面はありません",
        "x4|99,1,1|番号 99 の曲はありません（1～7）", "x5|7,300,1|「さくら咲く」に裏譜面はありません",
        "4 譜面の点数を入力します（保存するまでファイルは変わりません）。1 譜面は今と同じ点数です。使わない行が 3 行あります。"}},
      // Refusals; a chart named twice takes the later line.
      {"ドンと行こう,表,2147483648\nドンと行こう,裏,1\nどんと行こう,裏,2\nドンと行こう,表,-5\nドンと行こう,表,\n"
       "ドンと行こう,お,1\n ,表,1\nHello,表\nHello, World,表,1\nさくら咲く,表,2147483647\n",
       {"3|ドンと行こう|裏|0|2", "10|さくら咲く|表|0|2,147,483,647",
        "x1|ドンと行こう,表,2147483648|点数「2147483648」は 0～2,147,483,647 の整数ではありません",
        "x2|ドンと行こう,裏,1|後の 3 行目が同じ譜面です（後の行を使います）",
        "x4|ドンと行こう,表,-5|点数「-5」は 0～2,147,483,647 の整数ではありません",
        "x5|ドンと行こう,表,|点数がありません", "x6|ドンと行こう,お,1|譜面「お」が分かりません（表・鬼・裏のどれか）",
        "x7| ,表,1|曲名がありません",
        "x8|Hello,表|列が足りません（曲名・譜面・点数の順に並べるか、見出しの行を付けてください）",
        "x9|Hello, World,表,1|" + tooMany,
        "2 譜面の点数を入力します（保存するまでファイルは変わりません）。使わない行が 8 行あります。"}},
      // A heading of other words and without a chart column: every line is 表; of two title
      // columns the first is the title.
      {"TITLE,ＳＣＯＲＥ,Song\rさくら咲く,100,\r\"Hello, World\",\"1,000\",x,y\r",
       {"2|さくら咲く|表|0|100", "x3|\"Hello, World\",\"1,000\",x,y|" + tooMany,
        "1 譜面の点数を入力します（保存するまでファイルは変わりません）。使わない行が 1 行あります。"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const PasteReview review = reviewPaste(s, index, c.text);
    EXPECT_FALSE(review.blank);
    EXPECT_EQ(shown(s, review), c.shown);
  }
}

TEST(ScorePaste, PicksDecideTheLinesLeftAndTheLastLineOfAChartWins) {
  const ScoreSheetState s = sheet();
  const SongSearchIndex index(s);
  const PasteReview review = reviewPaste(s, index, "さくら,表,100\nさく,表,200\nさくら咲く,表,300\n");
  ASSERT_EQ(review.charts.size(), 3u);
  // さくら (J-POP) is position 4; さくら咲く is position 0, named again on line 3.
  const PasteOutcome o = pasteOutcome(s, review, {4, 0, -1});
  EXPECT_EQ(o.changes, (std::vector<PasteChange>{{1, 4, Chart::Normal, 0, 100}, {3, 0, Chart::Normal, 0, 300}}));
  EXPECT_EQ(o.unused, (std::vector<UnusedLine>{{2, "さく,表,200", "後の 3 行目が同じ譜面です（後の行を使います）"}}));
  EXPECT_EQ(pastedScores(o), (std::vector<TypedScore>{{0, Chart::Normal, 300}, {4, Chart::Normal, 100}}));
  // A pick that is not a candidate (position 1 is ﾄﾞﾝﾄﾞﾝ祭り) leaves its line.
  const PasteOutcome wrong = pasteOutcome(s, review, {1, -1, -1});
  EXPECT_EQ(wrong.undecided, 2);
  EXPECT_EQ(wrong.changes.size(), 1u);
}

// A clipboard past what any player pastes is refused whole, unread; up to
// that it is read line by line, binary bytes and NUL as any other text.
TEST(ScorePaste, AClipboardPastTheBoundIsRefusedWholeAndBinaryTextLineByLine) {
  const ScoreSheetState s = sheet();
  const SongSearchIndex index(s);
  std::string lines;
  for (size_t k = 0; k < MostPastedLines; ++k) lines += "x\n";
  const std::string tail = "クリップボードの文字が多すぎるため読みません（";
  const std::string rest = "）。一度に貼り付けられるのは 16,384 行、16,777,216 バイトまでです。分けてコピーしてください。";
  static const char bytes[] = "\0\xFF\x01\tx\n\x80\x80,表,\0\nドンと行こう\t表\t990000\r\n\xFE\xFF";
  const std::string binary(bytes, sizeof bytes - 1);
  const std::string chart = "ドンと行こう,表,990000\n";
  const struct {
    const char* what;
    std::string text;
    size_t charts, refused;
    std::string box;  // empty: a chart was read
  } cases[] = {
      {"50 MB", chart + std::string(50'000'000, 'a'), 0, 0, tail + "50,000,030 バイト" + rest},
      {"16 MiB", chart + std::string(MostPastedBytes - chart.size(), 'a'), 1, 1, ""},
      {"a byte more", chart + std::string(MostPastedBytes - chart.size() + 1, 'a'), 0, 0, tail + "16,777,217 バイト" + rest},
      {"a million lines", std::string(1'000'000, '\n') + "ドンと行こう,表,990000", 0, 0, tail + "16,384 行を超えています" + rest},
      {"one line more", lines + "y", 0, 0, tail + "16,384 行を超えています" + rest},
      {"the most lines", lines, 0, MostPastedLines, ""},
      {"binary", binary, 1, 3, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PasteReview review = reviewPaste(s, index, c.text);
    EXPECT_EQ(review.charts.size(), c.charts);
    EXPECT_EQ(review.refused.size(), c.refused);
    if (!c.box.empty()) {
      EXPECT_EQ(nothingToPasteText(review), c.box);
    }
  }
}

TEST(ScorePaste, NothingToPasteSaysWhy) {
  const ScoreSheetState s = sheet();
  const SongSearchIndex index(s);
  const std::string blank = "クリップボードに文字がありません。曲名・譜面・点数の行をコピーしてから貼り付けてください。";
  const std::string none = "クリップボードの文字に、入力できる点数の行がありません。";
  struct Case {
    const char* text;
    std::string box;
  } cases[] = {
      {"", blank},
      {" \r\n\t\n\xE3\x80\x80", blank},
      {"\xEF\xBB\xBF", blank},
      {"a\nb,裏,x\n", none + "\n1 行目: 列が足りません（曲名・譜面・点数の順に並べるか、見出しの行を付けてください）"
                             "\n2 行目: 点数「x」は 0～2,147,483,647 の整数ではありません"},
      {"a,表,\nb,表,\nc,表,\nd,表,\n", none + "\n1 行目: 点数がありません\n2 行目: 点数がありません\n3 行目: 点数がありません\nほか 1 行"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const PasteReview review = reviewPaste(s, index, c.text);
    EXPECT_TRUE(review.charts.empty());
    EXPECT_EQ(nothingToPasteText(review), c.box);
  }
  EXPECT_EQ(typedFromPasteText(1234), "貼り付けた点数を 1,234 譜面に入力しました。保存するまでファイルは変わりません。");
}

}  // namespace
}  // namespace nk
