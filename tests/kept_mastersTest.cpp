// kept_mastersTest.cpp - the master lists of a load that reached page 1, kept
// byte for byte per version; a set that does not match its stamp is none.
#include "diag/traced_procedure.h"
#include "load/kept_masters.h"
#include "load/load_sequence.h"
#include "master_server.h"

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
    try {
      runScoreSheetLoad(debugLog, state, request, [] {});
      return true;
    } catch (const ProgramEnded&) {
      return false;
    }
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
      {"a file gone", [] { fs::remove("masters/ac13/version.dat"); }},
      {"the stamp torn", [] {
         const auto stamp = test::readBytes("masters/ac13/received.txt");
         test::writeBytes("masters/ac13/received.txt", stamp.substr(0, stamp.size() - 3));
       }},
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

}  // namespace
}  // namespace nk
