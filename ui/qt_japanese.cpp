// qt_japanese.cpp - loading qtbase_ja.qm once for the program's whole run.
#include "ui/qt_japanese.h"

#include <QCoreApplication>
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

}  // namespace nk
