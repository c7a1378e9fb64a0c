// load_cancelTest.cpp - the player closes the sheet while it loads: the load
// drops the transfer, runs no further stage, shows nothing, removes the
// master files and ends the program as a normal end.
#include "faults_fixture.h"
#include "net/http_fetch.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace nk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::Strings;
using Route = test::LoopbackServer::Route;

class LoadCancelTest : public test::FaultsFixture {};

bool contains(const Strings& log, const std::string& line) {
  return std::find(log.begin(), log.end(), line) != log.end();
}

TEST_F(LoadCancelTest, ClosingDuringTheLoadEndsItQuietlyAndCleanly) {
  // Far beyond the moments of the requests below: only the cancel ends these loads.
  request.fetch.limits = {1000ms, 20s};
  Route trickle;  // one byte every two seconds
  trickle.body = test::songMasterBytes(demoSongs);
  trickle.pieceSize = 1;
  trickle.pieceDelay = 2s;
  Route silent;  // accepts the request and says nothing
  silent.body = trickle.body;
  silent.delayHeaders = 10s;
  Route brokenAfterOneSong;  // the second title has no genre: a subscript error
  brokenAfterOneSong.body = "<>t1<>x<>g1<>y<><>t2<>x";
  struct Case {
    const char* name;
    std::optional<Route> songMaster;
    std::function<bool()> closeNow;  // asked at every yield
    std::string firstSkipped;        // a log line of the next stage, which must not run
    bool duringFetch;                // then not one more yield follows the close
  };
  const std::vector<Case> cases = {
      {"trickling song master, closed after its first byte", trickle,
       [] { return fs::exists("songlist.dat") && fs::file_size("songlist.dat") > 0; },
       "スコアランキング対象曲リスト受信開始", true},
      {"silent server, closed while waiting for it", silent, [] { return true; },
       "スコアランキング対象曲リスト受信開始", true},
      {"closed while the song master is read", std::nullopt,
       [this] { return !tk.statusTexts.empty() && tk.statusTexts.back() == "曲リストを展開中です"; },
       "バージョンマスタ展開開始", false},
      {"closed while a song master that then fails is read", brokenAfterOneSong,
       [this] { return !tk.statusTexts.empty() && tk.statusTexts.back() == "曲リストを展開中です"; },
       "バージョンマスタ展開開始", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    serveMasters(113, demoSongs, demoEntries, demoTargets);
    if (c.songMaster) primary.route("/nk/common/songlist.dat", *c.songMaster);
    LoadCancel cancel;
    int yieldsAfterClose = 0;
    auto watch = [&] {
      if (cancel.requested()) ++yieldsAfterClose;
      else if (c.closeNow()) cancel.request();
    };
    tk.onYield = watch;

    ASSERT_TRUE(load(&cancel));
    EXPECT_TRUE(cancel.requested());
    EXPECT_EQ(tk.exitCode, ExitClosedByPlayer);
    EXPECT_EQ(tk.calls.back(), "end");
    EXPECT_TRUE(tk.boxes.empty());
    if (c.duringFetch) {
      EXPECT_EQ(yieldsAfterClose, 0) << "nothing waits for the server after the close";
      EXPECT_EQ(primary.requestCount("/nk/sr/13/srlist.dat"), 0);
    }
    EXPECT_EQ(pagesShown, 0);
    EXPECT_FALSE(test::anyMasterFileLeft());
    expectScoreFileUnchanged();
    const Strings log = test::logMessages();
    EXPECT_FALSE(contains(log, c.firstSkipped));
    for (const std::string& line : log) EXPECT_EQ(line.find("失敗"), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace nk
