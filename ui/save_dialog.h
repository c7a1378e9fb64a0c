// save_dialog.h - the question where to save a file ("CSVに保存…",
// "画像を保存…"): the first time in the run in the player's Documents folder,
// not in the hidden data folder the program works in, then in the folder the
// player last chose.
#pragma once

#include <QString>

class QWidget;

namespace nk {

// The path chosen, or empty when the player cancelled. fileName is offered
// in the folder the dialog opens in.
QString askSaveFileName(QWidget* parent, const QString& caption, const QString& fileName, const QString& filter);

// Where that dialog opens.
QString saveDialogFolder();

}  // namespace nk
