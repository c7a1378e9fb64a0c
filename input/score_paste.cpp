// score_paste.cpp - the pasted text read, matched and reviewed.
#include "input/score_paste.h"

#include "data/delimited_text.h"
#include "data/display_text.h"
#include "data/numeric.h"
#include "data/sheet_catalogue.h"
#include "data/typed_number.h"
#include "total/breakdown_text.h"
#include "data/page_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <map>
#include <optional>
#include <utility>

namespace nk {
namespace {

constexpr std::string_view IdeographicSpace = "\xE3\x80\x80";
// Songs offered for a title that no song has; more would not be read.
constexpr size_t NearLimit = 20;

const std::string NoCellsReason = "列が足りません（曲名・譜面・点数の順に並べるか、見出しの行を付けてください）";
const std::string TooManyCellsReason = "列が多すぎます（点数の「,」は \"980,000\" のように引用符で囲んでください）";

enum class Role { None, Title, Chart, UraFlag, Score };

struct Columns {
  size_t title = 0, chart = 0, score = 0, count = 0;
  bool hasChart = false, uraFlag = false;
};

std::string_view trimmed(std::string_view text) {
  for (;;) {
    if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    else if (text.starts_with(IdeographicSpace)) text.remove_prefix(IdeographicSpace.size());
    else if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    else if (text.ends_with(IdeographicSpace)) text.remove_suffix(IdeographicSpace.size());
    else return text;
  }
}

// The line's cells, each trimmed of blanks; see delimited_text.h for quotes.
std::vector<std::string> trimmedCells(std::string_view line, char separator) {
  std::vector<std::string> cells = splitCells(line, separator);
  for (std::string& cell : cells) cell = std::string(trimmed(cell));
  return cells;
}

Role roleOf(const std::string& cell) {
  static const std::vector<std::pair<std::string, Role>> words = [] {
    std::vector<std::pair<std::string, Role>> w;
    for (const char* t : {"曲名", "タイトル", "曲", "title", "song"}) w.emplace_back(foldedText(t), Role::Title);
    for (const char* t : {"譜面", "表/裏", "表裏", "chart"}) w.emplace_back(foldedText(t), Role::Chart);
    w.emplace_back(foldedText(UraChartMark), Role::UraFlag);
    for (const char* t : {"点数", "スコア", "得点", "score"}) w.emplace_back(foldedText(t), Role::Score);
    return w;
  }();
  const std::string folded = foldedText(cell);
  for (const auto& [word, role] : words)
    if (word == folded) return role;
  return Role::None;
}

// The first cell of each role; a heading needs a title and a score.
std::optional<Columns> headingOf(const std::vector<std::string>& cells) {
  Columns c;
  bool title = false, score = false;
  for (size_t k = 0; k < cells.size(); ++k) {
    const Role role = roleOf(cells[k]);
    if (role == Role::Title && !title) { c.title = k; title = true; }
    if (role == Role::Score && !score) { c.score = k; score = true; }
    if ((role == Role::Chart || role == Role::UraFlag) && !c.hasChart) {
      c.chart = k;
      c.hasChart = true;
      c.uraFlag = role == Role::UraFlag;
    }
  }
  c.count = cells.size();
  if (!title || !score) return std::nullopt;
  return c;
}

std::optional<Chart> chartOfCell(const std::string& cell, bool uraFlag) {
  if (cell == NormalChartMark || cell == "鬼" || (uraFlag && cell.empty())) return Chart::Normal;
  if (cell == UraChartMark) return Chart::Ura;
  return std::nullopt;
}

bool isInteger(const std::string& cell, bool sign) {
  const size_t from = sign && cell.starts_with('-') ? 1 : 0;
  return cell.size() > from && std::all_of(cell.begin() + static_cast<ptrdiff_t>(from), cell.end(),
                                           [](char c) { return c >= '0' && c <= '9'; });
}

std::string noChartReason(const std::string& title, Chart chart) {
  return "「" + title + "」に" + chartMark(chart) + "譜面はありません";
}

class Reader {
public:
  Reader(const ScoreSheetState& s, const SongSearchIndex& index, PasteReview& review)
      : s_(s), index_(index), review_(review), positions_(displayPositions(s)) {}

  void refuse(int line, std::string_view text, std::string reason) {
    review_.refused.push_back({line, std::string(text), std::move(reason)});
  }

