// save_dialogTest.cpp - the save dialogs open in the player's Documents
// folder the first time, then where the player last saved, for the run.
#include "gui_test_support.h"
#include "ui/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTimer>

namespace nk {
namespace {

class SaveDialogTest : public test::WindowTest {
protected:
  void SetUp() override {
    home = qgetenv("HOME");
    qputenv("HOME", QDir::currentPath().toUtf8());  // Documents below the test's own folder
    QDir().mkpath(QDir::current().filePath("Documents"));
    QDir().mkpath(QDir::current().filePath("書き出し"));
  }
  void TearDown() override {
    qputenv("HOME", home);
    WindowTest::TearDown();
  }
  // Asks as "CSVに保存…" does; the dialog is answered with a file in folder.
  // Returns the folder the dialog opened in.
  QString askAndAnswer(const QString& folder) {
    QString opened;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      opened = dialog->directory().absolutePath();
      dialog->selectFile(QDir(folder).filePath("内訳.csv"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    chosen = askSaveFileName(nullptr, "CSVに保存", "総合得点の内訳.csv", "CSV (*.csv)");
    return opened;
  }
  QByteArray home;
  QString chosen;
};

TEST_F(SaveDialogTest, OpensInDocumentsThenWhereThePlayerLastSaved) {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  ASSERT_EQ(documents, QDir::current().filePath("Documents"));
  const QString elsewhere = QDir::current().filePath("書き出し");
  EXPECT_EQ(askAndAnswer(elsewhere), documents);
  EXPECT_EQ(chosen, QDir(elsewhere).filePath("内訳.csv"));
  EXPECT_EQ(askAndAnswer(elsewhere), elsewhere);
}

}  // namespace
}  // namespace nk
