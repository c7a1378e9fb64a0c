// history_plot_layout.cpp - the plot's geometry, its axes and its lines at a
// size and a font, and the lookups of the mouse in them.
#include "ui/history_plot_layout.h"

#include "data/display_text.h"
#include "data/moment.h"
#include "domain/ranking_rule.h"
#include "history/plot_ticks.h"

#include <QFontMetrics>

#include <algorithm>

namespace nk {
namespace {

constexpr size_t MostPointsWithMarkers = 60;
constexpr int Margin = 10;
constexpr int Gap = HistoryPlotLayout::Gap;
constexpr int TickLength = HistoryPlotLayout::TickLength;
constexpr int Swatch = HistoryPlotLayout::Swatch;
constexpr int LegendSpacing = 18;
constexpr int HoverReach = 12;  // pixels from a point that still show its label

// Wall-clock milliseconds (plot_ticks.h) of a moment on this machine's
// clock, and the moment of a wall-clock time (the offset of the moment an
// offset earlier, checked once: right but for the hour a clock skips).
int64_t offsetMsAt(int64_t utc) {
  const auto seconds = std::chrono::floor<std::chrono::seconds>(std::chrono::milliseconds{utc});
  return std::chrono::milliseconds{localMoment(std::chrono::sys_seconds{seconds}).offset}.count();
}
int64_t wallOf(int64_t utc) { return utc + offsetMsAt(utc); }
int64_t utcOf(int64_t wall) {
  const int64_t guess = wall - offsetMsAt(wall);
  return wall - offsetMsAt(guess);
}

int64_t timeOf(const HistoryRecord& e) { return e.time.utc.time_since_epoch().count() * 1000; }

// The legend: one row, centred at the bottom of area.
void layOutLegend(HistoryPlotLayout& l, const QRect& area, const QFontMetrics& fm) {
  std::array<int, HistorySeries::Count> widths{};
  int legendWidth = -LegendSpacing;
  for (int s = 0; s < HistorySeries::Count; ++s) {
    widths[s] = Swatch + Gap + fm.horizontalAdvance(historySeriesName(s));
    legendWidth += widths[s] + LegendSpacing;
  }
  const int top = area.bottom() + 1 - fm.height();
  int x = area.left() + std::max(0, (area.width() - legendWidth) / 2);
  for (int s = 0; s < HistorySeries::Count; ++s) {
    l.legend[s] = QRect(x, top, widths[s], fm.height());
    x += widths[s] + LegendSpacing;
  }
}

// As many time ticks as fit with room between their labels, all inside the
// widget's width.
void layOutTimeAxis(HistoryPlotLayout& l, int width, int labelsTop, const QFontMetrics& fm) {
  const int64_t wallFrom = wallOf(l.from);
  const int64_t wallTo = wallOf(l.to);
  for (int most = std::max(1, l.plot.width() / (fm.horizontalAdvance(QStringLiteral("00:00")) + 4 * Gap)); most >= 1;
       --most) {
    l.timeLabels.clear();
    l.timeTickXs.clear();
    bool apart = true;
    for (const PlotTick& t : timeTicks(wallFrom, wallTo, most)) {
      const double tx = l.xOf(utcOf(t.at));
      const QString text = QString::fromStdString(t.text);
      const int w = fm.horizontalAdvance(text);
      const QRect r(static_cast<int>(tx) - w / 2, labelsTop, w, fm.height());
      if (!l.timeLabels.isEmpty() && l.timeLabels.constLast().rect.right() + Gap >= r.left()) apart = false;
      if (r.left() < 0 || r.right() >= width) apart = false;
      l.timeTickXs.push_back(tx);
      l.timeLabels.append({text, r});
    }
    if (apart) return;
  }
}

void layOutLines(HistoryPlotLayout& l) {
  const std::vector<HistoryRecord>& records = *l.records;
  for (int s = 0; s < HistorySeries::Count; ++s) {
    l.columns[s] = plotColumnsOf(
        records.size(), [&](size_t i) { return timeOf(records[i]); },
        [&](size_t i) { return historySeriesValue(records[i], s); }, l.from, l.to, l.plot.width());
    QList<QLineF>& line = l.lines[s];
    std::optional<QPointF> last;
    for (const PlotColumn& c : l.columns[s]) {
      const double cx = l.plot.left() + c.column + 0.5;
      if (last) line.append(QLineF(*last, QPointF(cx, l.yOf(c.first))));
      if (c.low != c.high) line.append(QLineF(cx, l.yOf(c.low), cx, l.yOf(c.high)));
      last = QPointF(cx, l.yOf(c.last));
    }
  }
}

}  // namespace

QString historySeriesName(int series) {
  if (series == 0) return QStringLiteral("総合得点");
  return QString::fromStdString(shortLevelName(CountedLevelNumbers[static_cast<size_t>(series - 1)]));
}

int64_t historySeriesValue(const HistoryRecord& entry, int series) {
  return series == HistorySeries::Total ? entry.total
                                        : entry.levelSums[static_cast<size_t>(series - HistorySeries::Level7)];
}

QString historyPointText(const HistoryRecord& entry, int series) {
  return historySeriesName(series) + QStringLiteral(" ") +
         QString::fromStdString(groupedDecimal(historySeriesValue(entry, series))) + QStringLiteral("\n") +
         QString::fromStdString(minuteText(entry.time));
}

QFont historyPlotTitleFont(QFont font) {
  font.setBold(true);
  if (font.pointSizeF() > 0)
    font.setPointSizeF(font.pointSizeF() * 1.25);
  else
    font.setPixelSize(font.pixelSize() * 5 / 4);
  return font;
}

double HistoryPlotLayout::xOf(int64_t msecs) const {
  return plot.left() + plotColumnOf(msecs, from, to, plot.width()) + 0.5;
}

double HistoryPlotLayout::yOf(int64_t value) const {
  const double share = (static_cast<double>(value) - static_cast<double>(bottom)) /
                       (static_cast<double>(top) - static_cast<double>(bottom));
  return plot.top() + 0.5 + (plot.height() - 1) * (1.0 - share);
}

QPointF HistoryPlotLayout::pointOf(size_t index, int series) const {
  const HistoryRecord& e = (*records)[index];
  return {xOf(timeOf(e)), yOf(historySeriesValue(e, series))};
}

std::optional<int> HistoryPlotLayout::legendEntryAt(QPoint pos) const {
  for (int s = 0; s < HistorySeries::Count; ++s)
    if (legend[s].contains(pos)) return s;
  return std::nullopt;
}

std::optional<HistoryPoint> HistoryPlotLayout::pointNear(QPoint pos,
                                                         const std::array<bool, HistorySeries::Count>& shown) const {
  std::optional<HistoryPoint> best;
  double bestDistance = HoverReach * HoverReach;
  for (int s = 0; s < HistorySeries::Count; ++s) {
    if (!shown[s]) continue;
    for (const PlotColumn& c : columns[s]) {
      const double dx = plot.left() + c.column + 0.5 - pos.x();
      if (dx * dx > bestDistance) continue;
      const std::pair<int64_t, size_t> drawn[] = {{c.first, c.firstAt}, {c.low, c.lowAt}, {c.high, c.highAt},
                                                  {c.last, c.lastAt}};
      for (const auto& [value, index] : drawn) {
        const double dy = yOf(value) - pos.y();
        if (dx * dx + dy * dy <= bestDistance) {
          bestDistance = dx * dx + dy * dy;
          best = HistoryPoint{s, index};
        }
      }
    }
  }
  return best;
}

HistoryPlotLayout layOutHistoryPlot(QSize size, const QFont& font, const HistoryView& view) {
  HistoryPlotLayout l;
  l.records = view.records;
  l.from = view.firstMsecs;
  l.to = std::max(view.lastMsecs, view.firstMsecs + 1);
  l.markers = view.records->size() <= MostPointsWithMarkers;
  const QFontMetrics fm(font);
  const QRect area = QRect(QPoint(0, 0), size).adjusted(Margin, Margin, -Margin, -Margin);
  l.title = QRect(area.left(), area.top(), area.width(), QFontMetrics(historyPlotTitleFont(font)).height());
  layOutLegend(l, area, fm);

  // The plot's height, the value axis that fits it, its labels' width, and
  // then the plot's width. A line above the plot holds half the top value
  // label; below it the time labels, clear of the lowest value label, and a
  // gap above the legend.
  const int timeLabelsBelow = fm.height() / 2 + 2;
  const int top = l.title.bottom() + 1 + fm.height();
  const int bottom = l.legend[0].top() - Gap * 2 - fm.height() - timeLabelsBelow;
  const int height = std::max(2, bottom - top);
  const ValueTicks values = valueTicks(view.lowest, view.highest, height / (fm.height() * 2) + 1);
  l.bottom = values.bottom;
  l.top = values.top;
  int labelWidth = 0;
  for (const PlotTick& t : values.ticks)
    labelWidth = std::max(labelWidth, fm.horizontalAdvance(QString::fromStdString(t.text)));
  const int left = area.left() + labelWidth + Gap + TickLength;
  const int right = area.right() - fm.horizontalAdvance(QStringLiteral("00:00:00")) / 2;
  l.plot = QRect(left, top, std::max(2, right - left), height);

  for (const PlotTick& t : values.ticks) {
    const double y = l.yOf(t.at);
    l.valueTickYs.push_back(y);
    l.valueLabels.append({QString::fromStdString(t.text),
                          QRect(area.left(), static_cast<int>(y) - fm.height() / 2, labelWidth, fm.height())});
  }
  layOutTimeAxis(l, size.width(), l.plot.bottom() + 1 + timeLabelsBelow, fm);
  layOutLines(l);
  return l;
}

}  // namespace nk
