// import_faultsTest.cpp - an import under fire: a hundred randomly damaged
// copies of a real export (cut, bytes flipped, entries twice, renamed to a
// path that leaves the folder or names another file, stored as zip64) each
// end in a refusal that says why and leave every file of the folder as it was.
#include "archive/data_merge.h"
#include "archive/player_files.h"
#include "archive/zip_reader.h"
#include "hostile_zip.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace nk {
namespace {

const Moment Now{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

// Every file under the working folder with its bytes.
std::map<std::string, std::string> folderFiles() {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("."))
    if (entry.is_regular_file()) {
      const std::string path = std::filesystem::relative(entry.path(), ".").generic_string();  // ASCII names
      files[path] = test::readBytes(path);
    }
  return files;
}

const std::string HostileNames[] = {"../ac13score.csv",         "/ac13score.csv",
                                    "..\\ac13score.csv",        "C:\\ac13score.csv",
                                    "C:ac13score.csv",          std::string("ac13score.csv\0.txt", 18),
                                    "AC13SCORE.CSV",            "masters/../ac13score.csv",
                                    "scorebackup/ac13score.csv"};

// One damaged copy of the entries (the manifest first), by the seed.
std::string damaged(const std::vector<ZipEntry>& entries, const std::string& zip, unsigned seed, std::string& how) {
  std::mt19937 random(seed);
  std::vector<test::RawEntry> raw;
  for (const ZipEntry& e : entries) raw.push_back(test::honestEntry(e.name, e.bytes, random() % 2 == 0));
  const size_t victim = 1 + random() % (raw.size() - 1);
  const std::string& hostile = HostileNames[random() % std::size(HostileNames)];
  switch (seed % 6) {
    case 0: {
      how = "cut short";
      return zip.substr(0, random() % zip.size());
    }
    case 1: {
      how = "bytes flipped";
      std::string flipped = zip;
      for (unsigned n = 1 + random() % 8; n > 0; --n) flipped[random() % flipped.size()] ^= static_cast<char>(1 + random() % 255);
      return flipped;
    }
    case 2:
      how = "an entry twice";
      raw.push_back(raw[victim]);
      break;
    case 3:
      how = "an entry renamed " + hostile;
      raw[victim].name = hostile;
      break;
    case 4: {
      // Renamed in the manifest too, so that the zip reads whole: the import must still refuse it.
      how = "renamed with its manifest " + hostile;
      std::string& manifest = raw[0].data;
      manifest = entries[0].bytes;
      const size_t at = manifest.find("\r\n" + entries[victim].name + ",");
      manifest.replace(at + 2, entries[victim].name.size(), hostile);
      raw[0] = test::honestEntry(entries[0].name, manifest, false);
      raw[victim].name = hostile;
      break;
    }
    default:
      how = "stored as zip64";
      raw[victim].zip64 = true;
      break;
  }
  return test::rawZip(raw);
}

TEST(ImportFaults, AHundredDamagedZipsAreRefusedAndLeaveEveryFile) {
  std::string zip;
  {
    test::TempWorkDir other;
    test::writeBytes("ac13score.csv", "1,900000,0\r\n2,0,800000\r\n3,700000,0\r\n\r\n");
    test::writeBytes("ac13improvements.csv", "\xEF\xBB\xBF" "日時,曲番号,譜面,前,後\r\n2026-12-01T20:00:00+09:00,1,表,0,900000\r\n");
    test::writeBytes("ac12score.csv", "1,1000,2000\r\n\r\n");
    test::writeBytes("ac13target.txt", "3000000\r\n");
    size_t files = 0;
    ASSERT_EQ(exportPlayerData("data.zip", Now, files), "");
    zip = test::readBytes("data.zip");
  }
  const ZipContents entries = readZip(zip, DataZipBounds);
  ASSERT_EQ(entries.fault, ZipFault::None);

  test::TempWorkDir here;
  test::writeBytes("ac13score.csv", "1,950000,0\r\n\r\n");
  test::writeBytes("Debug.txt", "\r\n");
  const std::map<std::string, std::string> before = folderFiles();
  for (unsigned seed = 0; seed < 100; ++seed) {
    std::string how;
    test::writeBytes("damaged.zip", damaged(entries.entries, zip, seed, how));
    const ReadDataZip read = readDataZipFile("damaged.zip");
    std::filesystem::remove("damaged.zip");
    const GatheredData gathered = gatherPlayerData(Now);
    const ImportPlan plan = read.data ? planImport(*read.data, gathered.data) : ImportPlan{};
    EXPECT_FALSE(read.failure.empty() && plan.failure.empty()) << how;  // refused, and why
    EXPECT_EQ(folderFiles(), before) << how;
  }
}

}  // namespace
}  // namespace nk
