// history_chart.cpp - the history chart's layout, its drawing, and the
// mouse on its legend and its points.
#include "ui/history_chart.h"

#include "sheet/chart_columns.h"
#include "sheet/chart_ticks.h"
#include "sheet/history_view.h"

#include <QDateTime>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace nk {
namespace {

const char* const Names[] = {"総合得点", "☆7", "☆8", "☆9", "☆10"};
// The colours Qt Charts gave the lines before.
const QRgb Colours[] = {0x209fdf, 0x99ca53, 0xf6a625, 0x6d5fd5, 0xbf593e};
constexpr size_t MostPointsWithMarkers = 60;
constexpr int Margin = 10;
constexpr int Gap = 6;
constexpr int TickLength = 4;
constexpr int Swatch = 22;
constexpr int LegendSpacing = 18;
constexpr int HoverReach = 12;  // pixels from a point that still show its label

const QColor Ink(0x40, 0x40, 0x40);
const QColor GridColour(0xe6, 0xe6, 0xe6);
const QColor AxisColour(0xa0, 0xa0, 0xa0);

QColor colourOf(int series, bool visible) {
  QColor c(Colours[series]);
  if (!visible) c.setAlphaF(0.4);
  return c;
}

int penWidthOf(int series) { return series == HistoryChart::Total ? 3 : 2; }

QFont titleFontOf(QFont f) {
  f.setBold(true);
  if (f.pointSizeF() > 0)
    f.setPointSizeF(f.pointSizeF() * 1.25);
  else
    f.setPixelSize(f.pixelSize() * 5 / 4);
  return f;
}

// Wall-clock milliseconds (chart_ticks.h) of a moment, and the moment of
// a wall-clock time.
int64_t wallOf(int64_t utc) { return utc + QDateTime::fromMSecsSinceEpoch(utc).offsetFromUtc() * int64_t{1000}; }
int64_t utcOf(int64_t wall) {
  const QDateTime w = QDateTime::fromMSecsSinceEpoch(wall, Qt::UTC);
  return QDateTime(w.date(), w.time()).toMSecsSinceEpoch();
}

}  // namespace

HistoryChart::HistoryChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("historyChart"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  visible_.fill(true);
}

void HistoryChart::setView(const HistoryView& view) {
  records_ = view.records;
  from_ = view.firstMsecs;
  to_ = std::max(view.lastMsecs, view.firstMsecs + 1);
  highest_ = view.highest;
  hover_.reset();
  invalidate();
}

int64_t HistoryChart::timeAt(size_t i) const { return (*records_)[i].time.utc.time_since_epoch().count() * 1000; }

int64_t HistoryChart::valueAt(int series, size_t i) const {
  const HistoryRecord& e = (*records_)[i];
  return series == Total ? e.total : e.levelSums[static_cast<size_t>(series - Level7)];
}

QString HistoryChart::title() const { return QStringLiteral("総合得点の推移"); }
QString HistoryChart::seriesName(int series) const { return QString::fromUtf8(Names[series]); }

QList<QPointF> HistoryChart::points(int series) const {
  QList<QPointF> out;
  out.reserve(static_cast<qsizetype>(records_->size()));
  for (size_t i = 0; i < records_->size(); ++i)
    out.append(QPointF(static_cast<qreal>(timeAt(i)), static_cast<qreal>(valueAt(series, i))));
  return out;
}

qsizetype HistoryChart::pointCount(int) const { return static_cast<qsizetype>(records_->size()); }
bool HistoryChart::isSeriesVisible(int series) const { return visible_[series]; }

void HistoryChart::setSeriesVisible(int series, bool visible) {
  visible_[series] = visible;
  if (hover_ && hover_->series == series && !visible) hover_.reset();
  update();
}

bool HistoryChart::pointsVisible() const { return records_->size() <= MostPointsWithMarkers; }

QRect HistoryChart::legendEntryRect(int series) const {
  layOut();
  return legendRects_[series];
}

QPoint HistoryChart::pointPosition(int series, qsizetype index) const {
  layOut();
  const auto i = static_cast<size_t>(index);
  return QPointF(xOf(timeAt(i)), yOf(valueAt(series, i))).toPoint();
}

