// score_paste_text.cpp - the texts of the paste's review: its three lists'
// columns and cells, its summary and its boxes.
#include "input/score_paste.h"

#include "data/display_text.h"
#include "data/numeric.h"
#include "data/page_view.h"
#include "data/sheet_catalogue.h"

#include <array>

namespace nk {

const char* pasteChangeColumnName(int column) {
  static constexpr std::array<const char*, PasteChangeColumns> names = {"行", "曲名", "譜面", "今", "貼り付け"};
  return column >= 0 && column < PasteChangeColumns ? names[static_cast<size_t>(column)] : "";
}

std::vector<std::string> pasteChangeCells(const ScoreSheetState& s, const PasteChange& c) {
  return {decimalText(c.line), entryTitle(s, entryAt(s, static_cast<size_t>(c.position))), chartMark(c.chart), groupedDecimal(c.now), groupedDecimal(c.pasted)};
}

const char* pasteChoiceColumnName(int column) {
  static constexpr std::array<const char*, PasteChoiceColumns> names = {"行", "貼り付けた曲名", "譜面", "点数", "曲"};
  return column >= 0 && column < PasteChoiceColumns ? names[static_cast<size_t>(column)] : "";
}

std::vector<std::string> pasteChoiceCells(const PastedChart& c) {
  return {decimalText(c.line), c.title, chartMark(c.chart), groupedDecimal(c.score)};
}

std::vector<std::string> pasteChoiceItems(const ScoreSheetState& s, const PastedChart& c) {
  std::vector<std::string> items = {c.candidates.empty() ? "（似た曲名がありません）" : "（入力しない）"};
  for (int16_t p : c.candidates) {
    const size_t e = entryAt(s, static_cast<size_t>(p));
    items.push_back(entryTitle(s, e) + "（" + s.EntryGenre.at(e) + "・" + decimalText(pageOfPosition(p)) + "ページ）");
  }
  return items;
}

const char* unusedColumnName(int column) {
  static constexpr std::array<const char*, UnusedColumns> names = {"行", "内容", "使わない理由"};
  return column >= 0 && column < UnusedColumns ? names[static_cast<size_t>(column)] : "";
}

std::vector<std::string> unusedCells(const UnusedLine& line) {
  return {decimalText(line.line), line.lineText, line.reason};
}

std::string pasteSummaryText(const PasteOutcome& o) {
  std::string text = o.changes.empty() ? "入力する点数はありません。"
                                       : groupedDecimal(static_cast<int64_t>(o.changes.size())) +
                                             " 譜面の点数を入力します（保存するまでファイルは変わりません）。";
  if (o.same) text += groupedDecimal(o.same) + " 譜面は今と同じ点数です。";
  if (o.undecided) text += "曲が決まっていない行が " + groupedDecimal(o.undecided) + " 行あります。";
  if (!o.unused.empty()) text += "使わない行が " + groupedDecimal(static_cast<int64_t>(o.unused.size())) + " 行あります。";
  return text;
}

std::string nothingToPasteText(const PasteReview& review) {
  if (!review.tooLarge.empty()) return review.tooLarge;
  if (review.blank) return "クリップボードに文字がありません。曲名・譜面・点数の行をコピーしてから貼り付けてください。";
  std::string text = "クリップボードの文字に、入力できる点数の行がありません。";
  constexpr size_t Shown = 3;
  for (size_t k = 0; k < review.refused.size() && k < Shown; ++k)
    text += "\n" + decimalText(review.refused[k].line) + " 行目: " + review.refused[k].reason;
  if (review.refused.size() > Shown)
    text += "\nほか " + groupedDecimal(static_cast<int64_t>(review.refused.size() - Shown)) + " 行";
  return text;
}

std::string typedFromPasteText(int typed) {
  return "貼り付けた点数を " + groupedDecimal(typed) + " 譜面に入力しました。保存するまでファイルは変わりません。";
}

}  // namespace nk
