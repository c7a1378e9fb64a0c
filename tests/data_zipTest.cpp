// data_zipTest.cpp - the zip of the player's data: what goes in comes out
// byte for byte; a zip that is none, a foreign one and a damaged one are
// refused with their reasons.
#include "archive/data_zip.h"
#include "archive/zip_writer.h"
#include "hostile_zip.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace nk {
namespace {

const Moment Written{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

// A zip of other entries, stored, as another program writes one.
std::string zipOf(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::vector<test::RawEntry> raw;
  for (const auto& [name, content] : entries) raw.push_back(test::honestEntry(name, content, false));
  return test::rawZip(raw);
}

TEST(DataZip, FilesComeBackByteForByte) {
  std::string noise(300'000, '\0');
  std::mt19937 random(7);
  for (char& c : noise) c = static_cast<char>(random());
  const DataFiles data{Written,
                       {{"ac13score.csv", "1,1000000,0\r\n\r\n"},
                        {"ac13improvements.csv", std::string(200'000, 'x')},  // compressed
                        {"masters/ac13/songlist.dat", noise},                 // stored
                        {"ac14target.txt", ""}}};
  const ReadDataZip read = readDataZip(dataZipBytes(data));
  ASSERT_TRUE(read.data) << read.failure;
  EXPECT_EQ(read.data->written, Written);
  EXPECT_EQ(read.data->files, data.files);
  EXPECT_LT(dataZipBytes(data).size(), 300'000u + 20'000u);
}

TEST(DataZip, RefusesWhatIsNoZipOfOursWithItsReason) {
  const DataFiles data{Written, {{"ac13score.csv", std::string(5000, '7')}, {"ac12score.csv", "2,1,0\r\n\r\n"}}};
  const std::string zip = dataZipBytes(data);
  const std::string manifest = "norukaku-client data,1\r\nwritten," + isoText(Written) + "\r\n";
  std::string flipped = zipOf({{"norukaku-data.txt", manifest + "a.csv,3," + checkSumText("abc") + "\r\n"}, {"a.csv", "abc"}});
  flipped[flipped.find("abc")] = 'x';  // a stored file's byte
  const struct {
    const char* what;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"nothing", "", "zip ファイルではないか、壊れています。"},
      {"text", "1,2,3\r\n", "zip ファイルではないか、壊れています。"},
      {"cut in half", zip.substr(0, zip.size() / 2), "zip ファイルではないか、壊れています。"},
      {"foreign", zipOf({{"photo.jpg", "JFIF"}}), "このプログラムが書き出したデータではありません（norukaku-data.txt がありません）。"},
      {"other manifest", zipOf({{"norukaku-data.txt", "hello\r\n"}}),
       "このプログラムが書き出したデータではありません（norukaku-data.txt が読めません）。"},
      {"listed, missing", zipOf({{"norukaku-data.txt", manifest + "a.csv,1," + checkSumText("a") + "\r\n"}}),
       "ファイル a.csv がありません。zip が壊れています。"},
      {"not listed", zipOf({{"norukaku-data.txt", manifest}, {"b.csv", "b"}}), "目録にないファイル b.csv があります。"},
      {"byte changed", flipped, "ファイル a.csv が書き出したときと違います。zip が壊れています。"},
      {"twice", zipOf({{"norukaku-data.txt", manifest}, {"c", "1"}, {"c", "2"}}), "同じ名前のファイル c が二つあります。"},
  };
  for (const auto& c : cases) {
    const ReadDataZip read = readDataZip(c.bytes);
    EXPECT_FALSE(read.data) << c.what;
    EXPECT_EQ(read.failure, c.reason) << c.what;
  }
}

// Zips that claim little and hold much, or that no export makes, refused in
// the player's words at the program's own bounds, before a file is read whole.
TEST(DataZip, RefusesWhatNoExportWritesByItsBounds) {
  const std::string manifest = "norukaku-client data,1\r\nwritten," + isoText(Written) + "\r\n";
  test::RawEntry bomb = test::honestEntry("ac13improvements.csv", "x");
  bomb.data = test::deflatedZeros(uint64_t{20} << 20);  // 20 KB that inflate to 20 MB
  bomb.size = 100;
  test::RawEntry huge = test::honestEntry("ac13history.csv", "x");
  huge.size = LargestZippedFile + 1;
  std::vector<test::RawEntry> many(MostZippedFiles + 1, test::honestEntry("a", "a"));
  const struct {
    const char* what;
    std::string bytes;
    std::string reason;
  } cases[] = {
      {"a bomb", test::rawZip({test::honestEntry("norukaku-data.txt", manifest), bomb}),
       "zip の中のファイル ac13improvements.csv が大きすぎます（このプログラムが書き出すのは 64 MB まで）。"},
      {"declared too large", test::rawZip({huge}),
       "zip の中のファイル ac13history.csv が大きすぎます（このプログラムが書き出すのは 64 MB まで）。"},
      {"too many", test::rawZip(many), "zip の中のファイルが多すぎます（257 個、このプログラムが書き出すのは 256 個まで）。"},
      {"unshowable names twice", zipOf({{"norukaku-data.txt", manifest}, {"c\n", "1"}, {"c\n", "2"}}),
       "同じ名前のファイル c? が二つあります。"},
  };
  for (const auto& c : cases) {
    const ReadDataZip read = readDataZip(c.bytes);
    EXPECT_FALSE(read.data) << c.what;
    EXPECT_EQ(read.failure, c.reason) << c.what;
  }

  // A file larger than any export is refused from its size (sparse here: 3 GiB, nothing read).
  const test::TempWorkDir dir;
  test::writeBytes("big.zip", "");
  std::filesystem::resize_file("big.zip", uint64_t{3} << 30);
  EXPECT_EQ(readDataZipFile("big.zip").failure, "ファイル big.zip は大きすぎます（3072 MB）。このプログラムが書き出した zip ではありません。");
  EXPECT_EQ(readDataZipFile("none.zip").failure, "ファイル none.zip がありません。");

  // An export that the import would refuse is not written.
  DataFiles tooLarge{Written, {{"ac13improvements.csv", std::string(LargestZippedFile + 1, 'x')}}};
  EXPECT_EQ(zipBoundsFailure(tooLarge, DataZipBounds),
            "ファイル ac13improvements.csv が大きすぎます（65 MB、zip に入れられるのは 64 MB まで）。");
  tooLarge.files["ac13improvements.csv"].pop_back();
  EXPECT_EQ(zipBoundsFailure(tooLarge, DataZipBounds), "");
}

}  // namespace
}  // namespace nk
