// total_historyTest.cpp - the history file: reading past torn, edited and
// marked lines, and appending after whatever a crash or a hand edit left, in
// real files of the test's folder.
#include "data/total_history.h"
#include "platform/native_file.h"
#include "test_support.h"

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
    std::string s = isoText(r.time) + " " + std::to_string(r.total);
    for (int64_t v : r.levelSums) s += " " + std::to_string(v);
    out.push_back(s + " " + std::to_string(r.entered) + " @" + std::to_string(r.time.utc.time_since_epoch().count()));
  }
  return out;
}

const std::string SumA = "2026-10-01T21:00:00+09:00 1000 100 200 300 400 12 @1790856000";
const std::string SumB = "2026-10-02T22:30:15+09:00 1500 150 250 500 600 15 @1790947815";

// Every case read two ways: from the file piece by piece however the lines fall, and newest
// first from its end in blocks.
TEST(ScoreHistory, ReadingKeepsOnlyCompleteRecords) {
  test::TempWorkDir dir;
  // Padding lines put a record across the first piece's end at each offset given.
  auto across = [](size_t before) {
    std::string bytes = Header;
    while (bytes.size() + 400 < ReadPieceBytes - before) bytes += std::string(198, 'x') + "\r\n";
    bytes += std::string(ReadPieceBytes - before - bytes.size() - 2, 'y') + "\r\n";
    return bytes + A + B;
  };
  // Edited lines after A and B that put the start of the last backward block `into` bytes into B.
  auto backAcross = [](size_t into) {
    const size_t size = 65536 - (B.size() - into);
    std::string pad;
    while (size - pad.size() > 101) pad += std::string(98, '#') + "\r\n";
    return Header + A + B + pad + std::string(size - pad.size() - 2, '#') + "\r\n";
  };
  // Not a record, though its first few thousand bytes would be one.
  const std::string overlong = "2026-10-01T21:00:00+09:00,1000,100,200,300,400," + std::string(5000, '0') + "x\r\n";
  // Record A with its last number padded by zeros to `bytes` before the LF.
  auto padded = [](size_t bytes) { return A.substr(0, 47) + std::string(bytes - 50, '0') + "12\r\n"; };
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
       {"2026-10-01T12:00:00+00:00 -5 0 0 0 -5 0 @1790856000"}},
      {"beyond 64 bits", Header + "2026-10-01T21:00:00+09:00,9223372036854775808,1,1,1,1,1\r\n", {}},
      {"record across the pieces' border", across(20), {SumA, SumB}},
      {"CR at the first piece's end", across(B.size() - 1), {SumA, SumB}},
      {"line end at the first piece's end", across(0), {SumA, SumB}},
      {"line longer than a record", Header + A + overlong + B, {SumA, SumB}},
      {"the longest line a record may be", Header + padded(4096) + B, {SumA, SumB}},
      {"a record one byte longer", Header + padded(4097) + B, {SumB}},
      {"record across a backward block's border", backAcross(20), {SumA, SumB}},
      {"line end at a backward block's start", backAcross(B.size() - 1), {SumA, SumB}},
      {"line longer than a piece", Header + A + std::string(ReadPieceBytes + 10, ',') + "\r\n" + B, {SumA, SumB}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes("ac13history.csv", c.bytes);
    const RecentRecords<HistoryRecord> read = readRecentHistory("ac13history.csv");
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.leftOut, 0u);
    EXPECT_EQ(summaries(read.records), c.expected);
    std::vector<HistoryRecord> backward;
    std::string cause;
    const auto take = [&backward](std::string_view line) {
      if (auto record = parseHistoryLine(line)) backward.insert(backward.begin(), *record);
      return true;
    };
    EXPECT_EQ(readNewestLines("ac13history.csv", UINT64_MAX, take, cause), FileRead::Read);
    EXPECT_EQ(summaries(backward), c.expected);
  }
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
    const AppendResult result = appendHistoryRecord("h.csv", recordB());
    EXPECT_TRUE(result.ok) << result.cause;
    EXPECT_EQ(readBytes("h.csv"), c.after);
    // Whatever came before, the new record reads back.
    const auto records = readRecentHistory("h.csv").records;
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
      {"same and no header: the tail is the whole file", sameAsB, false},
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
    const AppendResult result = appendHistoryRecord("h.csv", recordB());
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
    const AppendResult result = appendHistoryRecord("disk/h.csv", recordB());
    return std::string(result.ok ? "ok" : result.cause) + "|" + (readBytes("disk/h.csv") == before ? "kept" : "changed");
  });
  if (!report) GTEST_SKIP() << "cannot mount a small disk here";
  EXPECT_EQ(*report, "ディスクの空き領域が足りません|kept");
}

TEST(ScoreHistory, WhatCannotBeWrittenSaysWhy) {
  test::TempWorkDir dir;
  fs::create_directory("folder.csv");
  EXPECT_EQ(appendHistoryRecord("folder.csv", recordB()).cause, "同じ名前のフォルダーがあります");
  EXPECT_EQ(readRecentHistory("folder.csv").cause, "同じ名前のフォルダーがあります");
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
           std::to_string(readRecentHistory("theirs.csv").records.size());
  });
  if (!report) GTEST_SKIP() << "cannot run a child without root rights";
  EXPECT_EQ(*report, "アクセスが拒否されました|アクセスが拒否されました|1");
  EXPECT_EQ(readBytes("theirs.csv"), Header + A);
  EXPECT_TRUE(fs::is_empty("closed"));
}

TEST(ScoreHistory, AMissingFileIsAnEmptyHistory) {
  test::TempWorkDir dir;
  const RecentRecords<HistoryRecord> read = readRecentHistory("ac13history.csv");
  EXPECT_TRUE(read.ok);
  EXPECT_TRUE(read.records.empty());
  EXPECT_EQ(logFileName(HistoryFormat, 13), "ac13history.csv");
  EXPECT_EQ(historyLine(recordB()), B);
}

}  // namespace
}  // namespace nk
