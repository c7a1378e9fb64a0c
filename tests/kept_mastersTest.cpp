// kept_mastersTest.cpp - the master lists of a load that reached page 1, kept
// byte for byte per version; a set that does not match its stamp is none.
#include "data/display_text.h"
#include "diag/traced_procedure.h"
#include "failure_of.h"
#include "load/kept_masters.h"
#include "load/load_sequence.h"
#include "master_server.h"

#include <algorithm>

namespace nk {
namespace {

namespace fs = std::filesystem;

class KeptMastersTest : public test::MasterServerTest {
protected:
  void SetUp() override {
    MasterServerTest::SetUp();
    test::setTimeZone("JST-9");
    serveMasters(113, demoSongs, demoEntries, demoTargets, "1.50\r\n");
  }
  // Runs the load; false when it ended the program.
  bool load() {
    ScoreSheetState state;
    return !test::endsProgram([&] { runScoreSheetLoad(debugLog, state, request, [] {}); });
  }
};

TEST_F(KeptMastersTest, ALoadKeepsWhatItReceivedAndOnlyAWholeSetCounts) {
  ASSERT_TRUE(load());
  const auto kept = readKeptMasters(13);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->files[0], test::songMasterBytes(demoSongs));
  EXPECT_EQ(kept->files[3], "1.50\r\n");
  EXPECT_EQ(kept->received.offset, std::chrono::hours(9));
  EXPECT_FALSE(readKeptMasters(14).has_value());

  const auto saved = test::readBytes("masters/ac13/srlist.dat");
  struct Case { const char* name; std::function<void()> spoil; } cases[] = {
      {"a file changed", [] { test::writeBytes("masters/ac13/srlist.dat", "<>1<>0<>"); }},
      {"a byte changed, the size kept", [&saved] {
         std::string changed = saved;
         changed.back() ^= 1;
         test::writeBytes("masters/ac13/srlist.dat", changed);
       }},
      {"a file gone", [] { fs::remove("masters/ac13/version.dat"); }},
      {"the stamp torn", [] {
         const auto stamp = test::readBytes("masters/ac13/received.txt");
         test::writeBytes("masters/ac13/received.txt", stamp.substr(0, stamp.size() - 3));
       }},
      {"the stamp's rows garbage", [] {
         const auto stamp = test::readBytes("masters/ac13/received.txt");
         test::writeBytes("masters/ac13/received.txt",
                          stamp.substr(0, stamp.find("\r\n") + 2) + std::string("\0\xFF<>,,\r\n\x81", 10) + "\r\n");
       }},
      {"the stamp a gigabyte", [] {
         test::writeSparse("masters/ac13/received.txt", test::readBytes("masters/ac13/received.txt"), 1ull << 30);
       }},
      // Larger than the memory: a set that read it whole would fail to hold it
      // (64 GiB; under Wine, which wants the disk to have room for the whole
      // size, 8 GiB).
      {"a kept list larger than the memory",
       [] { test::writeSparse("masters/ac13/songlist.dat", "", test::onWindows() ? 1ull << 33 : 1ull << 36); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(load());
    c.spoil();
    EXPECT_FALSE(readKeptMasters(13).has_value());
  }
  EXPECT_TRUE(load());
  EXPECT_TRUE(readKeptMasters(13).has_value());
}

TEST_F(KeptMastersTest, KeepingThatFailsCostsOneLineOfTheLogAndNothingElse) {
  test::writeBytes("masters", "");
  ASSERT_TRUE(load());
  EXPECT_TRUE(tk.boxes.empty());
  const auto log = test::logMessages();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "CSVファイル展開終了");
  EXPECT_EQ(log.back().substr(0, log.back().find("（")), "フォルダー masters/ac13 を作れません");
  EXPECT_TRUE(log.back().ends_with("。受信したマスターデータは保存していません。"));

