// debug_logTest.cpp - the opt-in debug log on real files.
#include "diag/debug_log.h"
#include "platform/cp932.h"
#include "platform/local_time.h"
#include "test_support.h"

#include <regex>

namespace nk {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class LogTest : public test::WorkDirTest {
protected:
  const DebugLog log{"./Debug.txt"};
};

TEST_F(LogTest, WithoutTheFileNothingIsEverCreated) {
  ClearLog(log);
  PutLog(log, "ノルカクライアント ver1.54 開始");
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(LogTest, ClearLogLeavesExactlyCrLf) {
  writeBytes("Debug.txt", "old content\r\nmore\r\n");
  ClearLog(log);
  EXPECT_EQ(readBytes("Debug.txt"), "\r\n");
}

TEST_F(LogTest, EntriesAreStampedCp932LinesEndingInCrLf) {
  writeBytes("Debug.txt", "");
  PutLog(log, "ノルカクライアント ver1.54 開始");
  PutLog(log, "");
  PutLog(log, "a\r\nb");
  const std::string text = cp932ToUtf8(readBytes("Debug.txt"));
  static const std::regex expected(
      R"(^\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2} ノルカクライアント ver1\.54 開始\r\n)"
      R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2} \r\n)"
      R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2} a\r\nb\r\n$)");
  EXPECT_TRUE(std::regex_match(text, expected)) << text;
  // The bytes on disk are CP932, not UTF-8.
  EXPECT_NE(readBytes("Debug.txt").find(test::toCp932("開始")), std::string::npos);
}

TEST_F(LogTest, StampIsLocalTimeInFixedPattern) {
  const std::string stamp = logTimeStamp();
  ASSERT_EQ(stamp.size(), 19u);
  std::time_t now = std::time(nullptr);
  const std::tm local = localTime(now);
  EXPECT_EQ(std::stoi(stamp.substr(0, 4)), local.tm_year + 1900);
  EXPECT_EQ(stamp[4], '/');
  EXPECT_EQ(stamp[7], '/');
  EXPECT_EQ(stamp[10], ' ');
  EXPECT_EQ(stamp[13], ':');
}

TEST_F(LogTest, FailuresAreSwallowedAndWriteNothing) {
  // Deleted between two calls: the second writes nothing and does not recreate it.
  writeBytes("Debug.txt", "");
  PutLog(log, "first");
  fs::remove("Debug.txt");
  PutLog(log, "second");
  ClearLog(log);
  EXPECT_FALSE(fs::exists("Debug.txt"));

  // A directory of that name counts as absent.
  fs::create_directory("Debug.txt");
  PutLog(log, "into a directory");
  ClearLog(log);
  EXPECT_TRUE(fs::is_empty("Debug.txt"));
  fs::remove("Debug.txt");

  // A read-only file: nothing written, nothing thrown.
  writeBytes("Debug.txt", "keep");
  fs::permissions("Debug.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(test::runUnprivileged([this] {
              PutLog(log, "entry");
              ClearLog(log);
            }),
            0);
  EXPECT_EQ(readBytes("Debug.txt"), "keep");
}

TEST_F(LogTest, TheExistenceTestIsMadeOnEveryCall) {
  PutLog(log, "lost");
  writeBytes("Debug.txt", "");
  PutLog(log, "kept");
  EXPECT_EQ(test::logMessages(), std::vector<std::string>{"kept"});
}

}  // namespace
}  // namespace nk
