// find_song_dialog.h - "曲を探す": a line edit and the matching entries below
// it, as the player types.
//
// A thin window over the sheet's state and its search index, both of which
// it only reads and neither of which it copies; the sheet must outlive it (it
// is the sheet's child). Enter or a double click on a row reports the row's
// display position through chosen() after the dialog has closed; Escape
// closes it and reports nothing. Up, Down, Page Up and Page Down move in the
// list while the focus stays in the line edit.
#pragma once

#include "data/score_state.h"
#include "input/song_search.h"

#include <QDialog>

#include <cstdint>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace nk {

class FindSongDialog : public QDialog {
  Q_OBJECT

public:
  // Rows listed at most; the rest are only counted.
  static constexpr size_t ListLimit = 200;

  FindSongDialog(const ScoreSheetState& state, const SongSearchIndex& index, QWidget* parent);

  QLineEdit* queryBox() const { return query_; }
  QTreeWidget* list() const { return list_; }
  QLabel* countLabel() const { return count_; }

  // Lists the matches of the query box's text; the first row becomes current.
  void updateList();

signals:
  void chosen(int16_t displayPosition);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void choose();

  const ScoreSheetState& state_;
  const SongSearchIndex& index_;
  QLineEdit* query_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QLabel* count_ = nullptr;
};

}  // namespace nk