  // A load that ends in a failure keeps nothing.
  fs::remove("masters");
  serveMasters(113, demoSongs, demoEntries, demoTargets, "9.99\r\n");
  EXPECT_FALSE(load());
  EXPECT_FALSE(fs::exists("masters/ac13/received.txt"));
}

TEST_F(KeptMastersTest, WithoutAServerThePlayerMayOpenTheKeptLists) {
  ASSERT_TRUE(load());
  const auto kept = readKeptMasters(13);
  ASSERT_TRUE(kept.has_value());
  const std::string stamp = test::readBytes("masters/ac13/received.txt");
  const std::string when = minuteText(kept->received);
  primary.fail("/nk/sr/13/srlist.dat", 404);
  for (const bool open : {false, true}) {
    SCOPED_TRACE(open);
    test::writeBytes("Debug.txt", "");
    tk.boxes.clear();
    tk.questions.clear();
    tk.answers = {open ? "はい" : "いいえ"};
    EXPECT_EQ(load(), open);
    // The step's own box and lines come first, as without a kept set.
    ASSERT_EQ(tk.boxes.size(), 1u);
    EXPECT_EQ(tk.boxes[0].title, "異常終了");
    ASSERT_EQ(tk.questions.size(), 1u);
    EXPECT_EQ(tk.questions[0].text, "前回受信したマスターデータ（" + when + " 受信）で開きますか？");
    EXPECT_EQ(tk.questions[0].buttons[tk.questions[0].defaultButton], "はい");
    const auto log = test::logMessages();
    const auto failed = std::find(log.begin(), log.end(), "スコアランキング対象曲リスト受信失敗");
    ASSERT_NE(failed, log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "関数 DownloadVersionSongList 開始"), log.end());
    EXPECT_EQ(log.back(), open ? "CSVファイル展開終了" : "関数 DownloadSRList 異常終了:" + tk.boxes[0].text.substr(
                                                            tk.boxes[0].text.find("\r\n") + 2));
    if (open) {
      EXPECT_EQ(tk.statusTexts.back(), "前回受信したデータ（" + when + "）を表示中");
      for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat"})
        EXPECT_FALSE(fs::exists(name));
    }
    EXPECT_EQ(test::readBytes("masters/ac13/received.txt"), stamp);  // kept lists are not kept again
  }
}

TEST_F(KeptMastersTest, AFreshPcWithoutAServerOpensTheListsThePackageShips) {
  const auto bundle = [this](bool whole) {
    fs::remove_all("bundle");
    fs::create_directories("bundle/common");
    fs::create_directories("bundle/sr/13");
    test::writeBytes("bundle/received.txt", "received,2026-11-30T00:00:00Z\r\n");
    test::writeBytes("bundle/common/songlist.dat", test::songMasterBytes(demoSongs));
    test::writeBytes("bundle/common/ac13list.dat", test::versionListBytes(demoEntries, 4));
    test::writeBytes("bundle/common/nkclient.dat", "1.50\r\n");
    if (whole) test::writeBytes("bundle/sr/13/srlist.dat", test::srListBytes(demoTargets));
    request.bundledMasters = (fs::current_path() / "bundle").string();
  };
  primary.fail("/nk/common/songlist.dat", 404);
  for (const bool whole : {false, true}) {
    SCOPED_TRACE(whole);
    bundle(whole);
    tk.questions.clear();
    tk.answers = {"はい"};
    EXPECT_EQ(load(), whole);
    ASSERT_EQ(tk.questions.size(), whole ? 1u : 0u);
  }
  EXPECT_EQ(tk.questions[0].text, "前回受信したマスターデータ（2026-11-30 09:00 受信）で開きますか？");
  EXPECT_EQ(tk.statusTexts.back(), "前回受信したデータ（2026-11-30 09:00）を表示中");
  EXPECT_FALSE(fs::exists("masters/ac13"));  // shipped lists are not kept as received ones
  // Lists that were kept come before the shipped ones.
  primary.serve("/nk/common/songlist.dat", test::songMasterBytes(demoSongs));
  ASSERT_TRUE(load());
  primary.fail("/nk/common/songlist.dat", 404);
  tk.questions.clear();
  tk.answers = {"はい"};
  ASSERT_TRUE(load());
  EXPECT_NE(tk.questions[0].text.find(minuteText(readKeptMasters(13)->received)), std::string::npos);
}

TEST_F(KeptMastersTest, ChangedListsAreToldOnceAfterPageOne) {
  const std::vector<test::Song> songs = {{"春の曲", "アニメ"}, {"夏の曲", "J-POP"}, {"秋の曲", "クラシック"}};
  serveMasters(113, songs, {{1, "abc5efg-"}, {2, "abcTefg9"}}, {{1, "0"}});
  ASSERT_TRUE(load());
  EXPECT_TRUE(tk.boxes.empty());  // nothing kept before: nothing to compare
  // Entry 2 now names another song, entry 1's level moved, one entry and one target more.
  serveMasters(113, songs, {{1, "abc6efg-"}, {3, "abcTefg9"}, {2, "abc7efg-"}}, {{1, "0"}, {2, "1"}});
  for (const size_t boxes : {1u, 0u}) {
    tk.boxes.clear();
    ASSERT_TRUE(load());
    ASSERT_EQ(tk.boxes.size(), boxes);
  }
  serveMasters(113, songs, {{1, "abc5efg-"}, {2, "abcTefg9"}}, {{1, "0"}});
  tk.boxes.clear();
  ASSERT_TRUE(load());
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "マスターデータの変更");
  EXPECT_EQ(tk.boxes[0].text,
            "前回受信したマスターデータから、次のものが変わりました。\r\n"
            "\r\n曲番号 2 の曲が「秋の曲」から「夏の曲」に変わりました（保存した点数は「夏の曲」のものになります）"
            "\r\n難易度の変更: 「春の曲」（表） ☆6 → ☆5"
            "\r\n削除された曲: 「夏の曲」"
            "\r\n総合対象から除外: 「秋の曲」（裏）");
}

}  // namespace
}  // namespace nk