QList<HistoryChart::AxisLabel> HistoryChart::timeLabels() const {
  layOut();
  return timeLabels_;
}

QList<HistoryChart::AxisLabel> HistoryChart::valueLabels() const {
  layOut();
  return valueLabels_;
}

QString HistoryChart::hoverText() const {
  if (!hover_) return {};
  const int s = hover_->series;
  const size_t i = hover_->index;
  return seriesName(s) + QStringLiteral(" ") + QString::fromStdString(groupedDecimal(valueAt(s, i))) +
         QStringLiteral("\n") +
         QDateTime::fromMSecsSinceEpoch(timeAt(i)).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QSize HistoryChart::sizeHint() const { return {740, 380}; }
QSize HistoryChart::minimumSizeHint() const { return {440, 240}; }

void HistoryChart::invalidate() {
  laidOut_ = false;
  update();
}

void HistoryChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  invalidate();
}

void HistoryChart::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateGeometry();
    invalidate();
  }
}

double HistoryChart::xOf(int64_t msecs) const {
  return plot_.left() + chartColumnOf(msecs, from_, to_, plot_.width()) + 0.5;
}

double HistoryChart::yOf(int64_t value) const {
  const double share = static_cast<double>(value) / static_cast<double>(top_);
  return plot_.top() + 0.5 + (plot_.height() - 1) * (1.0 - share);
}

void HistoryChart::layOut() const {
  if (laidOut_) return;
  laidOut_ = true;
  const QFontMetrics fm(font());
  const QRect area = rect().adjusted(Margin, Margin, -Margin, -Margin);
  titleRect_ = QRect(area.left(), area.top(), area.width(), QFontMetrics(titleFontOf(font())).height());

  // The legend: one row, centred at the bottom.
  std::array<int, SeriesCount> entryWidths{};
  int legendWidth = -LegendSpacing;
  for (int s = 0; s < SeriesCount; ++s) {
    entryWidths[s] = Swatch + Gap + fm.horizontalAdvance(seriesName(s));
    legendWidth += entryWidths[s] + LegendSpacing;
  }
  const int legendTop = area.bottom() + 1 - fm.height();
  int x = area.left() + std::max(0, (area.width() - legendWidth) / 2);
  for (int s = 0; s < SeriesCount; ++s) {
    legendRects_[s] = QRect(x, legendTop, entryWidths[s], fm.height());
    x += entryWidths[s] + LegendSpacing;
  }

  // The plot's height, the value axis that fits it, its labels' width, and
  // then the plot's width. A line above the plot holds half the top value
  // label; below it the time labels, clear of the lowest value label, and a
  // gap above the legend.
  const int timeLabelsBelow = fm.height() / 2 + 2;
  const int top = titleRect_.bottom() + 1 + fm.height();
  const int bottom = legendTop - Gap * 2 - fm.height() - timeLabelsBelow;
  const int height = std::max(2, bottom - top);
  const ValueTicks values = valueTicks(highest_, height / (fm.height() * 2) + 1);
  top_ = values.top;
  int labelWidth = 0;
  for (const ChartTick& t : values.ticks)
    labelWidth = std::max(labelWidth, fm.horizontalAdvance(QString::fromStdString(t.text)));
  const int left = area.left() + labelWidth + Gap + TickLength;
  const int right = area.right() - fm.horizontalAdvance(QStringLiteral("00:00:00")) / 2;
  plot_ = QRect(left, top, std::max(2, right - left), height);

  valueLabels_.clear();
  valueTickYs_.clear();
  for (const ChartTick& t : values.ticks) {
    const double y = yOf(t.at);
    valueTickYs_.push_back(y);
    valueLabels_.append({QString::fromStdString(t.text),
                         QRect(area.left(), static_cast<int>(y) - fm.height() / 2, labelWidth, fm.height())});
  }

  // As many time ticks as fit with room between their labels.
  const int64_t wallFrom = wallOf(from_);
  const int64_t wallTo = wallOf(to_);
  const int labelsTop = plot_.bottom() + 1 + timeLabelsBelow;
  for (int most = std::max(1, plot_.width() / (fm.horizontalAdvance(QStringLiteral("00:00")) + 4 * Gap)); most >= 1;
       --most) {
    timeLabels_.clear();
    timeTickXs_.clear();
    bool apart = true;
    for (const ChartTick& t : timeTicks(wallFrom, wallTo, most)) {
      const double tx = xOf(utcOf(t.at));
      const QString text = QString::fromStdString(t.text);
      const int w = fm.horizontalAdvance(text);
      const QRect r(static_cast<int>(tx) - w / 2, labelsTop, w, fm.height());
      if (!timeLabels_.isEmpty() && timeLabels_.constLast().rect.right() + Gap >= r.left()) apart = false;
      if (r.left() < 0 || r.right() >= width()) apart = false;
      timeTickXs_.push_back(tx);
      timeLabels_.append({text, r});
    }
    if (apart) break;
  }

  for (int s = 0; s < SeriesCount; ++s) {
    QList<QLineF>& line = lines_[s];
    line.clear();
    std::optional<QPointF> last;
    for (const ChartColumn& c : chartColumnsOf(
             records_->size(), [this](size_t i) { return timeAt(i); }, [this, s](size_t i) { return valueAt(s, i); },
             from_, to_, plot_.width())) {
      const double cx = plot_.left() + c.column + 0.5;
      if (last) line.append(QLineF(*last, QPointF(cx, yOf(c.first))));
      if (c.low != c.high) line.append(QLineF(cx, yOf(c.low), cx, yOf(c.high)));
      last = QPointF(cx, yOf(c.last));
    }
  }
}

