// score_sheet_fixture.h - the score sheet opened from the menu against master
// files on a loopback server, with its modal questions answered by the test.
#pragma once

#include "gui_test_support.h"
#include "master_server.h"
#include "ui/frmACScore.h"
#include "ui/frmMenu.h"

#include <QTest>

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

  // Answers the next question with the button of that caption; the
  // question's text lands in question.
  void answerNextQuestion(const QString& caption) {
    tk.answers.push_back(caption.toStdString());
    tk.onQuestion = [this](const Question& q) { question = QString::fromStdString(q.text); };
  }

  QString question;
};

}  // namespace nk::test