  // Title, chart and score cells of one line.
  void readChart(int line, std::string_view text, const std::string& title, const std::string& chart,
                 const std::string& score, bool uraFlag) {
    if (title.empty()) return refuse(line, text, "曲名がありません");
    const std::optional<Chart> kind = chartOfCell(chart, uraFlag);
    if (!kind) return refuse(line, text, "譜面「" + chart + "」が分かりません（表・鬼・裏のどれか）");
    const std::optional<int32_t> points = scoreOf(line, text, score);
    if (!points) return;
    std::vector<int16_t> equal = index_.findEqual(title);
    std::vector<int16_t> withChart = having(equal, *kind);
    if (!equal.empty() && withChart.empty()) return refuse(line, text, noChartReason(title, *kind));
    PastedChart c{line, std::string(text), title, *kind, *points, withChart.size() == 1, std::move(withChart)};
    if (equal.empty()) c.candidates = having(index_.find(title, NearLimit).positions, *kind);
    review_.charts.push_back(std::move(c));
  }

  void readScoreFileLine(int line, std::string_view text, const std::vector<std::string>& cells) {
    int64_t number = 0;
    const std::errc error = std::from_chars(cells[0].data(), cells[0].data() + cells[0].size(), number).ec;
    if (error != std::errc() || number < 1 || number > s_.EntryCount || positions_.at(static_cast<size_t>(number - 1)) < 0)
      return refuse(line, text, "番号 " + cells[0] + " の曲はありません（1～" + decimalText(s_.EntryCount) + "）");
    const auto e = static_cast<size_t>(number - 1);
    const std::string& title = entryTitle(s_, e);
    for (const Chart chart : {Chart::Normal, Chart::Ura}) {
      const std::optional<int32_t> points = scoreOf(line, text, cells[isUra(chart) ? 2 : 1]);
      if (!points) continue;
      if (!chartExists(s_, e, chart)) {
        // The file keeps a 0 for the chart the version lacks.
        if (*points != 0) refuse(line, text, noChartReason(title, chart));
        continue;
      }
      review_.charts.push_back({line, std::string(text), title, chart, *points, true, {positions_[e]}});
    }
  }

private:
  std::optional<int32_t> scoreOf(int line, std::string_view text, const std::string& cell) {
    const auto n = parseTypedNumber(cell, 0, std::numeric_limits<int32_t>::max());
    if (!n) refuse(line, text, "点数「" + cell + "」は 0～2,147,483,647 の整数ではありません");
    else if (!*n) refuse(line, text, "点数がありません");
    else return static_cast<int32_t>(**n);
    return std::nullopt;
  }

  std::vector<int16_t> having(const std::vector<int16_t>& positions, Chart chart) const {
    std::vector<int16_t> kept;
    for (int16_t p : positions)
      if (chartExists(s_, entryAt(s_, static_cast<size_t>(p)), chart)) kept.push_back(p);
    return kept;
  }

