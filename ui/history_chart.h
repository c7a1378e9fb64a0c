// history_chart.h - the chart of the window "記録の推移", drawn by our own
// code: the title "総合得点の推移", the total and the sums of levels 7 to 10
// over time as lines, a legend below whose entries switch their line off and
// on by a click (the entry stays, faded), a time axis whose ticks fit the
// span and a value axis from 0 (chart_ticks.h), and, at the point nearest
// the mouse, its line's name, value and time.
//
// However many records there are, each line is drawn through at most four
// points per pixel column, the first, lowest, highest and last of the
// column (chart_columns.h), so no peak is lost and a long history costs
// little to draw.
#pragma once

#include "sheet/history_view.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace nk {


class HistoryChart : public QWidget {
  Q_OBJECT

public:
  // The lines: the total, then the sums of levels 7 to 10.
  enum Series { Total, Level7, Level8, Level9, Level10 };
  static constexpr int SeriesCount = 5;

  // A text on an axis and where it is drawn.
  struct AxisLabel {
    QString text;
    QRect rect;
  };

  explicit HistoryChart(QWidget* parent = nullptr);

  void setView(const HistoryView& view);

  QString title() const;
  QString seriesName(int series) const;
  // A line's points as (milliseconds since 1970 UTC, value), oldest first.
  QList<QPointF> points(int series) const;
  qsizetype pointCount(int series) const;
  bool isSeriesVisible(int series) const;
  void setSeriesVisible(int series, bool visible);
  // Dots on every point while there are few enough to tell apart, so a
  // single record shows as a dot.
  bool pointsVisible() const;

  // Where things are drawn at the widget's present size.
  QRect legendEntryRect(int series) const;
  QPoint pointPosition(int series, qsizetype index) const;
  QList<AxisLabel> timeLabels() const;
  QList<AxisLabel> valueLabels() const;
  // What the label at the point under the mouse says ("☆9 1,234,567",
  // newline, "2026-05-09 20:14"); empty while the mouse is near no point.
  QString hoverText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  struct Hover {
    int series;
    size_t index;
  };

  void invalidate();
  // The geometry, the ticks and the lines' pixels for the present size.
  void layOut() const;
  double xOf(int64_t msecs) const;
  double yOf(int64_t value) const;
  std::optional<Hover> pointNear(QPoint pos) const;
  void drawHover(QPainter& p, const Hover& hover) const;

  // A point's time in milliseconds and a line's value at it.
  int64_t timeAt(size_t i) const;
  int64_t valueAt(int series, size_t i) const;

  // Shared with the list: the records, oldest first, held once.
  std::shared_ptr<const std::vector<HistoryRecord>> records_ = std::make_shared<const std::vector<HistoryRecord>>();
  int64_t from_ = 0;
  int64_t to_ = 1;
  int64_t highest_ = 1;
  std::array<bool, SeriesCount> visible_;
  std::optional<Hover> hover_;

  // Worked out by layOut, again after every change of data, size or font.
  mutable bool laidOut_ = false;
  mutable QRect titleRect_;
  mutable QRect plot_;
  mutable int64_t top_ = 1;
  mutable std::array<QRect, SeriesCount> legendRects_;
  mutable QList<AxisLabel> timeLabels_;
  mutable std::vector<double> timeTickXs_;
  mutable QList<AxisLabel> valueLabels_;
  mutable std::vector<double> valueTickYs_;
  // Each line as segments: from a column's last value to the next one's
  // first, and from a column's lowest value to its highest.
  mutable std::array<QList<QLineF>, SeriesCount> lines_;
};

}  // namespace nk
