// download_stepsTest.cpp - the four master-file downloads against a primary
// and a secondary server on loopback: fallback, texts, order and the end of
// the program.
#include "net/download_steps.h"
#include "diag/debug_log.h"
#include "failure_of.h"
#include "loopback_server.h"
#include "net/http_fetch.h"
#include "net/server_locations.h"
#include "test_support.h"

namespace nk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

struct StepRow {
  ProcStatus (*run)(const DebugLog&, const ServerPaths&, HttpFetch&, WhenNoServer);
  std::string name;
  std::string serverPath;  // below "/nk/" on both servers, for version 12
  std::string localFile;
  std::string startLog;
  std::string fetching;
  std::string successLog;
  std::string failureLog;
  std::string failureStatus;
};

const std::vector<StepRow>& steps() {
  static const std::vector<StepRow> rows = {
      {DownloadSongMaster, "DownloadSongMaster", "/nk/common/songlist.dat", "songlist.dat", "曲マスタ受信開始",
       "曲マスタを受信中です", "曲マスタ受信終了", "曲マスタ受信失敗", "曲マスタの受信に失敗しました。"},
      {DownloadSRList, "DownloadSRList", "/nk/sr/12/srlist.dat", "srlist.dat",
       "スコアランキング対象曲リスト受信開始", "スコアランキング対象曲リストを受信中です",
       "スコアランキング対象曲リスト受信終了", "スコアランキング対象曲リスト受信失敗",
       "スコアランキング対象曲リストの受信に失敗しました。"},
      {DownloadVersionSongList, "DownloadVersionSongList", "/nk/common/ac12list.dat", "versionlist.dat",
       "バージョン曲リスト受信開始", "バージョン曲リストを受信中です", "バージョン曲リスト受信終了",
       "バージョン曲リスト受信失敗", "バージョン曲リストの受信に失敗しました。"},
      {DownloadNKVersion, "DownloadNKVersion", "/nk/common/nkclient.dat", "version.dat",
       "ノルカクライアント要求ファイル受信開始", "ノルカクライアント要求ファイルを受信中です",
       "ノルカクライアント要求ファイル受信終了", "ノルカクライアント要求ファイル受信失敗",
       "ノルカクライアント要求ファイルの受信に失敗しました。"},
  };
  return rows;
}

std::string masterBytes(const std::string& name) {
  return test::toCp932("<>" + name + "<>ソ表<>太鼓の曲<>ナムコオリジナル<>\r\n");
}

class DownloadStepsTest : public test::WorkDirTest {
protected:
  void SetUp() override {
    bases = {primary.url("/nk/"), secondary.url("/nk/")};
    test::writeBytes("Debug.txt", "");
    ASSERT_EQ(LoadPath(log, AC12, bases, paths), 0);
    test::writeBytes("Debug.txt", "");
  }

  // Runs a step on a fetcher of its own; true when it ended the program.
  bool ends(const StepRow& step) {
    HttpFetch fetch(options);
    return test::endsProgram([&] { EXPECT_EQ(step.run(log, paths, fetch, WhenNoServer::EndProgram), 0); });
  }

  // The step took its file from the secondary server, asked once, without a box.
  void expectTakenFromSecondary(const StepRow& step, const test::RecordingToolkit& recorder) {
    EXPECT_EQ(test::readBytes(step.localFile), masterBytes(step.name));
    EXPECT_EQ(secondary.requestCount(step.serverPath), 1);
    EXPECT_EQ(test::logMessages(), (Strings{"関数 " + step.name + " 開始", step.startLog, step.successLog,
                                            "関数 " + step.name + " 正常終了"}));
    EXPECT_TRUE(recorder.boxes.empty());
  }

  test::LoopbackServer primary;
  test::LoopbackServer secondary;
  ServerBases bases;
  ServerPaths paths;
  FetchOptions options{{1000ms, 1s}};
  const DebugLog log{"./Debug.txt"};
};

