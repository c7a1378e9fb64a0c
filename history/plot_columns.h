// plot_columns.h - a line of many points reduced to what a screen can show:
// at most one entry per pixel column, holding the lowest and the highest
// value of the column's points, so that no peak is lost, and the first and
// the last, so that the line joins the next column where it really does.
// Drawn as first -> low -> high -> last at the column, the line covers the
// same pixels as a line through every point. Each of the four keeps the
// index of its point, so what lies under the mouse is found among the few
// points drawn at a column, never by going through every point.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace nk {

struct PlotColumn {
  int column = 0;  // 0 .. columns - 1
  int64_t first = 0;
  int64_t low = 0;
  int64_t high = 0;
  int64_t last = 0;
  // The indices of those points; of equal lowest or highest values the first.
  size_t firstAt = 0;
  size_t lowAt = 0;
  size_t highAt = 0;
  size_t lastAt = 0;

  bool operator==(const PlotColumn&) const = default;
};

// The column of time on an axis from `from` to `to` that is `columns` pixels
// wide: from falls into column 0, to into the last; times outside are
// clamped to the ends.
int plotColumnOf(int64_t time, int64_t from, int64_t to, int columns);

// The n points (timeAt(i), valueAt(i)) in their order, read where they are
// held, so a line of records need not be copied into vectors of its own
// first: one entry per run of points in the same column. Times in ascending
// order give at most one entry per column; a time that goes back (a clock set
// back) starts a new entry, so the line still runs through the points in
// their order. Nothing for no columns or no points.
template <class TimeAt, class ValueAt>
std::vector<PlotColumn> plotColumnsOf(size_t n, TimeAt timeAt, ValueAt valueAt, int64_t from, int64_t to,
                                      int columns) {
  std::vector<PlotColumn> out;
  if (columns <= 0) return out;
  for (size_t i = 0; i < n; ++i) {
    const int column = plotColumnOf(timeAt(i), from, to, columns);
    const int64_t v = valueAt(i);
    if (!out.empty() && out.back().column == column) {
      PlotColumn& c = out.back();
      if (v < c.low) {
        c.low = v;
        c.lowAt = i;
      }
      if (v > c.high) {
        c.high = v;
        c.highAt = i;
      }
      c.last = v;
      c.lastAt = i;
    } else {
      out.push_back({column, v, v, v, v, i, i, i, i});
    }
  }
  return out;
}

}  // namespace nk
