// find_song_dialog.cpp - the find dialog's controls and their wiring.
#include "ui/find_song_dialog.h"

#include "ui/qt_japanese.h"
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace nk {
namespace {

enum Column { TitleColumn, LevelColumn, LevelUColumn, PageColumn, ColumnCount };

constexpr int PositionRole = Qt::UserRole;

bool movesInList(int key) {
  return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

}  // namespace

FindSongDialog::FindSongDialog(const ScoreSheetState& state, const SongSearchIndex& index, QWidget* parent)
    : QDialog(parent), state_(state), index_(index) {
  setObjectName(QStringLiteral("findSongDialog"));
  setWindowTitle(QStringLiteral("曲を探す"));
  setWindowModality(Qt::WindowModal);
  setAttribute(Qt::WA_DeleteOnClose);
  // The sheet's large bold face would leave room for only a few rows.
  setFont(toolWindowFont());

  query_ = new QLineEdit(this);
  query_->setObjectName(QStringLiteral("query"));
  query_->setPlaceholderText(QStringLiteral("曲名の一部 (ひらがな・カタカナ、全角・半角は区別しません)"));
  query_->setClearButtonEnabled(true);
  query_->installEventFilter(this);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("matches"));
  list_->setColumnCount(ColumnCount);
  list_->setHeaderLabels({QStringLiteral("曲名"), QString::fromUtf8(NormalChartMark), QString::fromUtf8(UraChartMark), QStringLiteral("頁")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
  for (int c : {LevelColumn, LevelUColumn, PageColumn})
    list_->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);

  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("count"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(query_);
  layout->addWidget(list_);
  layout->addWidget(count_);
  resize(440, 300);  // smaller than the sheet, which stays in sight around it

  connect(query_, &QLineEdit::textChanged, this, &FindSongDialog::updateList);
  connect(query_, &QLineEdit::returnPressed, this, &FindSongDialog::choose);
  connect(list_, &QTreeWidget::itemActivated, this, &FindSongDialog::choose);
  updateList();
}

void FindSongDialog::updateList() {
  const SongMatches matches = index_.find(query_->text().toStdString(), ListLimit);
  list_->setUpdatesEnabled(false);
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(matches.positions.size()));
  for (int16_t position : matches.positions) {
    const FoundSong song = foundSong(state_, position);
    auto* item = new QTreeWidgetItem(
        QStringList{QString::fromStdString(song.title), QString::fromStdString(song.level),
                    QString::fromStdString(song.levelU), QString::number(song.page)});
    item->setData(TitleColumn, PositionRole, static_cast<int>(position));
    for (int c : {LevelColumn, LevelUColumn, PageColumn}) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    items.append(item);
  }
  list_->addTopLevelItems(items);
  if (!items.isEmpty()) list_->setCurrentItem(items.front());
  list_->setUpdatesEnabled(true);

  if (matches.positions.empty()) count_->setText(QStringLiteral("見つかりません"));
  else if (matches.more > 0) count_->setText(QStringLiteral("ほか %1 件").arg(matches.more));
  else count_->setText(QStringLiteral("%1 件").arg(matches.positions.size()));
}

bool FindSongDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == query_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (movesInList(key->key())) {
      QApplication::sendEvent(list_, key);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FindSongDialog::choose() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item) return;
  const auto position = static_cast<int16_t>(item->data(TitleColumn, PositionRole).toInt());
  accept();
  emit chosen(position);
}

}  // namespace nk