void HistoryChart::paintEvent(QPaintEvent*) {
  layOut();
  QPainter p(this);
  p.fillRect(rect(), Qt::white);

  p.setPen(Ink);
  p.setFont(titleFontOf(font()));
  p.drawText(titleRect_, Qt::AlignCenter, title());
  p.setFont(font());

  // The grid, the axes, their ticks and labels; crisp lines on whole pixels.
  const double plotLeft = plot_.left() + 0.5;
  const double plotRight = plot_.right() + 0.5;
  const double plotTop = plot_.top() + 0.5;
  const double plotBottom = plot_.bottom() + 0.5;
  p.setPen(GridColour);
  for (double y : valueTickYs_) p.drawLine(QPointF(plotLeft, std::floor(y) + 0.5), QPointF(plotRight, std::floor(y) + 0.5));
  for (double x : timeTickXs_) p.drawLine(QPointF(std::floor(x) + 0.5, plotTop), QPointF(std::floor(x) + 0.5, plotBottom));
  p.setPen(AxisColour);
  p.drawLine(QPointF(plotLeft, plotTop), QPointF(plotLeft, plotBottom));
  p.drawLine(QPointF(plotLeft, plotBottom), QPointF(plotRight, plotBottom));
  for (double y : valueTickYs_)
    p.drawLine(QPointF(plotLeft - TickLength, std::floor(y) + 0.5), QPointF(plotLeft, std::floor(y) + 0.5));
  for (double x : timeTickXs_)
    p.drawLine(QPointF(std::floor(x) + 0.5, plotBottom), QPointF(std::floor(x) + 0.5, plotBottom + TickLength));
  p.setPen(Ink);
  for (const AxisLabel& l : valueLabels_) p.drawText(l.rect, Qt::AlignRight | Qt::AlignVCenter, l.text);
  for (const AxisLabel& l : timeLabels_) p.drawText(l.rect, Qt::AlignCenter, l.text);

  // The lines, the total last so that it lies on top. Separate segments with
  // square ends: the raster engine draws them without a stroker, and the
  // ends cover the joints.
  p.setRenderHint(QPainter::Antialiasing);
  p.save();
  p.setClipRect(plot_.adjusted(-4, -4, 4, 4));
  for (int s : {Level7, Level8, Level9, Level10, Total}) {
    if (!visible_[s]) continue;
    p.setPen(QPen(colourOf(s, true), penWidthOf(s), Qt::SolidLine, Qt::SquareCap));
    p.drawLines(lines_[s]);
    if (!pointsVisible()) continue;
    p.setBrush(colourOf(s, true));
    p.setPen(QPen(Qt::white, 1));
    for (size_t i = 0; i < records_->size(); ++i) p.drawEllipse(QPointF(xOf(timeAt(i)), yOf(valueAt(s, i))), 4, 4);
    p.setBrush(Qt::NoBrush);
  }
  p.restore();

  // The legend; the entry of a line switched off stays, faded.
  for (int s = 0; s < SeriesCount; ++s) {
    const QRect r = legendRects_[s];
    const double cy = r.center().y() + 0.5;
    p.setPen(QPen(colourOf(s, visible_[s]), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 2, cy), QPointF(r.left() + Swatch - 2, cy));
    QColor text = Ink;
    if (!visible_[s]) text.setAlphaF(0.4);
    p.setPen(text);
    p.drawText(r.adjusted(Swatch + Gap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, seriesName(s));
  }

  if (hover_) drawHover(p, *hover_);
}

// A ring round the point and a box beside it with the line's name, the
// value and the time, turned inwards at the widget's edges.
void HistoryChart::drawHover(QPainter& p, const Hover& hover) const {
  const QPointF at(xOf(timeAt(hover.index)), yOf(valueAt(hover.series, hover.index)));
  const QColor colour = colourOf(hover.series, true);
  p.setPen(QPen(colour, 2));
  p.setBrush(Qt::white);
  p.drawEllipse(at, 5, 5);

  const QString text = hoverText();
  const QFontMetrics fm(font());
  const QRect textSize = fm.boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft, text);
  QRectF box(at.x() + 10, at.y() - textSize.height() - 18, textSize.width() + 14, textSize.height() + 8);
  if (box.right() > width() - 2) box.moveRight(at.x() - 10);
  if (box.top() < 2) box.moveTop(at.y() + 10);
  p.setPen(QPen(colour, 1));
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawRoundedRect(box, 4, 4);
  p.setPen(Ink);
  p.drawText(box.adjusted(7, 4, -7, -4), Qt::AlignLeft | Qt::AlignVCenter, text);
}

