// load_sequenceTest.cpp - the whole load against a loopback server: the order
// of its steps and texts, the state it leaves, and every way it can fail.
#include "load/load_sequence.h"
#include "diag/debug_log.h"
#include "diag/runtime_error.h"
#include "diag/traced_procedure.h"
#include "domain/master_files.h"
#include "failure_of.h"
#include "master_server.h"

#include <algorithm>

namespace nk {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

bool anyMasterFileLeft() {
  for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat"})
    if (fs::exists(name)) return true;
  return false;
}

class LoadSequenceTest : public test::MasterServerTest {
protected:
  // Runs the load; returns true when it ended the program.
  bool load() {
    return test::endsProgram([this] {
      runScoreSheetLoad(debugLog, state, request, [this] {
        ++pagesShown;
        pageShownAt = state.CurrentPage;
      });
    });
  }

  ScoreSheetState state;
  int pagesShown = 0;
  int pageShownAt = 0;
};

TEST_F(LoadSequenceTest, ASuccessfulLoadLogsEveryStepInOrderAndLeavesNoMasterFile) {
  serveMasters(113, {{"春の曲", "アニメ"}, {"夏の曲", "J-POP"}}, {{2, "abc5efg-"}, {1, "abcTefg9"}},
               {{1, "0"}, {2, "1"}});
  test::writeBytes("ac13score.csv", "2,0,900\r\n\r\n");
  // Leftovers of an earlier run are removed, never read.
  test::writeBytes("songlist.dat", test::toCp932("<>古い曲<>x<>アニメ<>y<>"));
  test::writeBytes("version.dat", "9.99\r\n");

  ASSERT_FALSE(load());
  EXPECT_EQ(pagesShown, 1);
  EXPECT_EQ(pageShownAt, 1);
  EXPECT_FALSE(anyMasterFileLeft());
  EXPECT_TRUE(fs::exists("Debug.txt"));
  EXPECT_EQ(test::readBytes("ac13score.csv"), "2,0,900\r\n\r\n");

  EXPECT_EQ(state.VersionNumber, 13);
  EXPECT_EQ(state.ScoreFileName, "ac13score.csv");
  EXPECT_EQ(state.SongTitles, (Strings{"春の曲", "夏の曲"}));
  EXPECT_EQ(state.EntrySongNo, (std::vector<int16_t>{2, 1}));
  EXPECT_EQ(state.DisplayOrder, (std::vector<int16_t>{0, 1}));  // J-POP before アニメ
  EXPECT_EQ(state.EntryScoreU, (std::vector<int32_t>{0, 900}));
  EXPECT_EQ(state.TargetDifficulty, (std::vector<int16_t>{5, 9}));
  EXPECT_EQ(state.PageCount, 1);
  EXPECT_TRUE(tk.boxes.empty());
  ASSERT_FALSE(tk.statusTexts.empty());
  EXPECT_EQ(tk.statusTexts.back(), "");

  const Strings expected = {
      "関数 LoadPath 開始", "関数 LoadPath 正常終了",
      "関数 DownloadSongMaster 開始", "曲マスタ受信開始", "曲マスタ受信終了", "関数 DownloadSongMaster 正常終了",
      "関数 DownloadSRList 開始", "スコアランキング対象曲リスト受信開始", "スコアランキング対象曲リスト受信終了",
      "関数 DownloadSRList 正常終了",
      "関数 DownloadVersionSongList 開始", "バージョン曲リスト受信開始", "バージョン曲リスト受信終了",
      "関数 DownloadVersionSongList 正常終了",
      "関数 DownloadNKVersion 開始", "ノルカクライアント要求ファイル受信開始",
      "ノルカクライアント要求ファイル受信終了", "関数 DownloadNKVersion 正常終了",
      "要求バージョン確認開始", "本体バージョン:1.54", "要求バージョン:1.5",
      "曲リスト展開開始", "曲番号0: 春の曲(アニメ)", "曲番号1: 夏の曲(J-POP)", "曲リスト展開終了",
      "バージョンマスタ展開開始", "曲番号0: 夏の曲(J-POP)", "曲番号1: 春の曲(アニメ)", "バージョンマスタ展開終了",
      "曲順ソート開始", "曲順ソート終了",
      "スコアランキング対象曲リスト展開開始", "曲番号0: 夏の曲(☆×5)", "曲番号1: 春の曲(☆×9)",
      "スコアランキング対象曲リスト展開終了",
      "CSVファイル展開開始", "CSVファイル読み込み中", "CSVファイル展開終了",
  };
  EXPECT_EQ(test::logMessages(), expected);
}

TEST_F(LoadSequenceTest, WithoutAScoreFileEveryScoreIsZero) {
  serveMasters(114, demoSongs, demoEntries, demoTargets);
  ASSERT_FALSE(load());
  EXPECT_EQ(state.EntryCount, 23);
  EXPECT_EQ(state.PageCount, 3);
  EXPECT_EQ(state.EntryScore, std::vector<int32_t>(23, 0));
  EXPECT_EQ(state.EntryScoreU, std::vector<int32_t>(23, 0));
  const Strings log = test::logMessages();
  const auto start = std::find(log.begin(), log.end(), "CSVファイル展開開始");
  ASSERT_NE(start, log.end());
  EXPECT_EQ(Strings(start, log.end()), (Strings{"CSVファイル展開開始", "CSVファイルが存在しません", "CSVファイル展開終了"}));
  EXPECT_FALSE(fs::exists("ac14score.csv"));
}

TEST_F(LoadSequenceTest, EveryRunTimeErrorEndsInTheFailureExit) {
  struct Case {
    const char* name;
    std::vector<test::Song> songs;
    std::string scoreFile;  // empty: none
    std::string description;
  } cases[] = {
      {"song master too short", {{"a", "J-POP"}, {"b", "アニメ"}}, "",
       "versionlist.dat の 3 件目: 曲番号 3 は曲リストの 2 曲の範囲外です。"},
      {"score file names entry EntryCount + 1", {{"a", "J-POP"}, {"b", "アニメ"}, {"c", "アニメ"}},
       "1,5,0\r\n4,1,1\r\n", "ac13score.csv の 2 行目: 曲番号 4 はバージョン曲リストの 3 曲の範囲外です。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state = ScoreSheetState{};
    tk = test::RecordingToolkit{};
    test::writeBytes("Debug.txt", "");
    fs::remove("ac13score.csv");
    if (!c.scoreFile.empty()) test::writeBytes("ac13score.csv", c.scoreFile);
    serveMasters(113, c.songs, {{1, "abc1efg2"}, {2, "abc3efg4"}, {3, "abc5efg6"}}, {{1, "0"}});
    bool mastersLeftAtBox = true;
    tk.onBox = [&](const test::RecordingToolkit::Box&) { mastersLeftAtBox = anyMasterFileLeft(); };

    EXPECT_TRUE(load());
    ASSERT_EQ(tk.boxes.size(), 1u);
    EXPECT_EQ(tk.boxes[0].title, "初期化失敗");
    EXPECT_EQ(tk.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(tk.boxes[0].text, c.description);
    EXPECT_FALSE(mastersLeftAtBox);
    EXPECT_EQ(pagesShown, 0);
    const Strings log = test::logMessages();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(Strings(log.end() - 2, log.end()), (Strings{c.description, "初期処理失敗"}));
    EXPECT_EQ(tk.calls.back(), "end");
    if (!c.scoreFile.empty()) {
      EXPECT_EQ(test::readBytes("ac13score.csv"), c.scoreFile);
    }
  }
}

TEST_F(LoadSequenceTest, ARefusedVersionShowsItsBoxThenAnEmptyFailureBox) {
  serveMasters(112, demoSongs, demoEntries, demoTargets, "2\r\n最新版は公式サイトから");
  std::vector<bool> mastersLeft;
  tk.onBox = [&](const test::RecordingToolkit::Box&) { mastersLeft.push_back(anyMasterFileLeft()); };
  EXPECT_TRUE(load());
  ASSERT_EQ(tk.boxes.size(), 2u);
  EXPECT_EQ(tk.boxes[0].title, "バージョン要求以下");
  EXPECT_EQ(tk.boxes[0].text,
            "お使いのバージョンのノルカクライアントでは接続できません。\r\n"
            "最新バージョンのノルカクライアントをダウンロードしてください。\r\n最新版は公式サイトから");
  EXPECT_EQ(tk.boxes[1].title, "初期化失敗");
  EXPECT_EQ(tk.boxes[1].text, "");
  EXPECT_EQ(mastersLeft, (std::vector<bool>{true, false}));
  const Strings log = test::logMessages();
  EXPECT_EQ(Strings(log.end() - 5, log.end()),
            (Strings{"要求バージョン確認開始", "本体バージョン:1.54", "要求バージョン:2", "", "初期処理失敗"}));
  EXPECT_EQ(state.SongCount, 0) << "nothing is read after a refusal";
}

TEST_F(LoadSequenceTest, AMasterFileThatNeitherServerHasEndsTheProgramInItsStep) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  primary.fail("/nk/common/ac13list.dat", 404);
  EXPECT_TRUE(load());
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "異常終了");
  EXPECT_EQ(tk.boxes[0].text.rfind("DownloadVersionSongListで異常が発生しました。\r\n", 0), 0u);
  EXPECT_EQ(tk.statusTexts.back(), "バージョン曲リストの受信に失敗しました。");
  // The step ends the program itself: the files fetched before stay until the next opening.
  EXPECT_TRUE(fs::exists("songlist.dat"));
  EXPECT_EQ(pagesShown, 0);
}

TEST_F(LoadSequenceTest, AFailingPageDisplayIsARunTimeErrorToo) {
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  EXPECT_TRUE(test::endsProgram(
      [this] { runScoreSheetLoad(debugLog, state, request, [] { throw RuntimeError("表示できません。"); }); }));
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].text, "表示できません。");
  EXPECT_FALSE(anyMasterFileLeft());
}

}  // namespace
}  // namespace nk

