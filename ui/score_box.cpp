// score_box.cpp - the score box's limit on what the player enters.
#include "ui/score_box.h"

#include "sheet/score_entry.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace nk {

namespace {

// Whether QLineEdit would insert the key's text (the same test as Qt's own:
// printable text, and Ctrl or Ctrl+Shift mean a shortcut, not a character).
bool insertsText(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty()) return false;
  const QChar c = text.at(0);
  if (c.category() == QChar::Other_Format) return true;
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier)) return false;
  if (c.isPrint() || c.category() == QChar::Other_PrivateUse) return true;
  return c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

QString asciiScore(const QString& text) {
  return QString::fromStdString(asciiScoreText(text.toStdString()));
}

}  // namespace

ScoreBox::ScoreBox(QWidget* parent) : QLineEdit(parent) {
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

QVariant ScoreBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  // Asked whenever the box takes the focus; on "no" Windows detaches the
  // input method from the window until a box that takes one has the focus.
  if (query == Qt::ImEnabled) return false;
  return QLineEdit::inputMethodQuery(query);
}

int ScoreBox::room() const {
  const qsizetype kept = text().size() - selectedText().size();
  return kept >= TypingLimit ? 0 : TypingLimit - static_cast<int>(kept);
}

QString ScoreBox::fitted(const QString& text, int room) const {
  if (text.size() <= room) return text;
  if (room > 0 && text.at(room - 1).isHighSurrogate()) --room;
  return text.left(room);
}

void ScoreBox::pasteLimited(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  const QString clip = asciiScore(QGuiApplication::clipboard()->text(mode));
  const QString part = fitted(clip, room());
  // A full box refuses the paste as a whole and keeps its selection.
  if (part.isEmpty() && !clip.isEmpty()) return;
  if (part.isEmpty() && !hasSelectedText()) return;
  insert(part);
}

void ScoreBox::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    pasteLimited();
    event->accept();
    return;
  }
  if (!isReadOnly() && insertsText(*event) && event->text().size() > room()) {
    event->accept();  // refused, as by a full box: nothing changes
    return;
  }
  if (const QString ascii = asciiScore(event->text()); insertsText(*event) && ascii != event->text()) {
    QKeyEvent narrowed(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), ascii, event->isAutoRepeat(),
                       static_cast<quint16>(event->count()), event->device());
    QLineEdit::keyPressEvent(&narrowed);
    event->setAccepted(narrowed.isAccepted());
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void ScoreBox::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = asciiScore(event->commitString());
  if (isReadOnly() || commit.isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  // The commit replaces the selection, or replacementLength() characters.
  const int replaced = hasSelectedText() ? 0 : event->replacementLength();
  const QString part = fitted(commit, room() + replaced);
  if (part == event->commitString()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent limited(event->preeditString(), event->attributes());
  limited.setCommitString(part, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&limited);
  event->accept();
}

void ScoreBox::mouseReleaseEvent(QMouseEvent* event) {
  // X11 pastes the selection on a middle click.
  if (event->button() == Qt::MiddleButton && !isReadOnly() &&
      QGuiApplication::clipboard()->supportsSelection()) {
    deselect();
    pasteLimited(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void ScoreBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  if (!menu) return;
  // The menu's Paste goes through the limit like Ctrl+V. QLineEdit connects it
  // by signature, so only that one action matches the disconnect.
  for (QAction* action : menu->actions()) {
    if (QObject::disconnect(action, SIGNAL(triggered()), this, SLOT(paste())))
      connect(action, &QAction::triggered, this, [this] { pasteLimited(); });
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

}  // namespace nk
