// score_paste.h - scores pasted from the clipboard ("スコアを貼り付ける"):
// the text read into charts and scores, matched with the sheet's songs, and
// reviewed before anything is typed. Nothing here writes or types.
//
// The text is lines of cells separated by tabs (when it holds any tab) or by
// commas; a cell that begins with a double quote is quoted as in CSV ("" for a
// quote inside), within its line. Its lines are one of:
// - a table with a heading row naming its columns (曲名/タイトル, 譜面 or 裏,
//   点数/スコア, compared as the search folds titles), in any order and among
//   other columns; the lines above the heading are not read (the breakdown's
//   own CSV and tab text have their total lines there). A 譜面 cell is 表, 鬼
//   (the same chart as 表) or 裏; a 裏 column holds 裏 or nothing for 表;
// - without a heading, title, chart and score, in that order, three cells;
// - lines of the score file, "entry number,normal score,裏 score".
// Scores are typed numbers (full-width digits and thousands separators read
// as the number they show), 0 to 2^31-1. A title names the songs whose folded
// title equals it; one that names several, or none, is left to the player,
// who picks one of the candidates or leaves the line. A chart named twice
// takes the last line's score.
#pragma once

#include "data/score_state.h"
#include "total/score_trial.h"
#include "input/song_search.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* PasteTitle = "スコアを貼り付ける";

// The most a paste is read for. The largest text a player copies to paste
// here is a whole breakdown of the largest sheet: 10,922 chart rows (the
// most ranking targets a list holds) and some twenty lines above them. A row
// is under 1 KiB (a 256-character title is 768 bytes of UTF-8; rank, score,
// chart, mark and the points needed are under a hundred), so such a text is
// under 11 MiB. 16,384 lines and 16 MiB take it with half as much again to
// spare (a paste at the bound, every line a title to look up on the largest
// sheet, takes a few seconds; at twice the lines, seven); a larger
// clipboard (a log, a file copied by mistake, binary data) is refused whole,
// unread, before it is cut into lines, so that no clipboard can hold the
// program for long or fill its memory.
inline constexpr size_t MostPastedLines = 16384;
inline constexpr size_t MostPastedBytes = size_t{16} << 20;

// A line (or, for a score-file line, one of its two charts) with a score.
struct PastedChart {
  int line = 0;          // 1-based
  std::string lineText;  // as pasted, tabs as blanks
  std::string title;     // as pasted (the entry's, for a score-file line)
  Chart chart = Chart::Normal;
  int32_t score = 0;
  // found: the one song of that title with that chart. Otherwise the player
  // picks: the songs of that title with the chart, or, where no title is
  // equal, those whose title holds it (possibly none).
  bool found = false;
  std::vector<int16_t> candidates;  // display positions
};

// A line that gives no score, and why.
struct UnusedLine {
  int line = 0;
  std::string lineText;
  std::string reason;
  bool operator==(const UnusedLine&) const = default;
};

struct PasteReview {
  bool blank = true;  // the text holds nothing but blanks and line ends
  // The text was past MostPastedLines or MostPastedBytes and is not read:
  // no charts and no lines, only why (Japanese).
  std::string tooLarge;
  std::vector<PastedChart> charts;
  std::vector<UnusedLine> refused;
};

PasteReview reviewPaste(const ScoreSheetState& s, const SongSearchIndex& index, std::string_view text);

// The player's picks, one per chart of the review: the found song's position,
// -1 (left) for every other.
std::vector<int16_t> firstChoices(const PasteReview& review);

// A chart whose pasted score is not the sheet's.
struct PasteChange {
  int line = 0;
  int16_t position = 0;
  Chart chart = Chart::Normal;
  int32_t now = 0;
  int32_t pasted = 0;
  bool operator==(const PasteChange&) const = default;
};

// What the picks make of the review against the sheet's scores now: the
// changes in line order, how many charts keep their score, the lines not
// decided, and every line not used (refused, or named again later) in line
// order. A pick that is not one of the chart's candidates counts as left.
struct PasteOutcome {
  std::vector<PasteChange> changes;
  int same = 0;
  int undecided = 0;
  std::vector<UnusedLine> unused;
};
PasteOutcome pasteOutcome(const ScoreSheetState& s, const PasteReview& review, const std::vector<int16_t>& choices);

// The changes for the sheet's boxes, in display order.
std::vector<TypedScore> pastedScores(const PasteOutcome& outcome);

// The texts of the review's three lists.
enum PasteChangeColumn { PasteColLine, PasteColTitle, PasteColChart, PasteColNow, PasteColPasted, PasteChangeColumns };
const char* pasteChangeColumnName(int column);
std::vector<std::string> pasteChangeCells(const ScoreSheetState& s, const PasteChange& change);
enum PasteChoiceColumn { ChoiceColLine, ChoiceColTitle, ChoiceColChart, ChoiceColScore, ChoiceColSong, PasteChoiceColumns };
const char* pasteChoiceColumnName(int column);
std::vector<std::string> pasteChoiceCells(const PastedChart& chart);  // all but the song column
// The song column's items: "leave" first, then each candidate.
std::vector<std::string> pasteChoiceItems(const ScoreSheetState& s, const PastedChart& chart);
enum UnusedColumn { UnusedColLine, UnusedColText, UnusedColReason, UnusedColumns };
const char* unusedColumnName(int column);
std::vector<std::string> unusedCells(const UnusedLine& line);

std::string pasteSummaryText(const PasteOutcome& outcome);
// The box when no line of the clipboard gives a score (or it holds no text,
// or more than is read).
std::string nothingToPasteText(const PasteReview& review);
std::string typedFromPasteText(int typed);

}  // namespace nk