TEST_F(DownloadStepsTest, APrimaryThatAnswersIsTheOnlyServerAsked) {
  for (const StepRow& step : steps()) {
    SCOPED_TRACE(step.name);
    primary.serve(step.serverPath, masterBytes(step.name));
    secondary.serve(step.serverPath, "secondary copy");
    test::writeBytes("Debug.txt", "");
    test::RecordingToolkit recorder;
    ScopedToolkit scoped(recorder);

    EXPECT_FALSE(ends(step));
    EXPECT_EQ(test::readBytes(step.localFile), masterBytes(step.name));
    EXPECT_EQ(primary.requestCount(step.serverPath), 1);
    EXPECT_EQ(test::logMessages(), (Strings{"関数 " + step.name + " 開始", step.startLog, step.successLog,
                                            "関数 " + step.name + " 正常終了"}));
    // The fetching text stays up (it is not cleared on success); the yields come after it.
    EXPECT_EQ(recorder.statusTexts, Strings{step.fetching});
    ASSERT_FALSE(recorder.calls.empty());
    EXPECT_EQ(recorder.calls.front(), "status:" + step.fetching);
    EXPECT_GE(recorder.yields, 1);
    EXPECT_TRUE(recorder.boxes.empty());
  }
  EXPECT_EQ(secondary.totalRequests(), 0);
}

TEST_F(DownloadStepsTest, AFailedPrimaryFallsBackToTheSecondaryWithoutABox) {
  // A different primary fault for each step.
  const std::string refusedBase = test::closedPortBaseUrl() + "nk/";
  test::LoopbackServer::Route cut;
  cut.body = std::string(4000, 'x');
  cut.cutAfter = 1000;
  primary.fail(steps()[0].serverPath, 404);
  primary.fail(steps()[1].serverPath, 500);
  primary.route(steps()[2].serverPath, cut);
  ServerPaths refusedPaths;
  ASSERT_EQ(LoadPath(log, AC12, {refusedBase, secondary.url("/nk/")}, refusedPaths), 0);
  paths.PrimaryNKVersionUrl = refusedPaths.PrimaryNKVersionUrl;

  for (const StepRow& step : steps()) {
    SCOPED_TRACE(step.name);
    secondary.serve(step.serverPath, masterBytes(step.name));
    test::writeBytes("Debug.txt", "");
    test::RecordingToolkit recorder;
    ScopedToolkit scoped(recorder);

    EXPECT_FALSE(ends(step));
    expectTakenFromSecondary(step, recorder);
    EXPECT_EQ(recorder.statusTexts, Strings{step.fetching});
    EXPECT_FALSE(recorder.ended);
  }
  EXPECT_EQ(primary.requestCount(steps()[0].serverPath), 1);
  EXPECT_EQ(primary.requestCount(steps()[1].serverPath), 1);
  EXPECT_EQ(primary.requestCount(steps()[2].serverPath), 1);
}

TEST_F(DownloadStepsTest, APrimaryBodyPastTheSizeLimitFallsBackToTheSecondary) {
  options.limits.maxBodyBytes = 4096;
  test::LoopbackServer::Route endless;
  endless.body = "<>x";
  endless.generatedSize = 1024 * 1024;
  endless.chunked = true;
  test::LoopbackServer::Route announcedHuge = endless;
  announcedHuge.chunked = false;
  announcedHuge.announcedLength = 1ull << 40;
  const test::LoopbackServer::Route primaryRoutes[] = {endless, announcedHuge};

  for (std::size_t i = 0; i < 2; ++i) {
    const StepRow& step = steps()[i];
    SCOPED_TRACE(step.name);
    primary.route(step.serverPath, primaryRoutes[i]);
    secondary.serve(step.serverPath, masterBytes(step.name));
    test::writeBytes("Debug.txt", "");
    test::RecordingToolkit recorder;
    ScopedToolkit scoped(recorder);

    EXPECT_FALSE(ends(step));
    EXPECT_EQ(primary.requestCount(step.serverPath), 1);
    expectTakenFromSecondary(step, recorder);
  }
}

