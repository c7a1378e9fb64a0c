// history_chart.cpp - the history chart's drawing of its layout, and the
// mouse on its legend and its points.
#include "ui/history_chart.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace nk {
namespace {

// The colours Qt Charts gave the lines before.
const QRgb Colours[] = {0x209fdf, 0x99ca53, 0xf6a625, 0x6d5fd5, 0xbf593e};
constexpr int TickLength = HistoryPlotLayout::TickLength;
constexpr int Swatch = HistoryPlotLayout::Swatch;
constexpr int Gap = HistoryPlotLayout::Gap;

const QColor Ink(0x40, 0x40, 0x40);
const QColor GridColour(0xe6, 0xe6, 0xe6);
const QColor AxisColour(0xa0, 0xa0, 0xa0);

QColor colourOf(int series, bool visible) {
  QColor c(Colours[series]);
  if (!visible) c.setAlphaF(0.4);
  return c;
}

int penWidthOf(int series) { return series == HistoryChart::Total ? 3 : 2; }

}  // namespace

HistoryChart::HistoryChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("historyChart"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  visible_.fill(true);
}

void HistoryChart::setView(const HistoryView& view) {
  view_ = view;
  hover_.reset();
  invalidate();
}

QString HistoryChart::title() const { return QString::fromUtf8(HistoryPlotTitle); }
QString HistoryChart::seriesName(int series) const { return historySeriesName(series); }
bool HistoryChart::isSeriesVisible(int series) const { return visible_[series]; }

void HistoryChart::setSeriesVisible(int series, bool visible) {
  visible_[series] = visible;
  if (hover_ && hover_->series == series && !visible) hover_.reset();
  update();
}

const HistoryPlotLayout& HistoryChart::plotLayout() const {
  if (!layout_) layout_ = layOutHistoryPlot(size(), font(), view_);
  return *layout_;
}

QString HistoryChart::hoverText() const {
  if (!hover_) return {};
  return historyPointText((*view_.records)[hover_->index], hover_->series);
}

QSize HistoryChart::sizeHint() const { return {740, 380}; }
QSize HistoryChart::minimumSizeHint() const { return {440, 240}; }

void HistoryChart::invalidate() {
  layout_.reset();
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

void HistoryChart::paintEvent(QPaintEvent*) {
  const HistoryPlotLayout& l = plotLayout();
  QPainter p(this);
  p.fillRect(rect(), Qt::white);

  p.setPen(Ink);
  p.setFont(historyPlotTitleFont(font()));
  p.drawText(l.title, Qt::AlignCenter, title());
  p.setFont(font());

  drawAxes(p, l);

  // The lines, the total last so that it lies on top. Separate segments with
  // square ends: the raster engine draws them without a stroker, and the
  // ends cover the joints.
  p.setRenderHint(QPainter::Antialiasing);
  p.save();
  p.setClipRect(l.plot.adjusted(-4, -4, 4, 4));
  for (int s : {Level7, Level8, Level9, Level10, Total}) {
    if (!visible_[s]) continue;
    p.setPen(QPen(colourOf(s, true), penWidthOf(s), Qt::SolidLine, Qt::SquareCap));
    p.drawLines(l.lines[s]);
    if (!l.markers) continue;
    p.setBrush(colourOf(s, true));
    p.setPen(QPen(Qt::white, 1));
    for (size_t i = 0; i < l.records->size(); ++i) p.drawEllipse(l.pointOf(i, s), 4, 4);
    p.setBrush(Qt::NoBrush);
  }
  p.restore();

  drawLegend(p, l);
  if (hover_) drawHover(p, l, *hover_);
}

// The grid, the axes, their ticks and labels; crisp lines on whole pixels.
void HistoryChart::drawAxes(QPainter& p, const HistoryPlotLayout& l) const {
  const double plotLeft = l.plot.left() + 0.5;
  const double plotRight = l.plot.right() + 0.5;
  const double plotTop = l.plot.top() + 0.5;
  const double plotBottom = l.plot.bottom() + 0.5;
  p.setPen(GridColour);
  for (double y : l.valueTickYs) p.drawLine(QPointF(plotLeft, std::floor(y) + 0.5), QPointF(plotRight, std::floor(y) + 0.5));
  for (double x : l.timeTickXs) p.drawLine(QPointF(std::floor(x) + 0.5, plotTop), QPointF(std::floor(x) + 0.5, plotBottom));
  p.setPen(AxisColour);
  p.drawLine(QPointF(plotLeft, plotTop), QPointF(plotLeft, plotBottom));
  p.drawLine(QPointF(plotLeft, plotBottom), QPointF(plotRight, plotBottom));
  for (double y : l.valueTickYs)
    p.drawLine(QPointF(plotLeft - TickLength, std::floor(y) + 0.5), QPointF(plotLeft, std::floor(y) + 0.5));
  for (double x : l.timeTickXs)
    p.drawLine(QPointF(std::floor(x) + 0.5, plotBottom), QPointF(std::floor(x) + 0.5, plotBottom + TickLength));
  p.setPen(Ink);
  for (const auto& label : l.valueLabels) p.drawText(label.rect, Qt::AlignRight | Qt::AlignVCenter, label.text);
  for (const auto& label : l.timeLabels) p.drawText(label.rect, Qt::AlignCenter, label.text);
}

// The legend; the entry of a line switched off stays, faded.
void HistoryChart::drawLegend(QPainter& p, const HistoryPlotLayout& l) const {
  for (int s = 0; s < SeriesCount; ++s) {
    const QRect r = l.legend[s];
    const double cy = r.center().y() + 0.5;
    p.setPen(QPen(colourOf(s, visible_[s]), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 2, cy), QPointF(r.left() + Swatch - 2, cy));
    QColor text = Ink;
    if (!visible_[s]) text.setAlphaF(0.4);
    p.setPen(text);
    p.drawText(r.adjusted(Swatch + Gap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, seriesName(s));
  }
}

// A ring round the point and a box beside it with the line's name, the
// value and the time, turned inwards at the widget's edges.
void HistoryChart::drawHover(QPainter& p, const HistoryPlotLayout& l, const HistoryPoint& hover) const {
  const QPointF at = l.pointOf(hover.index, hover.series);
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

void HistoryChart::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (const std::optional<int> s = plotLayout().legendEntryAt(event->position().toPoint())) {
      setSeriesVisible(*s, !visible_[*s]);
      return;
    }
  }
  QWidget::mousePressEvent(event);
}

void HistoryChart::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const HistoryPlotLayout& l = plotLayout();
  const Qt::CursorShape shape = l.legendEntryAt(pos) ? Qt::PointingHandCursor : Qt::ArrowCursor;
  if (cursor().shape() != shape) setCursor(shape);
  const std::optional<HistoryPoint> near = l.pointNear(pos, visible_);
  const bool changed = near != hover_;
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
