// score_boxTest.cpp - the seven-character limit of the score box: typed,
// pasted and composed text is limited, text written by the program is not.
#include "gui_test_support.h"
#include "ui/score_box.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest/QTest>

#include <functional>
#include <utility>

namespace nk {
namespace {

class ScoreBoxTest : public test::WindowTest {
protected:
  void SetUp() override {
    box = new ScoreBox;
    box->show();
    changes = std::make_unique<QSignalSpy>(box, &QLineEdit::textChanged);
  }
  // What an input method's commit of text does.
  void commit(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
  }
  // Puts text into the box as the program does, then forgets that change.
  void writeByProgram(const QString& text) {
    box->setText(text);
    changes->clear();
  }

  ScoreBox* box = nullptr;
  std::unique_ptr<QSignalSpy> changes;
};

TEST_F(ScoreBoxTest, AnEighthTypedCharacterIsRefused) {
  QTest::keyClicks(box, "12345678");
  EXPECT_EQ(box->text(), "1234567");
  EXPECT_EQ(changes->count(), 7);  // the refused key changed nothing and fired nothing

  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, "9");
  EXPECT_EQ(box->text(), "1234569");

  // A full box still takes a character in place of its selection.
  box->selectAll();
  QTest::keyClicks(box, "-5");
  EXPECT_EQ(box->text(), "-5");
}

TEST_F(ScoreBoxTest, TextWrittenByTheProgramStaysWholeAndTakesNoMoreTyping) {
  box->setText("123456789");
  EXPECT_EQ(box->text(), "123456789");
  ASSERT_EQ(changes->count(), 1);
  EXPECT_EQ(changes->at(0).at(0).toString(), "123456789");
  changes->clear();

  QTest::keyClicks(box, "0");
  EXPECT_EQ(box->text(), "123456789");
  EXPECT_EQ(changes->count(), 0);

  QTest::keyClick(box, Qt::Key_Backspace);  // deleting is always allowed
  EXPECT_EQ(box->text(), "12345678");
  QTest::keyClicks(box, "0");
  EXPECT_EQ(box->text(), "12345678");

  box->setText("-1234567");
  EXPECT_EQ(box->text(), "-1234567");
}

TEST_F(ScoreBoxTest, PasteIsCutToWhatFits) {
  struct Case {
    QString before;
    bool selectAll;
    QString clipboard;
    QString after;
  };
  const Case cases[] = {
      {"", false, "98765432", "9876543"},
      {"12", false, "98765432", "1298765"},
      {"12", false, "34", "1234"},
      {"1234567", false, "8", "1234567"},
      {"1234567", true, "98765432", "9876543"},
      {"123456789", false, "1", "123456789"},
  };
  for (const Case& c : cases) {
    writeByProgram(c.before);
    if (c.selectAll) box->selectAll();
    QGuiApplication::clipboard()->setText(c.clipboard);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), c.after) << "'" << c.before.toStdString() << "' + " << c.clipboard.toStdString();
    EXPECT_EQ(changes->count(), c.after == c.before ? 0 : 1) << c.clipboard.toStdString();
  }
}

TEST_F(ScoreBoxTest, PasteFromTheContextMenuIsCutToo) {
  writeByProgram("12");
  QGuiApplication::clipboard()->setText("98765432");
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(box, &event);

  QMenu* menu = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) menu = m;
  ASSERT_NE(menu, nullptr);
  QAction* paste = nullptr;
  for (QAction* action : menu->actions())
    if (action->text().startsWith("&Paste")) paste = action;
  ASSERT_NE(paste, nullptr);
  paste->trigger();
  EXPECT_EQ(box->text(), "1298765");
  menu->close();
}

TEST_F(ScoreBoxTest, InputMethodCommitIsCutToWhatFits) {
  struct Case {
    QString before, commit, after;
  };
  const Case cases[] = {
      {"", "12345678", "1234567"},
      {"12345", "678", "1234567"},
      {"1234567", "8", "1234567"},
      {"", "１２３", "123"},
      {"12345", "６７８", "1234567"},
  };
  for (const Case& c : cases) {
    writeByProgram(c.before);
    commit(c.commit);
    EXPECT_EQ(box->text(), c.after) << c.commit.toStdString();
  }
}

TEST_F(ScoreBoxTest, FullWidthNumbersEnterAsAsciiHoweverTheyArrive) {
  QInputMethodQueryEvent query(Qt::ImEnabled);  // what the platform's input method asks
  QApplication::sendEvent(box, &query);
  EXPECT_FALSE(query.value(Qt::ImEnabled).toBool());

  const std::pair<const char*, std::function<void(const QString&)>> ways[] = {
      {"keys", [&](const QString& t) { test::typeCharacters(box, t); }},
      {"commit", [&](const QString& t) { commit(t); }},
      {"paste", [&](const QString& t) { QGuiApplication::clipboard()->setText(t), box->pasteLimited(); }},
  };
  const std::pair<QString, QString> cases[] = {{"７００００１", "700001"}, {"－１２", "-12"},
                                               {"−５", "-5"},              {"＋３．５", "+3.5"},
                                               {"１２３４５６７８", "1234567"}, {"９ａ，１", "9ａ，1"}};
  for (const auto& [way, enter] : ways) {
    for (const auto& [entered, shown] : cases) {
      writeByProgram("");
      enter(entered);
      EXPECT_EQ(box->text(), shown) << way << ": " << entered.toStdString();
    }
  }
}

TEST_F(ScoreBoxTest, TakesNoDrops) { EXPECT_FALSE(box->acceptDrops()); }

}  // namespace
}  // namespace nk
