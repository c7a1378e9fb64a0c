// improvement_logTest.cpp - the log of improvements: its lines read back past
// torn and hand-edited ones, and a save's records appended in one piece after
// whatever the file ends with, in real files of the test's folder.
#include "data/improvement_log.h"
#include "test_support.h"

namespace nk {
namespace {

using test::readBytes;
using test::writeBytes;

const std::string Header = std::string(ImprovementHeader) + "\r\n";
const std::string Up = "2026-11-02T20:41:00+09:00,2,表,700000,712345\r\n";
const std::string Down = "2026-11-03T08:00:05+09:00,8191,裏,5000,4999\r\n";
using std::chrono::seconds;
// 2026-11-02T20:41:00+09:00 and 2026-11-03T08:00:05+09:00.
const Improvement UpRecord{{std::chrono::sys_seconds{seconds{1793619660}}, seconds{32400}}, 2, Chart::Normal, 700000, 712345};
const Improvement DownRecord{{std::chrono::sys_seconds{seconds{1793660405}}, seconds{32400}}, 8191, Chart::Ura, 5000, 4999};

class ImprovementLog : public test::WorkDirTest {};

TEST_F(ImprovementLog, ReadingKeepsOnlyCompleteRecords) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<Improvement> expected;
  };
  const std::vector<Case> cases = {
      {"both", Header + Up + Down, {UpRecord, DownRecord}},
      {"BOM and LF line ends", "\xEF\xBB\xBF" + Header + "2026-11-02T20:41:00+09:00,2,表,700000,712345\n", {UpRecord}},
      {"torn last line", Header + Up + Down.substr(0, Down.size() - 2), {UpRecord}},
      {"hand-edited lines",
       Header + "2026-11-02T20:41:00+09:00,2,うら,1,2\r\n" + "2026-11-02T20:41:00+09:00,0,表,1,2\r\n" +
           "2026-11-02T20:41:00+09:00,32768,表,1,2\r\n" + "2026-11-02T20:41:00+09:00,2,表,1,2147483648\r\n" +
           "2026-11-02T20:41:00+09:00,2,表,1,2,3\r\n" + "2026-11-02 20:41,2,表,1,2\r\n" + "\r\n" + Down,
       {DownRecord}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes("log.csv", c.bytes);
    const RecentRecords<Improvement> read = readRecentImprovements("log.csv");
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.records, c.expected);
  }
  // The most recent two: of one more, and of several times two more, each left out counted.
  struct Recent { std::string bytes; std::vector<Improvement> kept; uint64_t leftOut; } recents[] = {
      {Header + Up + Down + Up, {DownRecord, UpRecord}, 1},
      {Header + Up + Down + Up + Down + Up + Down + Up, {DownRecord, UpRecord}, 5},
  };
  for (const Recent& r : recents) {
    writeBytes("log.csv", r.bytes);
    const RecentRecords<Improvement> recent = readRecentImprovements("log.csv", 2);
    EXPECT_EQ(recent.records, r.kept);
    EXPECT_EQ(recent.leftOut, r.leftOut);
  }
  EXPECT_TRUE(readRecentImprovements("missing.csv").records.empty());
  EXPECT_TRUE(readRecentImprovements("missing.csv").ok);
}

TEST_F(ImprovementLog, ASavesRecordsGoAfterWhateverTheFileEndsWith) {
  Improvement upThen = UpRecord;
  upThen.time = DownRecord.time;
  const std::vector<Improvement> save = {upThen, DownRecord};
  const std::string lines = "2026-11-03T08:00:05+09:00,2,表,700000,712345\r\n" + Down;
  struct Case {
    const char* name;
    std::string before;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"new file", "", "\xEF\xBB\xBF" + Header + lines},  // the BOM tells Excel it is UTF-8
      {"after a record", Header + Up, Header + Up + lines},
      {"after a torn line", Header + "2026-11-0", Header + "2026-11-0\r\n" + lines},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.before.empty()) writeBytes("log.csv", c.before);
    const AppendResult appended = appendImprovements("log.csv", save);
    EXPECT_TRUE(appended.ok && appended.appended) << appended.cause;
    EXPECT_EQ(readBytes("log.csv"), c.after);
    std::filesystem::remove("log.csv");
  }
  // A save that changed nothing writes nothing, not even a new file.
  EXPECT_FALSE(appendImprovements("log.csv", {}).appended);
  EXPECT_FALSE(std::filesystem::exists("log.csv"));
  EXPECT_EQ(logFileName(ImprovementFormat, 113), "ac113improvements.csv");
}

}  // namespace
}  // namespace nk
