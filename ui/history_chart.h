// history_chart.h - the chart of the window "記録の推移", drawn by our own
// code: the title "総合得点の推移", the total and the sums of levels 7 to 10
// over time as lines, a legend below whose entries switch their line off and
// on by a click (the entry stays, faded), a time axis whose ticks fit the
// span and a value axis from 0 (plot_ticks.h), and, at the point nearest
// the mouse, its line's name, value and time as the record was written.
//
// Where everything stands is one value, the plot's layout
// (history_plot_layout.h), made from the records, the size and the font
// when the widget next needs it. However many records there are, each line
// is drawn through at most four points per pixel column (plot_columns.h), so
// no peak is lost and a long history costs little to draw or to hover.
#pragma once

#include "history/history_view.h"
#include "ui/history_plot_layout.h"

#include <QString>
#include <QWidget>

#include <array>
#include <optional>

namespace nk {

class HistoryChart : public QWidget {
  Q_OBJECT

public:
  using enum HistorySeries::Id;
  static constexpr int SeriesCount = HistorySeries::Count;

  explicit HistoryChart(QWidget* parent = nullptr);

  void setView(const HistoryView& view);

  QString title() const;
  QString seriesName(int series) const;
  bool isSeriesVisible(int series) const;
  void setSeriesVisible(int series, bool visible);

  // Where things are drawn at the widget's present size and font.
  const HistoryPlotLayout& plotLayout() const;
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
  void invalidate();
  void drawAxes(QPainter& p, const HistoryPlotLayout& l) const;
  void drawLegend(QPainter& p, const HistoryPlotLayout& l) const;
  void drawHover(QPainter& p, const HistoryPlotLayout& l, const HistoryPoint& hover) const;

  HistoryView view_;
  std::array<bool, SeriesCount> visible_;
  std::optional<HistoryPoint> hover_;
  // The layout of view_ at the present size and font, made when first
  // needed after a change of either.
  mutable std::optional<HistoryPlotLayout> layout_;
};

}  // namespace nk
