// import_killTest.cpp - imports killed at random moments (POSIX: a child
// applying one gets SIGKILL), each followed by the next start's finishing of
// the journal: the player's files are always all old or all new, never half.
#include "archive/import_journal.h"
#include "archive/player_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace nk {
namespace {

const Moment Now{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

TEST(ImportKill, FilesAreAllOldOrAllNew) {
  test::TempWorkDir dir;
  const std::map<std::string, std::string> old = {{"ac12score.csv", "1,1,0\r\n\r\n"},
                                                  {"ac13score.csv", "1,5,0\r\n\r\n"},
                                                  {"ac13improvements.csv", std::string(4'000'000, 'o')}};
  ImportPlan plan;
  for (const auto& [path, bytes] : old) plan.writes.emplace_back(path, bytes + "new");
  plan.writes.emplace_back("masters/ac13/srlist.dat", "new");
  // A child that applies the import from the old files, killed after `wait`
  // microseconds (never, when negative).
  const auto applyKilledAfter = [&](int64_t wait) {
    std::filesystem::remove_all("masters");
    for (const auto& [path, bytes] : old) test::writeBytes(path, bytes);
    const DataFiles here = gatherPlayerData(Now).data;
    const pid_t child = ::fork();
    if (child == 0) ::_exit(applyImport(plan, here, Now).ok ? 0 : 1);
    if (wait >= 0) {
      ::usleep(static_cast<useconds_t>(wait));
      ::kill(child, SIGKILL);
    }
    ::waitpid(child, nullptr, 0);
    return here;
  };
  // The kills fall over the whole of an import and a little past it, however
  // fast this machine (or a sanitizer's build) applies one.
  const auto started = std::chrono::steady_clock::now();
  applyKilledAfter(-1);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
  std::mt19937 random(2026);
  std::uniform_int_distribution<int64_t> moment(0, whole.count() * 5 / 4);
  int sawOld = 0, sawNew = 0, finished = 0;
  for (int kill = 0; kill < 60; ++kill) {
    const DataFiles here = applyKilledAfter(moment(random));
    if (!finishPendingImport().empty()) ++finished;  // the next start
    // A lone kept master file is no kept set: it is looked at by itself.
    const DataFiles after = gatherPlayerData(Now).data;
    const bool isNew = std::filesystem::exists("masters/ac13/srlist.dat");
    std::map<std::string, std::string> expected = here.files;
    if (isNew)
      for (auto& [path, bytes] : expected) bytes += "new";
    ASSERT_TRUE(after.files == expected) << "kill " << kill << " left a half import";
    ++(isNew ? sawNew : sawOld);
    EXPECT_FALSE(std::filesystem::exists(ImportJournalName));
  }
  RecordProperty("old", sawOld);
  RecordProperty("new", sawNew);
  RecordProperty("finished_at_start", finished);
  RecordProperty("import_microseconds", static_cast<int>(whole.count()));
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
}

}  // namespace
}  // namespace nk
