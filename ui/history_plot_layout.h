// history_plot_layout.h - where everything of the history's plot stands, as a
// value worked out from the widget's size, its font and the view: the title,
// the plot's frame, the ticks and labels of both axes (plot_ticks.h), the
// legend's entries, and each line reduced to its pixel columns
// (plot_columns.h) and the segments drawn through them.
//
// The widget paints a layout and looks up in it what lies under the mouse;
// a change of records, size or font makes a new one. The time axis follows
// the machine's clock (ticks on local midnights); the texts of a point give
// the time as the record was written, with its own offset from UTC, as the
// list beside the plot does.
#pragma once

#include "history/history_view.h"
#include "history/plot_columns.h"

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace nk {

// The lines: the total, then the sums of levels 7 to 10.
struct HistorySeries {
  enum Id { Total, Level7, Level8, Level9, Level10 };
  static constexpr int Count = 5;
};

inline constexpr const char* HistoryPlotTitle = "総合得点の推移";
// "総合得点", "☆7" .. "☆10".
QString historySeriesName(int series);
// A record's value on a line.
int64_t historySeriesValue(const HistoryRecord& entry, int series);
// What the label at a point says: "☆9 1,234,567", newline, "2026-05-09 20:14".
QString historyPointText(const HistoryRecord& entry, int series);
// The title's font: the widget's, bold and a quarter larger.
QFont historyPlotTitleFont(QFont font);

// A record's point on one line.
struct HistoryPoint {
  int series = 0;
  size_t index = 0;  // in the view's records

  bool operator==(const HistoryPoint&) const = default;
};

struct HistoryPlotLayout {
  // Pixels the drawing shares with the layout: the ticks' length, the legend
  // entry's line, the room between a swatch, a label and the next thing.
  static constexpr int TickLength = 4;
  static constexpr int Swatch = 22;
  static constexpr int Gap = 6;

  // A text on an axis and where it is drawn.
  struct AxisLabel {
    QString text;
    QRect rect;
  };

  // What it was laid out from: the records, oldest first, shared with the
  // list, and the span of the time axis in milliseconds since 1970 UTC.
  std::shared_ptr<const std::vector<HistoryRecord>> records = std::make_shared<const std::vector<HistoryRecord>>();
  int64_t from = 0;
  int64_t to = 1;

  QRect title;
  QRect plot;
  int64_t bottom = 0;  // the value axis runs from bottom (0 unless a line goes below it)
  int64_t top = 1;     // to top
  std::array<QRect, HistorySeries::Count> legend;
  QList<AxisLabel> timeLabels;
  std::vector<double> timeTickXs;
  QList<AxisLabel> valueLabels;
  std::vector<double> valueTickYs;
  // Each line by pixel column, and as the segments drawn: from a column's
  // last value to the next one's first, and from its lowest to its highest.
  std::array<std::vector<PlotColumn>, HistorySeries::Count> columns;
  std::array<QList<QLineF>, HistorySeries::Count> lines;
  // Dots on every point while there are few enough to tell apart, so a
  // single record shows as a dot.
  bool markers = true;

  double xOf(int64_t msecs) const;
  double yOf(int64_t value) const;
  // Where the record's point on the line is drawn.
  QPointF pointOf(size_t index, int series) const;
  // The legend entry under pos; nothing when there is none.
  std::optional<int> legendEntryAt(QPoint pos) const;
  // The point of a line shown nearest pos, within a few pixels; nothing when
  // there is none. Only the points a column draws are candidates (its first,
  // lowest, highest and last), so the search costs the lines' columns, not
  // their records.
  std::optional<HistoryPoint> pointNear(QPoint pos, const std::array<bool, HistorySeries::Count>& shown) const;
};

HistoryPlotLayout layOutHistoryPlot(QSize size, const QFont& font, const HistoryView& view);

}  // namespace nk
