// page_view.h - what the ten rows of a page and the window title show, and
// paging with wrap-around. The window applies these; it computes nothing.
#pragma once

#include "data/score_state.h"

#include <array>
#include <string>

namespace nk {

// One chart of a row: its level caption and its score box.
struct ChartView {
  bool visible = false;  // level label and score box together
  std::string level;     // "？" for an unknown level
  std::string score;     // decimal text of the stored score
  // What a screen reader says of the two controls, which show only a number
  // each: the score box is named by its song and chart ("<title> 表" or
  // "<title> 裏"), the level cell described by its chart and level ("表 ☆10").
  std::string boxName;
  std::string levelDescription;
};

struct RowView {
  // false: the row is past the last entry. Its controls are hidden and keep
  // their old texts; the other members are then empty and must not be applied.
  bool visible = false;
  std::string title;
  ChartView normal;
  ChartView ura;
};

// What a row shows for entry e (an index into the entry lists, not a display
// position): its title and both charts as the page shows them.
RowView entryView(const ScoreSheetState& s, size_t e);

// Rows 0 .. 9 of s.CurrentPage. RuntimeError on an overflow of the position
// arithmetic or an index outside the lists (a state that breaks its invariants).
std::array<RowView, RowsPerPage> pageRows(const ScoreSheetState& s);

// "太鼓の達人" + version + "自己ベストスコア管理(" + page + "/" + pages + ")".
std::string pageTitle(const ScoreSheetState& s);

// One page back or forward, wrapping around at the ends.
void pageBack(ScoreSheetState& s);
void pageNext(ScoreSheetState& s);

// The page that holds a display position, and the row on it.
int16_t pageOfPosition(int16_t position);
int rowOfPosition(int16_t position);

// CurrentPage becomes the given page; false (and nothing changed) for a page
// outside 1 .. PageCount.
bool pageTo(ScoreSheetState& s, int page);

// The display position of row r on the current page, checked to 16 bits.
int16_t rowPosition(const ScoreSheetState& s, int row);

}  // namespace nk
