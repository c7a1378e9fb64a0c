// score_sheet_fixture.h - the score sheet opened from the menu against master
// files on a loopback server, with its modal questions answered by the test.
#pragma once

#include "gui_test_support.h"
#include "master_server.h"
#include "ui/frmACScore.h"
#include "ui/frmMenu.h"
#include "ui/sheet_load_step.h"

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
    frmMenu* menu = showMenu(loadFrom(request.servers, request.fetch.limits));
    QPushButton* button = versionCode == 112   ? menu->btnAC12Score()
                          : versionCode == 113 ? menu->btnAC13Score()
                                               : menu->btnAC14Score();
    QTest::mouseClick(button, Qt::LeftButton);
    runDeferredDeletes();
    const auto sheets = visibleWindows<frmACScore>();
    return sheets.size() == 1 ? sheets[0] : nullptr;
  }

  // 30 charts of level 7 (曲0 .. 曲29) and 10 of level 8 (曲30 .. 曲39), all
  // targets, none with a score: quotas 22 and 7. Every song J-POP, or with
  // mixedGenres every third one アニメ. The sheet is active once open.
  frmACScore* openRankingSheet(bool mixedGenres) {
    std::vector<Song> songs;
    std::vector<Entry> entries;
    std::vector<Target> targets;
    for (int i = 0; i < 40; ++i) {
      songs.push_back({"曲" + std::to_string(i), mixedGenres && i % 3 == 0 ? "アニメ" : "J-POP"});
      entries.push_back({i + 1, i < 30 ? "abc7efg-" : "abc8efg-"});
      targets.push_back({i + 1, "0"});
    }
    serveMasters(113, songs, entries, targets);
    frmACScore* sheet = open(113);
    if (sheet && !QTest::qWaitForWindowActive(sheet)) return nullptr;
    return sheet;
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
