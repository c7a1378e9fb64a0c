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
// 2026-11-02T20:41:00+09:00 and 2026-11-03T08:00:05+09:00.
const Improvement UpRecord{1793619660, 32400, 2, false, 700000, 712345};
const Improvement DownRecord{1793660405, 32400, 8191, true, 5000, 4999};

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
    const ImprovementReadResult read = readImprovements("log.csv");
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.improvements, c.expected);
  }
  writeBytes("log.csv", Header + Up + Down + Up);
  const ImprovementReadResult recent = readImprovements("log.csv", 2);
  EXPECT_EQ(recent.improvements, (std::vector<Improvement>{DownRecord, UpRecord}));
  EXPECT_EQ(recent.leftOut, 1u);
  EXPECT_TRUE(readImprovements("missing.csv").improvements.empty());
  EXPECT_TRUE(readImprovements("missing.csv").ok);
}

TEST_F(ImprovementLog, ASavesRecordsGoAfterWhateverTheFileEndsWith) {
  const std::string time = "2026-11-03T08:00:05+09:00";
  const std::vector<Improvement> save = {UpRecord, DownRecord};
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
    const HistoryAppendResult appended = appendImprovements("log.csv", time, save);
    EXPECT_TRUE(appended.ok && appended.appended) << appended.cause;
    EXPECT_EQ(readBytes("log.csv"), c.after);
    std::filesystem::remove("log.csv");
  }
  // A save that changed nothing writes nothing, not even a new file.
  EXPECT_FALSE(appendImprovements("log.csv", time, {}).appended);
  EXPECT_FALSE(std::filesystem::exists("log.csv"));
  EXPECT_EQ(improvementFileNameFor(113), "ac113improvements.csv");
}

}  // namespace
}  // namespace nk
