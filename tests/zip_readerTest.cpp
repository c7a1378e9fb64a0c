// zip_readerTest.cpp - the zip container: what the writer puts in comes back
// byte for byte; a zip made to lie is refused by what it really holds, before
// or while it inflates, with the file at fault named.
#include "archive/zip_reader.h"
#include "archive/zip_writer.h"
#include "hostile_zip.h"

#include <gtest/gtest.h>

#include <random>

namespace nk {
namespace {

using test::honestEntry;
using test::RawEntry;
using test::rawZip;

const Moment Stamp{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

TEST(ZipReader, ReadsBackWhatTheWriterWrote) {
  std::string noise(70'000, '\0');
  std::mt19937 random(3);
  for (char& c : noise) c = static_cast<char>(random());
  const ZipFiles files{{"norukaku-data.txt", "a\r\n"},
                       {"masters/ac13/曲名.dat", std::string(100'000, 'x')},  // deflated
                       {"noise.bin", noise},                                 // stored: deflate is no smaller
                       {"empty.txt", ""}};
  const std::string zip = zipBytes(files, Stamp);
  EXPECT_LT(zip.size(), noise.size() + 2'000);
  const ZipContents read = readZip(zip, {4, 100'000, 200'000});
  ASSERT_EQ(read.fault, ZipFault::None) << read.faultyName;
  ASSERT_EQ(read.entries.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(read.entries[i].name, files[i].first);
    EXPECT_EQ(read.entries[i].bytes, files[i].second) << files[i].first;
  }
  // One entry more than the bounds allow, or one byte more in a file or in all.
  EXPECT_EQ(readZip(zip, {3, 100'000, 200'000}).fault, ZipFault::TooManyFiles);
  EXPECT_EQ(readZip(zip, {4, 99'999, 200'000}).faultyName, "masters/ac13/曲名.dat");
  EXPECT_EQ(readZip(zip, {4, 100'000, 170'002}).fault, ZipFault::TotalTooLarge);
}

TEST(ZipReader, RefusesAZipThatLiesByWhatItReallyHolds) {
  const ZipBounds bounds{4, 1000, 1200};
  const RawEntry fine = honestEntry("fine.txt", std::string(300, 'f'));
  const auto with = [&](auto change) {
    RawEntry e = honestEntry("bad.txt", std::string(500, 'b'));
    change(e);
    return rawZip({fine, e});
  };
  const std::string whole = rawZip({fine, honestEntry("b.txt", "b")});
  std::string offsetPastEnd = whole;
  offsetPastEnd[whole.rfind(std::string("PK\x01\x02", 4)) + 45] = '\x7f';  // the last entry's local header offset
  const struct {
    const char* what;
    std::string zip;
    ZipFault fault;
    const char* name;
  } cases[] = {
      {"a bomb: says 100 bytes, inflates to 10 MB", with([](RawEntry& e) {
         e.data = test::deflatedZeros(10 << 20);
         e.size = 100;
       }),
       ZipFault::FileTooLarge, "bad.txt"},
      {"says more than a file may hold", with([](RawEntry& e) { e.size = 1001; }), ZipFault::FileTooLarge, "bad.txt"},
      {"says more than all may hold", with([](RawEntry& e) { e.size = 1000; }), ZipFault::TotalTooLarge, ""},
      {"one byte past what it says", with([](RawEntry& e) { e.size = 499; }), ZipFault::FileTooLarge, "bad.txt"},
      {"ends before what it says", with([](RawEntry& e) { e.size = 501; }), ZipFault::Damaged, "bad.txt"},
      {"another CRC", with([](RawEntry& e) { e.crc ^= 1; }), ZipFault::Damaged, "bad.txt"},
      {"stored, another size", with([](RawEntry& e) { e = honestEntry("bad.txt", "abc", false), e.size = 4; }),
       ZipFault::Damaged, "bad.txt"},
      {"deflate stream cut", with([](RawEntry& e) { e.data.resize(e.data.size() / 2); }), ZipFault::Damaged, "bad.txt"},
      {"renamed in its local header", with([](RawEntry& e) { e.localName = "../evil.txt"; }), ZipFault::Damaged, "bad.txt"},
      {"zip64", with([](RawEntry& e) { e.zip64 = true; }), ZipFault::Zip64, "bad.txt"},
      {"encrypted", with([](RawEntry& e) { e.flags |= 1; }), ZipFault::Unreadable, "bad.txt"},
      {"bzip2", with([](RawEntry& e) { e.method = 12; }), ZipFault::Unreadable, "bad.txt"},
      {"five entries", rawZip({fine, fine, fine, fine, fine}), ZipFault::TooManyFiles, ""},
      {"a local header past the data", offsetPastEnd, ZipFault::Damaged, "b.txt"},
      {"cut by one byte", whole.substr(0, whole.size() - 1), ZipFault::NoZip, ""},
      {"no entry", rawZip({}), ZipFault::NoZip, ""},
      {"nothing", "", ZipFault::NoZip, ""},
      {"text", "PK\x05\x06 is not enough", ZipFault::NoZip, ""},
  };
  for (const auto& c : cases) {
    const ZipContents read = readZip(c.zip, bounds);
    EXPECT_EQ(read.fault, c.fault) << c.what;
    EXPECT_EQ(read.faultyName, c.name) << c.what;
    EXPECT_TRUE(read.entries.empty()) << c.what;
  }
  EXPECT_EQ(readZip(rawZip({fine, fine, fine, fine, fine}), bounds).entryCount, 5u);
  EXPECT_EQ(readZip(whole, bounds).fault, ZipFault::None);
}

}  // namespace
}  // namespace nk
