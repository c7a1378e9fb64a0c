// page_view.cpp - the rows of a page, its title and paging.
#include "data/page_view.h"

#include "data/numeric.h"
#include "data/sheet_catalogue.h"

namespace nk {
namespace {

const std::string UnknownLevel = "？";

// The level caption of a chart that is shown.
std::string levelText(int16_t code) { return code == LevelUnknown ? UnknownLevel : decimalText(code); }

ChartView chartView(const std::string& title, const char* chart, int16_t levelCode, int32_t score) {
  const std::string level = levelText(levelCode);
  return {true, level, decimalText(score), title + " " + chart, std::string(chart) + " ☆" + level};
}

}  // namespace

int16_t rowPosition(const ScoreSheetState& s, int row) {
  return checked16((static_cast<long long>(s.CurrentPage) - 1) * RowsPerPage + row);
}

RowView entryView(const ScoreSheetState& s, size_t e) {
  RowView row;
  row.visible = true;
  row.title = entryTitle(s, e);
  for (const Chart chart : {Chart::Normal, Chart::Ura})
    if (chartExists(s, e, chart))
      (chart == Chart::Ura ? row.ura : row.normal) =
          chartView(row.title, chartMark(chart), chartLevel(s, e, chart), chartScore(s, e, chart));
  return row;
}

std::array<RowView, RowsPerPage> pageRows(const ScoreSheetState& s) {
  std::array<RowView, RowsPerPage> rows;
  for (int r = 0; r < RowsPerPage; ++r) {
    const int16_t pos = rowPosition(s, r);
    if (pos >= s.EntryCount) continue;
    rows[static_cast<size_t>(r)] = entryView(s, entryAt(s, static_cast<size_t>(pos)));
  }
  return rows;
}

std::string pageTitle(const ScoreSheetState& s) {
  return "太鼓の達人" + decimalText(s.VersionNumber) + "自己ベストスコア管理(" + decimalText(s.CurrentPage) +
         "/" + decimalText(s.PageCount) + ")";
}

void pageBack(ScoreSheetState& s) { s.CurrentPage = s.CurrentPage > 1 ? s.CurrentPage - 1 : s.PageCount; }

void pageNext(ScoreSheetState& s) { s.CurrentPage = s.CurrentPage < s.PageCount ? s.CurrentPage + 1 : 1; }

int16_t pageOfPosition(int16_t position) { return static_cast<int16_t>(position / RowsPerPage + 1); }

int rowOfPosition(int16_t position) { return position % RowsPerPage; }

bool pageTo(ScoreSheetState& s, int page) {
  if (page < 1 || page > s.PageCount) return false;
  s.CurrentPage = static_cast<int16_t>(page);
  return true;
}

}  // namespace nk
