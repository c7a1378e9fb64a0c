// score_historyTest.cpp - the history file: reading past torn, edited and
// marked lines, the record's time, and appending after whatever a crash or a
// hand edit left, in real files of the test's folder.
#include "data/score_history.h"
#include "platform/native_file.h"
#include "test_support.h"

#include <cstdlib>
#include <ctime>
#include <optional>

namespace nk {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

const std::string Header = std::string(HistoryHeader) + "\r\n";
// What a new file begins with, so that Excel reads it as UTF-8.
const std::string Bom = "\xEF\xBB\xBF";
const std::string A = "2026-10-01T21:00:00+09:00,1000,100,200,300,400,12\r\n";
const std::string B = "2026-10-02T22:30:15+09:00,1500,150,250,500,600,15\r\n";

// The records as one text each: "time total s7 s8 s9 s10 entered @epoch".
std::vector<std::string> summaries(const std::vector<HistoryRecord>& records) {
  std::vector<std::string> out;
  for (const HistoryRecord& r : records) {
    std::string s = r.time + " " + std::to_string(r.total);
    for (int64_t v : r.levelSums) s += " " + std::to_string(v);
    out.push_back(s + " " + std::to_string(r.entered) + " @" + std::to_string(r.epochSeconds));
  }
  return out;
}

const std::string SumA = "2026-10-01T21:00:00+09:00 1000 100 200 300 400 12 @1790856000";
const std::string SumB = "2026-10-02T22:30:15+09:00 1500 150 250 500 600 15 @1790947815";

// Records read piece by piece: "total s7 s8 s9 s10 entered @epoch offset".
std::vector<std::string> entrySummaries(const std::vector<HistoryEntry>& entries) {
  std::vector<std::string> out;
  for (const HistoryEntry& e : entries) {
    std::string s = std::to_string(e.total);
    for (int64_t v : e.levelSums) s += " " + std::to_string(v);
    out.push_back(s + " " + std::to_string(e.entered) + " @" + std::to_string(e.epochSeconds) + " " +
                  std::to_string(e.offsetSeconds));
  }
  return out;
}

// Every case read two ways: parsed whole, and from a file piece by piece however the lines fall.
TEST(ScoreHistory, ReadingKeepsOnlyCompleteRecords) {
  test::TempWorkDir dir;
  // Padding lines put a record across the first piece's end at each offset given.
  auto across = [](size_t before) {
    std::string bytes = Header;
    while (bytes.size() + 400 < ReadPieceBytes - before) bytes += std::string(198, 'x') + "\r\n";
    bytes += std::string(ReadPieceBytes - before - bytes.size() - 2, 'y') + "\r\n";
    return bytes + A + B;
  };
  // Not a record, though its first few thousand bytes would be one.
  const std::string overlong = "2026-10-01T21:00:00+09:00,1000,100,200,300,400," + std::string(5000, '0') + "x\r\n";
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;
  } cases[] = {
      {"good records", Header + A + B, {SumA, SumB}},
      {"empty file", "", {}},
      {"header only", Header, {}},
      {"torn last line", Header + A + B.substr(0, 30), {SumA}},
      {"last record without its line end", Header + A + B.substr(0, B.size() - 2), {SumA}},
      {"torn line in the middle, then an append", Header + A.substr(0, 20) + "\r\n" + B, {SumB}},
      {"text in a number field", Header + "2026-10-01T21:00:00+09:00,1000,abc,200,300,400,12\r\n" + B, {SumB}},
      {"number with trailing text", Header + "2026-10-01T21:00:00+09:00,1000,100x,200,300,400,12\r\n" + B, {SumB}},
      {"empty number field", Header + "2026-10-01T21:00:00+09:00,1000,,200,300,400,12\r\n" + B, {SumB}},
      {"plus sign", Header + "2026-10-01T21:00:00+09:00,+1000,100,200,300,400,12\r\n" + B, {SumB}},
      {"too many fields", Header + "2026-10-01T21:00:00+09:00,1000,100,200,300,400,12,1\r\n" + B, {SumB}},
      {"too few fields", Header + "2026-10-01T21:00:00+09:00,1000,100,200,300,400\r\n" + B, {SumB}},
      {"no such day", Header + "2026-02-29T21:00:00+09:00,1000,100,200,300,400,12\r\n" + B, {SumB}},
      {"time without offset", Header + "2026-10-01T21:00:00,1000,100,200,300,400,12\r\n" + B, {SumB}},
      {"BOM in front", "\xEF\xBB\xBF" + Header + A, {SumA}},
      {"BOM and no header", "\xEF\xBB\xBF" + A, {SumA}},
      {"LF line ends of an editor", Header + "2026-10-01T21:00:00+09:00,1000,100,200,300,400,12\n" + B, {SumA, SumB}},
      {"blank lines", Header + "\r\n" + A + "\r\n\r\n" + B, {SumA, SumB}},
      {"negative and UTC",
       "2026-10-01T12:00:00Z,-5,0,0,0,-5,0\r\n",
       {"2026-10-01T12:00:00Z -5 0 0 0 -5 0 @1790856000"}},
      {"beyond 64 bits", Header + "2026-10-01T21:00:00+09:00,9223372036854775808,1,1,1,1,1\r\n", {}},
      {"record across the pieces' border", across(20), {SumA, SumB}},
      {"CR at the first piece's end", across(B.size() - 1), {SumA, SumB}},
      {"line end at the first piece's end", across(0), {SumA, SumB}},
      {"line longer than a record", Header + A + overlong + B, {SumA, SumB}},
      {"line longer than a piece", Header + A + std::string(ReadPieceBytes + 10, ',') + "\r\n" + B, {SumA, SumB}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(summaries(parseHistory(c.bytes)), c.expected);
    writeBytes("ac13history.csv", c.bytes);
    const HistoryEntriesResult read = readHistoryEntries("ac13history.csv");
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.leftOut, 0u);
    std::vector<HistoryEntry> expected;
    for (const HistoryRecord& r : parseHistory(c.bytes)) expected.push_back(historyEntryOf(r));
    EXPECT_EQ(entrySummaries(read.entries), entrySummaries(expected));
  }
}

