// qt_toolkitTest.cpp - the Qt toolkit: real message boxes, the yield, the
// sheet's status line and the immediate end of the program.
#include "frmACScore.h"
#include "gui_test_support.h"
#include "qt_toolkit.h"

#include <QMessageBox>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace nk {
namespace {

using test::readBytes;
using test::writeBytes;

class QtToolkitTest : public test::WindowTest {
protected:
  QtToolkit qt;
};

TEST_F(QtToolkitTest, MessageBoxShowsTitleTextAndIconWithOneOkButton) {
  struct Case {
    std::string text, title;
    MsgIcon icon;
    QString shown;
    QMessageBox::Icon shownIcon;
  };
  const Case cases[] = {
      {"保存しました", "保存", MsgIcon::None, "保存しました", QMessageBox::NoIcon},
      {"1行目\r\n2行目\r\n", "初期化失敗", MsgIcon::Exclamation, "1行目\n2行目\n", QMessageBox::Warning},
      {"", "初期化失敗", MsgIcon::Exclamation, "", QMessageBox::Warning},
      {"<b>a</b>\rb", "t", MsgIcon::None, "<b>a</b>\nb", QMessageBox::NoIcon},
  };
  for (const Case& c : cases) {
    struct Seen {
      bool found = false;
      QString title, text;
      QMessageBox::Icon icon = QMessageBox::Critical;
      Qt::TextFormat format = Qt::AutoText;
      Qt::WindowModality modality = Qt::NonModal;
      qsizetype buttons = 0;
    } seen;
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) {
        QApplication::closeAllWindows();
        return;
      }
      seen = {true,          box->windowTitle(),      box->text(), box->icon(),
              box->textFormat(), box->windowModality(), box->buttons().size()};
      box->button(QMessageBox::Ok)->click();
    });
    qt.messageBox(c.text, c.title, c.icon);
    ASSERT_TRUE(seen.found) << "no modal message box was open";
    EXPECT_EQ(seen.title, QString::fromStdString(c.title));
    EXPECT_EQ(seen.text, c.shown);
    EXPECT_EQ(seen.icon, c.shownIcon);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
    EXPECT_EQ(seen.buttons, 1);
  }
}

TEST_F(QtToolkitTest, YieldRunsPendingEvents) {
  bool ran = false;
  QMetaObject::invokeMethod(qApp, [&ran] { ran = true; }, Qt::QueuedConnection);
  qt.yield();
  EXPECT_TRUE(ran);
}

TEST_F(QtToolkitTest, YieldsInQuickSuccessionStillRunEventsOnceTheIntervalIsOver) {
  qt.yield();
  // Posted just after a pass, as during a load; runs at the next pass.
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&ran] { ran = true; }, Qt::QueuedConnection);
    std::this_thread::sleep_for(QtToolkit::YieldInterval + std::chrono::milliseconds(5));
    qt.yield();
    EXPECT_TRUE(ran);
  }
}

TEST_F(QtToolkitTest, StatusTextReachesTheSheetsStatusLine) {
  qt.setStatusText("曲リストを展開中です");  // no sheet open: nothing to do, nothing breaks
  auto* other = new QWidget;
  other->show();
  auto* sheet = new frmACScore(AC13, nullptr);
  sheet->show();
  qt.setStatusText("曲リストを展開中です");
  EXPECT_EQ(sheet->lblStatusBar()->text(), "曲リストを展開中です");
  qt.setStatusText("");
  EXPECT_EQ(sheet->lblStatusBar()->text(), "");
}

// Writes a marker file when any closing step of the program runs.
void markClosingStep() { writeBytes("closing-step-ran", "x"); }

class ClosingWindow : public QWidget {
protected:
  void closeEvent(QCloseEvent*) override { markClosingStep(); }
};

TEST_F(QtToolkitTest, EndProgramStopsAtOnceAfterFlushingFiles) {
  EXPECT_EXIT(
      {
        FILE* file = std::fopen("flushed.txt", "w");
        std::fputs("buffered", file);
        (new ClosingWindow)->show();
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { markClosingStep(); });
        std::atexit(markClosingStep);
        qt.endProgram();
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(readBytes("flushed.txt"), "buffered");
  EXPECT_FALSE(std::filesystem::exists("closing-step-ran"));
}

}  // namespace
}  // namespace nk
