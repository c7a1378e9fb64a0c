// history_window.cpp - the history window's layout, its chart and list, the
// legend's switches and the picture of the chart.
#include "ui/history_window.h"

#include "data/moment.h"
#include "history/history_view.h"
#include "toolkit/toolkit.h"
#include "ui/history_chart.h"
#include "ui/history_list_model.h"
#include "ui/improvements_tab.h"
#include "ui/qt_japanese.h"
#include "ui/save_dialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace nk {
namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

HistoryWindow::HistoryWindow(int16_t versionNumber, QWidget* parent)
    : QWidget(parent, Qt::Window), versionNumber_(versionNumber) {
  setObjectName(QStringLiteral("historyWindow"));
  setWindowTitle(QString::fromUtf8(HistoryWindowTitle));
  setFont(toolWindowFont());
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
  list_->setModel(new HistoryListModel(list_));
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void HistoryWindow::reload() {
  const auto now = std::chrono::milliseconds{localMomentNow().utc.time_since_epoch()};
  showView(loadHistoryView(versionNumber_, now.count()));
  if (improvements_) improvements_->reload();
}

void HistoryWindow::showView(const HistoryView& view) {
  chart_->setView(view);
  static_cast<HistoryListModel*>(list_->model())->setView(view);
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