TEST(ScoreHistory, TimesCarryTheirOffset) {
  const char* previous = std::getenv("TZ");
  const std::string saved = previous ? previous : "";
  // POSIX zone texts, which the C runtime of Windows reads as well.
  struct Case {
    const char* zone;
    std::time_t t;
    const char* iso;
  } cases[] = {
      {"JST-9", 1796643665, "2026-12-07T20:41:05+09:00"},
      {"UTC0", 1796643665, "2026-12-07T11:41:05+00:00"},
      {"NST3:30", 1796643665, "2026-12-07T08:11:05-03:30"},
      {"JST-9", 0, "1970-01-01T09:00:00+09:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    test::setTimeZone(c.zone);
    EXPECT_EQ(isoLocalTime(c.t), c.iso);
    EXPECT_EQ(parseIsoTime(c.iso), std::optional<int64_t>(c.t));
  }
  test::setTimeZone(saved.c_str());
  for (const char* bad : {"2026-13-01T00:00:00+09:00", "2026-12-07T24:00:00+09:00", "2026-12-07 20:41:05+09:00",
                          "2026-12-07T20:41:05+0900", "2026-12-07T20:41:05+19:00", "２026-12-07T20:41:05Z", ""})
    EXPECT_EQ(parseIsoTime(bad), std::nullopt) << bad;
}

HistoryRecord recordB() { return *parseHistoryLine(B.substr(0, B.size() - 2)); }

TEST(ScoreHistory, AnAppendStartsItsOwnLine) {
  test::TempWorkDir dir;
  struct Case {
    const char* name;
    std::optional<std::string> before;  // none: no file
    std::string after;
  } cases[] = {
      {"no file", std::nullopt, Bom + Header + B},
      {"empty file", "", Bom + Header + B},
      {"header only", Header, Header + B},
      {"complete records", Header + A, Header + A + B},
      {"torn last line", Header + A.substr(0, 30), Header + A.substr(0, 30) + "\r\n" + B},
      {"torn after its CR", Header + A.substr(0, A.size() - 1), Header + A.substr(0, A.size() - 1) + "\r\n" + B},
      {"one byte", "x", "x\r\n" + B},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove("h.csv");
    if (c.before) writeBytes("h.csv", *c.before);
    const HistoryAppendResult result = appendHistoryRecord("h.csv", recordB());
    EXPECT_TRUE(result.ok) << result.cause;
    EXPECT_EQ(readBytes("h.csv"), c.after);
    // Whatever came before, the new record reads back.
    const auto records = parseHistory(readBytes("h.csv"));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(summaries({records.back()}), std::vector<std::string>{SumB});
  }
  EXPECT_EQ(test::namesIn("."), std::vector<std::string>{"h.csv"});
}

// A save appends only a record whose summary differs from the last complete one, found from the tail alone.
TEST(ScoreHistory, WhenChangedComparesWithTheLastCompleteRecord) {
  test::TempWorkDir dir;
  const std::string sameAsB = "2026-09-30T08:00:00+09:00,1500,150,250,500,600,15\r\n";
  struct Case { const char* name; std::string before; bool appended; } cases[] = {
      {"empty file", "", true},
      {"header only", Header, true},
      {"same summary, other time", Header + sameAsB, false},
      {"other summary", Header + sameAsB + A, true},
      {"points moved between levels", Header + "2026-09-30T08:00:00+09:00,1500,250,150,500,600,15\r\n", true},
      {"torn line after the same", Header + sameAsB + A.substr(0, 30), false},
      // A line longer than the first window of the tail, so that it starts cut.
      {"same behind a long edited line", Header + sameAsB + "#" + std::string(5000, 'x') + "\r\n", false},
      {"other behind 100 kB of edited lines", Header + A + std::string(100000, '#') + "\r\n", true},
      {"same behind 100 kB of edited lines", Header + sameAsB + std::string(100000, '#') + "\r\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes("h.csv", c.before);
    const HistoryAppendResult result = appendHistoryRecord("h.csv", recordB(), HistoryAppend::WhenChanged);
    EXPECT_TRUE(result.ok) << result.cause;
    EXPECT_EQ(result.appended, c.appended);
    EXPECT_EQ(readBytes("h.csv"), !c.appended ? c.before : (c.before.empty() ? Bom + Header : c.before) + B);
  }
}

// A disk that fills during the append gives the file back its old length.
TEST(ScoreHistory, AFullDiskLeavesNoPartialRecord) {
  const auto report = test::withSmallDisk("disk", "64k", [] {
    // The file ends 20 bytes short of its page: the record's first bytes fit, the rest does not.
    const std::string before = Header + A + std::string(4096 - 20 - Header.size() - A.size() - 2, '#') + "\r\n";
    writeBytes("disk/h.csv", before);
    test::fillDisk("disk");
    const HistoryAppendResult result = appendHistoryRecord("disk/h.csv", recordB());
    return std::string(result.ok ? "ok" : result.cause) + "|" + (readBytes("disk/h.csv") == before ? "kept" : "changed");
  });
  if (!report) GTEST_SKIP() << "cannot mount a small disk here";
  EXPECT_EQ(*report, "ディスクの空き領域が足りません|kept");
}

TEST(ScoreHistory, WhatCannotBeWrittenSaysWhy) {
  test::TempWorkDir dir;
  fs::create_directory("folder.csv");
  EXPECT_EQ(appendHistoryRecord("folder.csv", recordB()).cause, "同じ名前のフォルダーがあります");
  EXPECT_EQ(readHistory("folder.csv").cause, "同じ名前のフォルダーがあります");
  EXPECT_EQ(readHistoryEntries("folder.csv").cause, "同じ名前のフォルダーがあります");
  EXPECT_TRUE(fs::is_empty("folder.csv"));

  // The read-only mark holds even for an administrator.
  writeBytes("marked.csv", Header + A);
  fs::permissions("marked.csv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(appendHistoryRecord("marked.csv", recordB()).cause, "読み取り専用のファイルです");
  EXPECT_EQ(readBytes("marked.csv"), Header + A);

  // Another user's file, and a folder that takes no new file.
  writeBytes("theirs.csv", Header + A);
  fs::permissions("theirs.csv", fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  fs::create_directory("closed");
  fs::permissions("closed", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(".", fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  const auto report = test::unprivilegedOutput([] {
    return appendHistoryRecord("theirs.csv", recordB()).cause + "|" +
           appendHistoryRecord("closed/h.csv", recordB()).cause + "|" +
           std::to_string(readHistory("theirs.csv").records.size());
  });
  if (!report) GTEST_SKIP() << "cannot run a child without root rights";
  EXPECT_EQ(*report, "アクセスが拒否されました|アクセスが拒否されました|1");
  EXPECT_EQ(readBytes("theirs.csv"), Header + A);
  EXPECT_TRUE(fs::is_empty("closed"));
}

TEST(ScoreHistory, AMissingFileIsAnEmptyHistory) {
  test::TempWorkDir dir;
  const HistoryReadResult result = readHistory("ac13history.csv");
  EXPECT_TRUE(result.ok);
  EXPECT_TRUE(result.records.empty());
  const HistoryEntriesResult entries = readHistoryEntries("ac13history.csv");
  EXPECT_TRUE(entries.ok);
  EXPECT_TRUE(entries.entries.empty());
  EXPECT_EQ(historyFileNameFor(13), "ac13history.csv");
  EXPECT_EQ(historyLine(recordB()), B);
}

}  // namespace
}  // namespace nk
