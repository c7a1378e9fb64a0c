// score_sheet_fixture.h - the score sheet opened from the menu against master
// files on a loopback server, with its modal questions answered by the test.
#pragma once

#include "frmACScore.h"
#include "frmMenu.h"
#include "gui_test_support.h"
#include "master_server.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace nk::test {

class ScoreSheetFixture : public MasterServerTest {
protected:
  void TearDown() override {
    destroyAllWindows();
    MasterServerTest::TearDown();
  }

  // Opens the menu and clicks the version's button; returns the loaded sheet.
  frmACScore* open(int versionCode) {
    frmMenu* menu = showMenu(frmACScore::loadFrom(request.servers, request.fetch.limits));
    QPushButton* button = versionCode == 112   ? menu->btnAC12Score()
                          : versionCode == 113 ? menu->btnAC13Score()
                                               : menu->btnAC14Score();
    QTest::mouseClick(button, Qt::LeftButton);
    runDeferredDeletes();
    const auto sheets = visibleWindows<frmACScore>();
    return sheets.size() == 1 ? sheets[0] : nullptr;
  }

  // Answers the next modal question by clicking the button with that
  // caption; the question's text lands in question.
  void answerNextQuestion(const QString& caption) {
    QTimer::singleShot(0, [caption, this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      question = box->text();
      for (QAbstractButton* b : box->buttons())
        if (b->text() == caption) b->click();
    });
  }

  QString question;
};

}  // namespace nk::test
