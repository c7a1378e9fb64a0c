// save_dialogTest.cpp - the save dialogs open in Documents, then where the player last saved.
#include "gui_test_support.h"
#include "ui/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QTimer>

namespace nk {
namespace {

using SaveDialogTest = test::WindowTest;

TEST_F(SaveDialogTest, OpensInDocumentsThenWhereThePlayerLastSaved) {
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", QDir::currentPath().toUtf8());  // Documents below the test's own folder
  for (const char* folder : {"Documents", "書き出し"}) QDir().mkpath(folder);
  // Asks as "CSVに保存…" does, answers with a file in "書き出し"; gives the folder it opened in.
  const auto askAndAnswer = [] {
    QString opened;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      opened = dialog->directory().absolutePath();
      dialog->selectFile(QDir::current().filePath("書き出し/内訳.csv"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString chosen = askSaveFileName(nullptr, "CSVに保存", "総合得点の内訳.csv", "CSV (*.csv)");
    return opened + " -> " + QDir::current().relativeFilePath(chosen);
  };
  EXPECT_EQ(askAndAnswer(), QDir::current().filePath("Documents") + " -> 書き出し/内訳.csv");
  EXPECT_EQ(askAndAnswer(), QDir::current().filePath("書き出し") + " -> 書き出し/内訳.csv");
  qputenv("HOME", home);
}

}  // namespace
}  // namespace nk