namespace nk {
namespace {

TEST(MasterFileRemoval, AFileThatCannotBeDeletedRaisesBeforeTheLoadAndIsLoggedAtItsEnd) {
  if (test::onWindows())
    GTEST_SKIP() << "needs POSIX folder permissions and a user to drop root rights to "
                    "(Windows: MasterFileRemovalWin32)";
  test::TempWorkDir dir;
  test::writeBytes("Debug.txt", "");
  fs::permissions("Debug.txt", fs::perms::all);
  for (const MasterFile& file : MasterFiles) test::writeBytes(file.testedName, "left over");
  // A folder that takes no change: its files cannot be deleted (by an
  // ordinary user: root may delete anything).
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const std::optional<std::string> out = test::unprivilegedOutput([] {
    const DebugLog log{"./Debug.txt"};
    const std::string raised = test::failureOf([&] { removeMasterFiles(log, true); });
    removeMasterFiles(log, false);  // must go on past every failure
    return raised;
  });
  fs::permissions(dir.path(), fs::perms::owner_all, fs::perm_options::add);
  ASSERT_TRUE(out.has_value()) << "could not run as an ordinary user";
  EXPECT_EQ(*out, "ファイル songlist.dat を削除できません（アクセスが拒否されました）。");
  for (const MasterFile& file : MasterFiles) EXPECT_TRUE(fs::exists(file.testedName));
  EXPECT_EQ(test::logMessages(), (std::vector<std::string>{
                                     "ファイル songlist.dat を削除できません（アクセスが拒否されました）。",
                                     "ファイル srlist.dat を削除できません（アクセスが拒否されました）。",
                                     "ファイル versionlist.dat を削除できません（アクセスが拒否されました）。",
                                     "ファイル version.dat を削除できません（アクセスが拒否されました）。",
                                 }));
}

}  // namespace
}  // namespace nk
