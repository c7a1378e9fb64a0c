// qt_toolkitTest.cpp - the Qt toolkit: real message boxes, the yield, the
// sheet's status line and the immediate end of the program.
#include "gui_test_support.h"
#include "ui/frmACScore.h"
#include "ui/qt_japanese.h"
#include "ui/qt_toolkit.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTranslator>

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

// Qt's standard dialogs speak Japanese; the program's own box keeps its OK.
TEST_F(QtToolkitTest, QtsOwnTextsAreJapanese) {
  QTranslator* japanese = installQtJapanese(*QCoreApplication::instance());
  ASSERT_NE(japanese, nullptr);
  const struct { const char *context, *source, *japanese; } cases[] = {
      {"QPlatformTheme", "Cancel", "キャンセル"}, {"QPlatformTheme", "Save", "保存"},
      {"QFileDialog", "Save As", "名前を付けて保存"}, {"QPlatformTheme", "OK", "OK"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(QCoreApplication::translate(c.context, c.source).toStdString(), c.japanese) << c.source;
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->buttons().at(0)->text(), "OK");
    box->accept();
  });
  qt.messageBox("保存完了しました。", "保存完了", MsgIcon::None);
  QCoreApplication::removeTranslator(japanese);
  delete japanese;
}

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

TEST_F(QtToolkitTest, StatusTextReachesTheStatusLineOfTheSheetWhileItLoads) {
  ScopedToolkit installed(qt);
  qt.setStatusText("曲リストを展開中です");  // no sheet loading: nothing to do, nothing breaks
  QString during;
  auto* sheet = new frmACScore(AC13, DebugLog{}, [&](frmACScore& s) {
    toolkit().setStatusText("曲リストを展開中です");
    during = s.lblStatusBar()->text();
    toolkit().setStatusText("");
  });
  sheet->Form_Load();
  EXPECT_EQ(during, "曲リストを展開中です");
  EXPECT_EQ(sheet->lblStatusBar()->text(), "");
  EXPECT_EQ(qt.statusLine(), nullptr) << "the sheet lets go of the texts after its load";
  qt.setStatusText("後の文");
  EXPECT_EQ(sheet->lblStatusBar()->text(), "");
}

TEST_F(QtToolkitTest, AQuestionAnswersWithTheButtonChosenOrTheEscapeButton) {
  const Question question{"保存していない点数があります。保存しますか？", "未保存の点数", MsgIcon::Exclamation,
                          {"保存する", "保存しない", "シートに戻る"}, 0, 2};
  struct Reply {
    const char* caption;  // nullptr: Escape
    std::size_t answer;
  };
  for (const Reply& r : {Reply{"保存しない", 1}, Reply{"保存する", 0}, Reply{nullptr, 2}}) {
    QString shownText, shownTitle;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      shownText = box->text();
      shownTitle = box->windowTitle();
      if (!r.caption) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
      }
      for (QAbstractButton* b : box->buttons())
        if (b->text() == r.caption) b->click();
    });
    EXPECT_EQ(qt.ask(question), r.answer) << (r.caption ? r.caption : "Escape");
    EXPECT_EQ(shownText, "保存していない点数があります。保存しますか？");
    EXPECT_EQ(shownTitle, "未保存の点数");
  }
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
