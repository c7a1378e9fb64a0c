// faults_fixture.h - the whole load against a primary and a secondary server
// on loopback, with a score file whose bytes must survive every fault.
#pragma once

#include "failure_of.h"
#include "load/load_sequence.h"
#include "master_server.h"
#include "net/server_locations.h"
#include "platform/cp932.h"

#include <filesystem>
#include <string>
#include <vector>

namespace nk::test {

using Strings = std::vector<std::string>;

// One download step: the server path of its file (version 13) and its texts.
struct StepTexts {
  std::string name;
  std::string path;       // below the server's base, e.g. "common/songlist.dat"
  std::string localName;  // in the working folder
  std::string startLog, successLog, failureLog, failureStatus;
};

inline const std::vector<StepTexts>& downloadSteps() {
  static const std::vector<StepTexts> steps = {
      {"DownloadSongMaster", "common/songlist.dat", "songlist.dat", "曲マスタ受信開始", "曲マスタ受信終了",
       "曲マスタ受信失敗", "曲マスタの受信に失敗しました。"},
      {"DownloadSRList", "sr/13/srlist.dat", "srlist.dat", "スコアランキング対象曲リスト受信開始",
       "スコアランキング対象曲リスト受信終了", "スコアランキング対象曲リスト受信失敗",
       "スコアランキング対象曲リストの受信に失敗しました。"},
      {"DownloadVersionSongList", "common/ac13list.dat", "versionlist.dat", "バージョン曲リスト受信開始",
       "バージョン曲リスト受信終了", "バージョン曲リスト受信失敗", "バージョン曲リストの受信に失敗しました。"},
      {"DownloadNKVersion", "common/nkclient.dat", "version.dat", "ノルカクライアント要求ファイル受信開始",
       "ノルカクライアント要求ファイル受信終了", "ノルカクライアント要求ファイル受信失敗",
       "ノルカクライアント要求ファイルの受信に失敗しました。"},
  };
  return steps;
}

inline bool anyMasterFileLeft() {
  for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat"})
    if (std::filesystem::exists(name)) return true;
  return false;
}

// AC13 with the demo masters on the primary (and, on request, the
// secondary), and a score file naming entries 1 and 3.
class FaultsFixture : public MasterServerTest {
protected:
  static constexpr const char* ScoreFile = "ac13score.csv";
  inline static const std::string ScoreBytes = "1,500,0\r\n3,0,900\r\n\r\n";

  void SetUp() override {
    MasterServerTest::SetUp();
    closedBase = closedPortBaseUrl() + "nk/";
    request.servers = {primary.url("/nk/"), closedBase};
    serveMasters(113, demoSongs, demoEntries, demoTargets);
    writeBytes(ScoreFile, ScoreBytes);
  }

  // The four master files, as the primary serves them, on the secondary too.
  void serveSecondary() {
    secondary.serve("/nk/common/songlist.dat", songMasterBytes(demoSongs));
    secondary.serve("/nk/common/ac13list.dat", versionListBytes(demoEntries, 4));
    secondary.serve("/nk/sr/13/srlist.dat", srListBytes(demoTargets));
    secondary.serve("/nk/common/nkclient.dat", toCp932("1.50\r\nhint"));
    request.servers.secondary = secondary.url("/nk/");
  }

  // A fresh sheet, recorder and log, then the load; true when it ended the
  // program. The recorder's onYield is kept.
  bool load(const LoadCancel* cancel = nullptr) {
    state = ScoreSheetState{};
    auto onYield = std::move(tk.onYield);  // the test's eye on the load stays
    tk = RecordingToolkit{};
    tk.onYield = std::move(onYield);
    pagesShown = 0;
    if (freshLog) writeBytes("Debug.txt", "");
    // Each load as a player's first: no lists kept from an earlier case.
    std::error_code ignored;  // a folder the test made unreadable keeps them
    std::filesystem::remove_all("masters", ignored);
    LoadRequest withCancel = request;
    withCancel.fetch.cancel = cancel;
    return endsProgram([&] { runScoreSheetLoad(debugLog, state, withCancel, [this] { ++pagesShown; }); });
  }

  // The failure exit of the load: its box, its two log lines, the end, and
  // no master file left behind.
  void expectFailureExit(const std::string& description) {
    ASSERT_FALSE(tk.boxes.empty());
    EXPECT_EQ(tk.boxes.back().title, "初期化失敗");
    EXPECT_EQ(tk.boxes.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(tk.boxes.back().text, description);
    const Strings log = logMessages();
    ASSERT_GE(log.size(), 2u);
    // The log is CP932: what it cannot hold (U+FFFD of a broken file) is "?" there.
    EXPECT_EQ(Strings(log.end() - 2, log.end()), (Strings{cp932ToUtf8(utf8ToCp932(description)), "初期処理失敗"}));
    ASSERT_FALSE(tk.calls.empty());
    EXPECT_EQ(tk.calls.back(), "end");
    EXPECT_FALSE(anyMasterFileLeft());
    EXPECT_EQ(pagesShown, 0);
  }

  // A finished load: page 1 shown, no box, the saved scores in place.
  void expectLoaded(int entries = 23) {
    EXPECT_TRUE(tk.boxes.empty());
    EXPECT_EQ(pagesShown, 1);
    EXPECT_EQ(state.CurrentPage, 1);
    ASSERT_EQ(state.EntryCount, entries);
    EXPECT_EQ(state.EntryScore[0], 500);
    EXPECT_EQ(state.EntryScoreU[2], 900);
    EXPECT_FALSE(anyMasterFileLeft());
  }

  void expectScoreFileUnchanged() { EXPECT_EQ(readBytes(ScoreFile), ScoreBytes); }

  LoopbackServer secondary;
  std::string closedBase;
  ScoreSheetState state;
  int pagesShown = 0;
  // Whether load() starts an empty debug log first.
  bool freshLog = true;
};

}  // namespace nk::test
