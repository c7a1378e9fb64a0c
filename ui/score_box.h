// score_box.h - the score sheet's score box: a one-line text box that takes
// at most seven characters from the player.
//
// The limit holds for what the player types, pastes or composes, never for
// the program: a text written with setText() reaches the box whole (a score
// of eight digits must survive a page change unchanged), which is why the box
// does not use QLineEdit's own maximum length, which cuts setText() too.
// A keystroke that does not fit is refused; a paste or an input method
// commit that does not fit is cut to what fits. A box that already holds more
// than seven characters (written by the program) takes no more of them.
// Drops are not accepted.
//
// The box is for numbers: the input method is off in it (as numeric boxes of
// Japanese Windows programs have it), so keys give ASCII digits even after the
// player typed hiragana elsewhere; full-width digits, signs and periods that
// still arrive (a paste, the commit of an input method that ignores this)
// enter as their ASCII forms, so that the box shows the number that is stored.
#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace nk {

class ScoreBox : public QLineEdit {
  Q_OBJECT

public:
  static constexpr int TypingLimit = 7;

  explicit ScoreBox(QWidget* parent = nullptr);

  // How many characters one insertion by the player may add in place of the
  // selection; 0 when the box is full.
  int room() const;
  // Paste of the clipboard (or of the X11 selection) cut to room().
  void pasteLimited(QClipboard::Mode mode = QClipboard::Clipboard);

  // Tells the platform's input method that the box takes none.
  using QLineEdit::inputMethodQuery;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  // The first room() characters of text, never cutting a surrogate pair.
  QString fitted(const QString& text, int room) const;
};

}  // namespace nk