std::optional<HistoryChart::Hover> HistoryChart::pointNear(QPoint pos) const {
  layOut();
  std::optional<Hover> best;
  double bestDistance = HoverReach * HoverReach;
  for (size_t i = 0; i < records_->size(); ++i) {
    const double dx = xOf(timeAt(i)) - pos.x();
    if (dx * dx > bestDistance) continue;
    for (int s = 0; s < SeriesCount; ++s) {
      if (!visible_[s]) continue;
      const double dy = yOf(valueAt(s, i)) - pos.y();
      if (dx * dx + dy * dy <= bestDistance) {
        bestDistance = dx * dx + dy * dy;
        best = Hover{s, i};
      }
    }
  }
  return best;
}

void HistoryChart::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    layOut();
    for (int s = 0; s < SeriesCount; ++s) {
      if (legendRects_[s].contains(event->position().toPoint())) {
        setSeriesVisible(s, !visible_[s]);
        return;
      }
    }
  }
  QWidget::mousePressEvent(event);
}

void HistoryChart::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  layOut();
  const bool onLegend =
      std::any_of(legendRects_.begin(), legendRects_.end(), [&](const QRect& r) { return r.contains(pos); });
  const Qt::CursorShape shape = onLegend ? Qt::PointingHandCursor : Qt::ArrowCursor;
  if (cursor().shape() != shape) setCursor(shape);
  const std::optional<Hover> near = pointNear(pos);
  const bool changed = near.has_value() != hover_.has_value() ||
                       (near && (near->series != hover_->series || near->index != hover_->index));
  hover_ = near;
  if (changed) update();
  QWidget::mouseMoveEvent(event);
}

void HistoryChart::leaveEvent(QEvent* event) {
  if (hover_) {
    hover_.reset();
    update();
  }
  QWidget::leaveEvent(event);
}

}  // namespace nk