TEST_F(DownloadStepsTest, WhenBothServersFailTheStepEndsTheProgram) {
  for (const StepRow& step : steps()) {
    SCOPED_TRACE(step.name);
    primary.fail(step.serverPath, 404);
    secondary.fail(step.serverPath, 503);
    test::writeBytes("Debug.txt", "");
    test::RecordingToolkit recorder;
    ScopedToolkit scoped(recorder);

    EXPECT_TRUE(ends(step));
    const std::string bothErrors = primary.url(step.serverPath) +
                                       " の受信に失敗しました（HTTP ステータス 404）／" +
                                       secondary.url(step.serverPath) + " の受信に失敗しました（HTTP ステータス 503）";
    EXPECT_EQ(test::logMessages(), (Strings{"関数 " + step.name + " 開始", step.startLog, step.failureLog,
                                            "関数 " + step.name + " 異常終了:" + bothErrors}));
    EXPECT_EQ(recorder.calls, (Strings{"status:" + step.fetching, "status:" + step.failureStatus,
                                       "box:異常終了", "end"}));
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(recorder.boxes[0].text.starts_with(step.name + "で異常が発生しました。\r\n"));
    EXPECT_EQ(recorder.boxes[0].text, step.name + "で異常が発生しました。\r\n" + bothErrors)
        << "both failures are shown, the primary's first";
    EXPECT_EQ(primary.requestCount(step.serverPath), 1);
    EXPECT_EQ(secondary.requestCount(step.serverPath), 1);
  }
}

TEST_F(DownloadStepsTest, AStalledPrimaryAndAnUnreachableSecondaryEndTheProgram) {
  test::LoopbackServer::Route stalled;
  stalled.body = std::string(3000, 's');
  stalled.stallAfter = 100;
  stalled.stallFor = 10s;
  primary.route("/nk/sr/12/srlist.dat", stalled);
  paths.SecondarySRListUrl = test::closedPortBaseUrl() + "nk/sr/12/srlist.dat";

  HttpFetch fetch(options);
  EXPECT_THROW(DownloadSRList(log, paths, fetch), ProgramEnded);
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].text, "DownloadSRListで異常が発生しました。\r\n" + paths.PrimarySRListUrl +
                                  " の受信に失敗しました（応答がありません）／" + paths.SecondarySRListUrl +
                                  " の受信に失敗しました（接続できません）");
  EXPECT_EQ(tk.statusTexts.back(), "スコアランキング対象曲リストの受信に失敗しました。");
}

TEST_F(DownloadStepsTest, ACompleteRunLogsEveryStepInOrder) {
  for (const StepRow& step : steps()) primary.serve(step.serverPath, masterBytes(step.name));
  test::writeBytes("Debug.txt", "");
  ServerPaths fresh;
  ASSERT_EQ(LoadPath(log, AC12, bases, fresh), 0);
  HttpFetch fetch(options);
  EXPECT_EQ(DownloadSongMaster(log, fresh, fetch), 0);
  EXPECT_EQ(DownloadSRList(log, fresh, fetch), 0);
  EXPECT_EQ(DownloadVersionSongList(log, fresh, fetch), 0);
  EXPECT_EQ(DownloadNKVersion(log, fresh, fetch), 0);

  Strings expected = {"関数 LoadPath 開始", "関数 LoadPath 正常終了"};
  for (const StepRow& step : steps()) {
    expected.push_back("関数 " + step.name + " 開始");
    expected.push_back(step.startLog);
    expected.push_back(step.successLog);
    expected.push_back("関数 " + step.name + " 正常終了");
    EXPECT_EQ(test::readBytes(step.localFile), masterBytes(step.name)) << step.localFile;
  }
  EXPECT_EQ(test::logMessages(), expected);
  EXPECT_EQ(tk.statusTexts, (Strings{"曲マスタを受信中です", "スコアランキング対象曲リストを受信中です",
                                     "バージョン曲リストを受信中です",
                                     "ノルカクライアント要求ファイルを受信中です"}));
  EXPECT_EQ(secondary.totalRequests(), 0);
}

}  // namespace
}  // namespace nk
