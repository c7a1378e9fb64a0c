// qt_japanese.cpp - loading qtbase_ja.qm once for the program's whole run.
#include "ui/qt_japanese.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace nk {

QStringList qtTranslationFolders() {
  return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QTranslator* installQtJapanese(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  for (const QString& folder : qtTranslationFolders()) {
    if (translator->load(QStringLiteral("qtbase_ja"), folder) && app.installTranslator(translator)) return translator;
  }
  delete translator;
  return nullptr;
}

QFont toolWindowFont() {
  static const QStringList faces = {QStringLiteral("Yu Gothic UI"),     QStringLiteral("Meiryo UI"),
                                    QStringLiteral("MS UI Gothic"),     QStringLiteral("Noto Sans CJK JP"),
                                    QStringLiteral("IPAPGothic"),       QStringLiteral("IPAPMincho"),
                                    QStringLiteral("IPAMincho")};
  QFont font = QApplication::font();
  // Only a face that is there: a family list lets Qt take the first it has
  // for every glyph it has, and a face that has both scripts draws both.
  const QStringList installed = QFontDatabase::families();
  for (const QString& face : faces)
    if (installed.contains(face)) {
      font.setFamilies({face});
      break;
    }
  return font;
}

}  // namespace nk
