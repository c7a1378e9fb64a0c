// sheet_lockTest.cpp - when a second window of a version's sheet is asked
// about the first: only for a holder that may still be alive.
#include "sheet/sheet_lock.h"
#include "test_support.h"

#include <QString>
#include <QSysInfo>

namespace nk {
namespace {

namespace fs = std::filesystem;

const ArcadeVersion AC13{113};

class SheetLockTest : public test::WorkDirTest {};

TEST_F(SheetLockTest, OnlyAHolderThatMayStillLiveKeepsTheLock) {
  const std::string here = QSysInfo::machineHostName().toStdString();
  // QLockFile's own form: process id, program, host name (the machine's ids left out).
  struct Case { std::string name, lock; bool taken; } cases[] = {
      {"a process gone", "2147483000\nnk\n" + here + "\n", true},
      // A shared folder: a holder elsewhere may have had its sheet open for hours.
      {"another machine, an hour ago", "4242\nnk\nanother-pc\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::writeBytes("ac13score.csv.lock", c.lock);
    fs::last_write_time("ac13score.csv.lock", fs::file_time_type::clock::now() - std::chrono::hours(1));
    SheetLock lock;
    EXPECT_EQ(lock.acquire(AC13), c.taken);
    EXPECT_EQ(lock.held(), c.taken);
  }
  fs::remove("ac13score.csv.lock");
  SheetLock first, second;
  ASSERT_TRUE(first.acquire(AC13));
  EXPECT_FALSE(second.acquire(AC13));
  first.release();
  EXPECT_TRUE(second.acquire(AC13));  // the next window opens without a question
}

TEST_F(SheetLockTest, AFolderThatTakesNoLockFileCountsAsFree) {
  fs::permissions(".", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const auto report = test::unprivilegedOutput([] {
    SheetLock lock;
    const bool free = lock.acquire(AC13);
    return std::string(free ? "free" : "held") + (lock.held() ? ", locked" : ", not locked");
  });
  fs::permissions(".", fs::perms::owner_all, fs::perm_options::add);
  if (!report) GTEST_SKIP() << "cannot run a child without root rights";
  EXPECT_EQ(*report, "free, not locked");
  EXPECT_FALSE(fs::exists("ac13score.csv.lock"));
}

}  // namespace
}  // namespace nk
