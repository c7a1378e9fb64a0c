// history_window.cpp - the history window's layout, its chart and list, the
// legend's switches and the picture of the chart.
#include "ui/history_window.h"

#include "sheet/history_view.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <QAbstractTableModel>
#include <QVBoxLayout>

namespace nk {
namespace {

// Markers on every point while there are few enough to tell apart, so a
// single record shows as a dot.
constexpr size_t MostPointsWithMarkers = 60;

const char* const LevelNames[] = {"☆7", "☆8", "☆9", "☆10"};

QString text(const std::string& s) { return QString::fromStdString(s); }

QList<QPointF> pointsOf(const HistoryView& view, int level) {
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(view.points.size()));
  for (const HistoryPoint& p : view.points)
    points.append(QPointF(static_cast<qreal>(p.msecs),
                          static_cast<qreal>(level < 0 ? p.total : p.levelSums[static_cast<size_t>(level)])));
  return points;
}

// The records' rows as they are, newest first: the list asks only for the
// rows it shows, so a long history costs no item per record.
class RecordListModel : public QAbstractTableModel {
public:
  using QAbstractTableModel::QAbstractTableModel;

  void setRows(std::vector<HistoryRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : Columns; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole)
      return index.column() == 0 ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const HistoryRow& row = rows_[static_cast<size_t>(index.row())];
    switch (index.column()) {
      case 0: return text(row.time);
      case 1: return text(row.total);
      case 2: return text(row.change);
      case 7: return text(row.entered);
      default: return text(row.levelSums[static_cast<size_t>(index.column() - 3)]);
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    static const char* const names[] = {"日時", "総合得点", "増減", "☆7", "☆8", "☆9", "☆10", "入力済み譜面"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Columns) return {};
    return QString::fromUtf8(names[section]);
  }

private:
  static constexpr int Columns = 8;
  std::vector<HistoryRow> rows_;
};

}  // namespace

HistoryWindow::HistoryWindow(int16_t versionNumber, QWidget* parent)
    : QWidget(parent, Qt::Window), versionNumber_(versionNumber) {
  setObjectName(QStringLiteral("historyWindow"));
  setWindowTitle(QString::fromUtf8(HistoryWindowTitle));
  setFont(QApplication::font());
  setupChart();
  setupList();
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("lblNote"));
  note_->setTextFormat(Qt::PlainText);
  btnSaveImage_ = new QPushButton(QStringLiteral("画像を保存…"), this);
  btnSaveImage_->setObjectName(QStringLiteral("btnSaveImage"));
  connect(btnSaveImage_, &QPushButton::clicked, this, &HistoryWindow::btnSaveImage_Click);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(note_, 1);
  bottom->addWidget(btnSaveImage_, 0, Qt::AlignRight);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chartView_, 3);
  layout->addLayout(bottom);
  layout->addWidget(list_, 2);
  resize(760, 640);
}

void HistoryWindow::setupChart() {
  chart_ = new QChart;
  chart_->setTitle(QStringLiteral("総合得点の推移"));
  chart_->legend()->setAlignment(Qt::AlignBottom);
  timeAxis_ = new QDateTimeAxis;
  timeAxis_->setFormat(QStringLiteral("yyyy/MM/dd"));
  timeAxis_->setTickCount(5);
  valueAxis_ = new QValueAxis;
  valueAxis_->setLabelFormat(QStringLiteral("%.0f"));
  chart_->addAxis(timeAxis_, Qt::AlignBottom);
  chart_->addAxis(valueAxis_, Qt::AlignLeft);
  auto addSeries = [this](const QString& name) {
    auto* series = new QLineSeries;
    series->setName(name);
    chart_->addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(valueAxis_);
    return series;
  };
  totalSeries_ = addSeries(QStringLiteral("総合得点"));
  for (size_t l = 0; l < levelSeries_.size(); ++l) levelSeries_[l] = addSeries(QString::fromUtf8(LevelNames[l]));
  QPen thick = totalSeries_->pen();
  thick.setWidth(3);
  totalSeries_->setPen(thick);
  chartView_ = new QChartView(chart_, this);
  chartView_->setObjectName(QStringLiteral("chartView"));
  chartView_->setRenderHint(QPainter::Antialiasing);
  connectLegend();
}

void HistoryWindow::setupList() {
  list_ = new QTreeView(this);
  list_->setObjectName(QStringLiteral("lstRecords"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setModel(new RecordListModel(list_));
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

// A click on a legend entry switches its line; the entry stays, faded, so
// that the line can be switched back.
void HistoryWindow::connectLegend() {
  for (QLegendMarker* marker : chart_->legend()->markers()) {
    connect(marker, &QLegendMarker::clicked, this, [marker] {
      QAbstractSeries* series = marker->series();
      series->setVisible(!series->isVisible());
      marker->setVisible(true);
      QBrush label = marker->labelBrush();
      QColor colour = label.color();
      colour.setAlphaF(series->isVisible() ? 1.0 : 0.4);
      label.setColor(colour);
      marker->setLabelBrush(label);
    });
  }
}

void HistoryWindow::reload() {
  showView(loadHistoryView(versionNumber_, QDateTime::currentMSecsSinceEpoch()));
}

void HistoryWindow::showView(const HistoryView& view) {
  const bool markers = view.points.size() <= MostPointsWithMarkers;
  totalSeries_->replace(pointsOf(view, -1));
  totalSeries_->setPointsVisible(markers);
  for (size_t l = 0; l < levelSeries_.size(); ++l) {
    levelSeries_[l]->replace(pointsOf(view, static_cast<int>(l)));
    levelSeries_[l]->setPointsVisible(markers);
  }
  timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(view.firstMsecs),
                      QDateTime::fromMSecsSinceEpoch(view.lastMsecs));
  valueAxis_->setRange(0, static_cast<qreal>(view.highest));
  valueAxis_->applyNiceNumbers();

  static_cast<RecordListModel*>(list_->model())->setRows(view.rows);
  note_->setText(text(view.note));
  note_->setVisible(!view.note.empty());
}

bool HistoryWindow::saveChartImage(const QString& path) { return chartView_->grab().save(path, "PNG"); }

void HistoryWindow::btnSaveImage_Click() {
  const QString suggested = QStringLiteral("ac%1history.png").arg(versionNumber_);
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("画像を保存"), suggested,
                                                    QStringLiteral("PNG 画像 (*.png)"));
  if (path.isEmpty() || saveChartImage(path)) return;
  toolkit().messageBox("ファイル " + QFileInfo(path).fileName().toStdString() + " に画像を保存できません。",
                       "画像の保存失敗", MsgIcon::Exclamation);
}

}  // namespace nk