  const ScoreSheetState& s_;
  const SongSearchIndex& index_;
  PasteReview& review_;
  std::vector<int16_t> positions_;
};

std::string shownLine(std::string_view line) {
  std::string text(line);
  std::replace(text.begin(), text.end(), '\t', ' ');
  return text;
}

// The lines of the text as splitLines cuts them, counted up to one past most.
size_t linesUpTo(std::string_view text, size_t most) {
  size_t lines = 0;
  for (size_t i = 0; i < text.size() && lines <= most; ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    ++lines;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  const bool unended = !text.empty() && text.back() != '\r' && text.back() != '\n';
  return lines + unended;
}

std::string tooLargeText(std::string_view text) {
  const std::string what = text.size() > MostPastedBytes
                               ? groupedDecimal(static_cast<int64_t>(text.size())) + " バイト"
                               : groupedDecimal(static_cast<int64_t>(MostPastedLines)) + " 行を超えています";
  return "クリップボードの文字が多すぎるため読みません（" + what + "）。一度に貼り付けられるのは " +
         groupedDecimal(static_cast<int64_t>(MostPastedLines)) + " 行、" +
         groupedDecimal(static_cast<int64_t>(MostPastedBytes)) + " バイトまでです。分けてコピーしてください。";
}

}  // namespace

PasteReview reviewPaste(const ScoreSheetState& s, const SongSearchIndex& index, std::string_view text) {
  PasteReview review;
  if (text.size() > MostPastedBytes || linesUpTo(text, MostPastedLines) > MostPastedLines) {
    review.blank = false;
    review.tooLarge = tooLargeText(text);
    return review;
  }
  text = withoutBom(text);
  const char separator = text.find('\t') != std::string_view::npos ? '\t' : ',';
  const std::vector<std::string_view> lines = splitLines(text);
  std::vector<std::vector<std::string>> cells;
  std::optional<Columns> heading;
  size_t headingLine = 0;
  for (std::string_view line : lines) {
    cells.push_back(trimmedCells(line, separator));
    if (!heading && (heading = headingOf(cells.back()))) headingLine = cells.size() - 1;
  }
  Reader reader(s, index, review);
  for (size_t k = 0; k < lines.size(); ++k) {
    if (trimmed(lines[k]).empty()) continue;
    review.blank = false;
    const int line = static_cast<int>(std::min<size_t>(k + 1, std::numeric_limits<int>::max()));
    const std::string shown = shownLine(lines[k]);
    const std::vector<std::string>& row = cells[k];
    if (heading && k < headingLine) {
      reader.refuse(line, shown, "見出しの行より前の行です");
    } else if (heading && k == headingLine) {
      continue;
    } else if (heading) {
      if (row.size() > heading->count) {
        reader.refuse(line, shown, TooManyCellsReason);
        continue;
      }
      const auto cell = [&row](size_t c) { return c < row.size() ? row[c] : std::string(); };
      reader.readChart(line, shown, cell(heading->title), heading->hasChart ? cell(heading->chart) : NormalChartMark,
                       cell(heading->score), heading->uraFlag);
    } else if (row.size() == 3 && isInteger(row[0], false) && isInteger(row[1], true) && isInteger(row[2], true)) {
      reader.readScoreFileLine(line, shown, row);
    } else if (row.size() != 3) {
      reader.refuse(line, shown, row.size() < 3 ? NoCellsReason : TooManyCellsReason);
    } else {
      reader.readChart(line, shown, row[0], row[1], row[2], false);
    }
  }
  return review;
}

std::vector<int16_t> firstChoices(const PasteReview& review) {
  std::vector<int16_t> choices;
  for (const PastedChart& c : review.charts) choices.push_back(c.found ? c.candidates.front() : int16_t{-1});
  return choices;
}

PasteOutcome pasteOutcome(const ScoreSheetState& s, const PasteReview& review, const std::vector<int16_t>& choices) {
  PasteOutcome outcome;
  std::vector<int16_t> picked(review.charts.size(), -1);
  std::map<std::pair<int16_t, Chart>, size_t> last;
  for (size_t i = 0; i < review.charts.size(); ++i) {
    const PastedChart& c = review.charts[i];
    const int16_t pick = c.found ? c.candidates.front() : i < choices.size() ? choices[i] : int16_t{-1};
    if (std::find(c.candidates.begin(), c.candidates.end(), pick) == c.candidates.end()) {
      ++outcome.undecided;
      continue;
    }
    picked[i] = pick;
    last[{pick, c.chart}] = i;
  }
  outcome.unused = review.refused;
  for (size_t i = 0; i < review.charts.size(); ++i) {
    const PastedChart& c = review.charts[i];
    if (picked[i] < 0) continue;
    const size_t winner = last.at({picked[i], c.chart});
    if (winner != i) {
      outcome.unused.push_back({c.line, c.lineText,
                                "後の " + decimalText(review.charts[winner].line) + " 行目が同じ譜面です（後の行を使います）"});
      continue;
    }
    const int32_t now = chartScore(s, entryAt(s, static_cast<size_t>(picked[i])), c.chart);
    if (now == c.score) ++outcome.same;
    else outcome.changes.push_back({c.line, picked[i], c.chart, now, c.score});
  }
  std::stable_sort(outcome.unused.begin(), outcome.unused.end(),
                   [](const UnusedLine& x, const UnusedLine& y) { return x.line < y.line; });
  return outcome;
}

std::vector<TypedScore> pastedScores(const PasteOutcome& outcome) {
  std::vector<TypedScore> typed;
  for (const PasteChange& c : outcome.changes) typed.push_back({c.position, c.chart, c.pasted});
  std::stable_sort(typed.begin(), typed.end(),
                   [](const TypedScore& x, const TypedScore& y) { return x.displayPosition < y.displayPosition; });
  return typed;
}

}  // namespace nk
