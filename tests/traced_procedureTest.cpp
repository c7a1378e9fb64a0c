// traced_procedureTest.cpp - start and end marks, the failure box and the end of
// the program, with the debug log on a real file.
#include "diag/traced_procedure.h"
#include "diag/runtime_error.h"
#include "failure_of.h"
#include "log_fixture.h"

#include <stdexcept>

namespace nk {
namespace {

namespace fs = std::filesystem;
using test::logMessages;
using Strings = std::vector<std::string>;

class TraceTest : public test::LoggedWorkDirTest {};

TEST_F(TraceTest, StartAndNormalEndAreOneLineEach) {
  StartFunc(debugLog, "LoadPath");
  EndFunc(debugLog, "LoadPath", 0, "");
  EXPECT_EQ(logMessages(), (Strings{"関数 LoadPath 開始", "関数 LoadPath 正常終了"}));
  EXPECT_TRUE(tk.calls.empty());
}

TEST_F(TraceTest, EachStatusHasItsReport) {
  struct Case {
    ProcStatus status;
    std::string lastError;
    Strings log;
    Strings boxTexts;
    bool ends;
  };
  const std::vector<Case> cases = {
      {0, "前の失敗", {"関数 DownloadSRList 正常終了"}, {}, false},
      {-1,
       "http://127.0.0.1/nk/sr/12/srlist.dat の受信に失敗しました（HTTP ステータス 404）",
       {"関数 DownloadSRList 異常終了:http://127.0.0.1/nk/sr/12/srlist.dat の受信に失敗しました（HTTP ステータス 404）"},
       {"DownloadSRListで異常が発生しました。\r\nhttp://127.0.0.1/nk/sr/12/srlist.dat の受信に失敗しました（HTTP ステータス 404）"},
       false},
      // An empty description leaves the box's second line empty and the log line ends at the colon.
      {-1, "", {"関数 DownloadSRList 異常終了:"}, {"DownloadSRListで異常が発生しました。\r\n"}, false},
      {-9, "オーバーフローしました。", {"関数 DownloadSRList 異常終了:オーバーフローしました。"},
       {"DownloadSRListで異常が発生しました。\r\nオーバーフローしました。"}, true},
      {1, "x", {}, {}, false},
      {-2, "x", {}, {}, false},
      {-8, "x", {}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    test::writeBytes("Debug.txt", "");
    test::RecordingToolkit recorder;
    ScopedToolkit scoped(recorder);

    EXPECT_EQ(test::endsProgram([&] { EndFunc(debugLog, "DownloadSRList", c.status, c.lastError); }), c.ends);
    EXPECT_EQ(recorder.ended, c.ends);
    EXPECT_EQ(logMessages(), c.log);
    Strings texts;
    for (const auto& box : recorder.boxes) {
      texts.push_back(box.text);
      EXPECT_EQ(box.title, "異常終了");
      EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(texts, c.boxTexts);
  }
}

// The box comes first, so that the failure line carries the moment the
// player dismissed it.
class LogPeekingToolkit : public test::RecordingToolkit {
public:
  void messageBox(const std::string& text, const std::string& title, MsgIcon icon) override {
    logAtBox = logMessages();
    RecordingToolkit::messageBox(text, title, icon);
  }
  Strings logAtBox;
};

TEST_F(TraceTest, TheBoxIsShownBeforeTheFailureLineAndTheEndComesLast) {
  LogPeekingToolkit peeking;
  ScopedToolkit scoped(peeking);
  StartFunc(debugLog, "DownloadNKVersion");
  EXPECT_THROW(EndFunc(debugLog, "DownloadNKVersion", -9, "原因"), ProgramEnded);
  EXPECT_EQ(peeking.logAtBox, (Strings{"関数 DownloadNKVersion 開始"}));
  EXPECT_EQ(logMessages(), (Strings{"関数 DownloadNKVersion 開始", "関数 DownloadNKVersion 異常終了:原因"}));
  EXPECT_EQ(peeking.calls, (Strings{"box:異常終了", "end"}));
}

class FailingBoxToolkit : public test::RecordingToolkit {
public:
  void messageBox(const std::string&, const std::string&, MsgIcon) override {
    calls.push_back("box failed");
    throw std::runtime_error("no screen");
  }
};

TEST_F(TraceTest, AFailingBoxDoesNotStopTheLogLineOrTheEnd) {
  FailingBoxToolkit failing;
  ScopedToolkit scoped(failing);
  EXPECT_NO_THROW(EndFunc(debugLog, "LoadPath", -1, "原因"));
  EXPECT_THROW(EndFunc(debugLog, "LoadPath", -9, "原因"), ProgramEnded);
  EXPECT_EQ(logMessages(), (Strings{"関数 LoadPath 異常終了:原因", "関数 LoadPath 異常終了:原因"}));
  EXPECT_EQ(failing.calls, (Strings{"box failed", "box failed", "end"}));
}

TEST_F(TraceTest, WithoutALogTheBoxIsStillShown) {
  fs::remove("Debug.txt");
  EXPECT_THROW(EndFunc(debugLog, "LoadPath", -9, "原因"), ProgramEnded);
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].text, "LoadPathで異常が発生しました。\r\n原因");
  EXPECT_FALSE(fs::exists("Debug.txt"));
}

TEST_F(TraceTest, RunTracedReportsTheStatusTheWorkLeft) {
  // Success.
  EXPECT_EQ(runTraced(debugLog, "DownloadSongMaster", [](ProcStatus& s, std::string&) { s = 0; }), 0);
  // A failure the program survives.
  const auto survivable = [](ProcStatus& s, std::string& failure) { s = -1; failure = "続行できる失敗"; };
  EXPECT_EQ(runTraced(debugLog, "DownloadSongMaster", survivable), -1);
  // An error after the work set 0 is reported with 0.
  EXPECT_EQ(runTraced(debugLog, "DownloadSongMaster",
                      [](ProcStatus& s, std::string&) {
                        s = 0;
                        throw RuntimeError("後の失敗");
                      }),
            0);
  EXPECT_EQ(tk.boxes.size(), 1u) << "only the failure the work reported has a box";
  EXPECT_EQ(logMessages(), (Strings{"関数 DownloadSongMaster 開始", "関数 DownloadSongMaster 正常終了",
                                    "関数 DownloadSongMaster 開始",
                                    "関数 DownloadSongMaster 異常終了:続行できる失敗",
                                    "関数 DownloadSongMaster 開始", "関数 DownloadSongMaster 正常終了"}));
  EXPECT_FALSE(tk.ended);
}

TEST_F(TraceTest, RunTracedEndsTheProgramOnAnUnexpectedError) {
  EXPECT_THROW(runTraced(debugLog, "LoadPath",
                         [](ProcStatus&, std::string&) { throw RuntimeError("オーバーフローしました。"); }),
               ProgramEnded);
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].text, "LoadPathで異常が発生しました。\r\nオーバーフローしました。");
  EXPECT_EQ(logMessages(), (Strings{"関数 LoadPath 開始", "関数 LoadPath 異常終了:オーバーフローしました。"}));
  EXPECT_TRUE(tk.ended);
}

}  // namespace
}  // namespace nk
