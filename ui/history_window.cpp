// history_window.cpp - the history window's layout, its chart and list, the
// legend's switches and the picture of the chart.
#include "ui/history_window.h"

#include "sheet/history_view.h"
#include "toolkit/toolkit.h"
#include "ui/history_chart.h"
#include "ui/improvements_tab.h"
#include "ui/save_dialog.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QAbstractTableModel>
#include <QVBoxLayout>

namespace nk {
namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

// The records' rows, newest first, made when the list asks for them: it asks
// only for the rows it shows, so a long history costs no item or text per
// record.
class RecordListModel : public QAbstractTableModel {
public:
  using QAbstractTableModel::QAbstractTableModel;

  void setView(const HistoryView& view) {
    beginResetModel();
    view_ = view;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(view_.rowCount());
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : Columns; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole)
      return index.column() == 0 ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const HistoryRow row = historyRowAt(view_, static_cast<size_t>(index.row()));
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
  HistoryView view_;
};

}  // namespace

HistoryWindow::HistoryWindow(int16_t versionNumber, QWidget* parent)
    : QWidget(parent, Qt::Window), versionNumber_(versionNumber) {
  setObjectName(QStringLiteral("historyWindow"));
  setWindowTitle(QString::fromUtf8(HistoryWindowTitle));
  setFont(QApplication::font());
  chart_ = new HistoryChart(this);
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
  auto* totals = new QWidget(this);
  auto* totalsLayout = new QVBoxLayout(totals);
  totalsLayout->addWidget(chart_, 3);
  totalsLayout->addLayout(bottom);
  totalsLayout->addWidget(list_, 2);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabHistory"));
  tabs_->addTab(totals, QStringLiteral("総合得点"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  resize(760, 640);
}

ImprovementsTab* HistoryWindow::addImprovements(const ScoreSheetState& state) {
  if (!improvements_) {
    improvements_ = new ImprovementsTab(state, tabs_);
    tabs_->addTab(improvements_, QString::fromUtf8(ImprovementTabTitle));
  }
  return improvements_;
}

void HistoryWindow::setupList() {
  list_ = new QTreeView(this);
  list_->setObjectName(QStringLiteral("lstRecords"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setModel(new RecordListModel(list_));
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void HistoryWindow::reload() {
  showView(loadHistoryView(versionNumber_, QDateTime::currentMSecsSinceEpoch()));
  if (improvements_) improvements_->reload();
}

void HistoryWindow::showView(const HistoryView& view) {
  chart_->setView(view);
  static_cast<RecordListModel*>(list_->model())->setView(view);
  note_->setText(text(view.note));
  note_->setVisible(!view.note.empty());
}

bool HistoryWindow::saveChartImage(const QString& path) { return chart_->grab().save(path, "PNG"); }

void HistoryWindow::btnSaveImage_Click() {
  const QString suggested = QStringLiteral("ac%1history.png").arg(versionNumber_);
  const QString path =
      askSaveFileName(this, QStringLiteral("画像を保存"), suggested, QStringLiteral("PNG 画像 (*.png)"));
  if (path.isEmpty() || saveChartImage(path)) return;
  toolkit().messageBox("ファイル " + QFileInfo(path).fileName().toStdString() + " に画像を保存できません。",
                       "画像の保存失敗", MsgIcon::Exclamation);
}

}  // namespace nk
