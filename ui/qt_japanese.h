// qt_japanese.h - Qt's own Japanese texts for its standard dialogs and
// buttons (the file dialogs of "CSVに保存…" and "画像を保存…", their overwrite
// question, "キャンセル"), whatever language the system speaks: the program is
// Japanese. The texts that the program's own boxes define stay as they are.
// And the one face of the tool windows (breakdown, history, the day's
// progress, import, paste, backups, find): a Japanese face drawn for Latin
// and digits too, so that "あと 12点" is one face, not a Latin face's digits
// between a fallback's kana. The sheet and the menu keep their own font.
#pragma once

#include <QFont>
#include <QStringList>

class QCoreApplication;
class QTranslator;

namespace nk {

// Where qtbase_ja.qm is looked for, first to last: "translations" beside the
// program (the Windows program ships it there), then Qt's own folder.
QStringList qtTranslationFolders();

// Installs the first qtbase_ja.qm found into app and returns its translator
// (owned by app); nullptr when none is found: the dialogs then speak English,
// and nothing else changes.
QTranslator* installQtJapanese(QCoreApplication& app);

// The tool windows' font at the application font's size: the first installed
// of Windows' Japanese UI faces, then Noto Sans CJK JP and IPA's (Linux, Wine).
// Set on a tool window, its child widgets inherit it.
QFont toolWindowFont();

}  // namespace nk
