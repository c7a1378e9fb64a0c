// save_dialogTest.cpp - the save dialogs open in the player's Documents
// folder the first time, then where the player last saved, for the run.
#include "gui_test_support.h"
#include "ui/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QTimer>

namespace nk {
namespace {

// Documents below the test's own folder (HOME), and a folder to save into.
class SaveDialogTest : public test::WindowTest {
protected:
  void SetUp() override {
    qputenv("HOME", QDir::currentPath().toUtf8());
    for (const char* folder : {"Documents", "書き出し"}) QDir().mkpath(folder);
  }
  void TearDown() override { qputenv("HOME", home), WindowTest::TearDown(); }
  // Asks as "CSVに保存…" does, answers with a file in "書き出し"; returns
  // the folder the dialog opened in.
  QString askAndAnswer() {
    QString opened;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      opened = dialog->directory().absolutePath();
      dialog->selectFile(QDir::current().filePath("書き出し/内訳.csv"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    chosen = askSaveFileName(nullptr, "CSVに保存", "総合得点の内訳.csv", "CSV (*.csv)");
    return opened;
  }
  const QByteArray home = qgetenv("HOME");
  QString chosen;
};

TEST_F(SaveDialogTest, OpensInDocumentsThenWhereThePlayerLastSaved) {
  EXPECT_EQ(askAndAnswer(), QDir::current().filePath("Documents"));
  EXPECT_EQ(chosen, QDir::current().filePath("書き出し/内訳.csv"));
  EXPECT_EQ(askAndAnswer(), QDir::current().filePath("書き出し"));
}

}  // namespace
}  // namespace nk
