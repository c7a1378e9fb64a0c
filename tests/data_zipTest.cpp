// data_zipTest.cpp - the zip of the player's data: what goes in comes out
// byte for byte; a zip that is none, a foreign one and a damaged one are
// refused with their reasons.
#include "archive/data_zip.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QtGui/private/qzipwriter_p.h>

#include <random>

namespace nk {
namespace {

const Moment Written{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

// A zip of other entries, as another program writes one.
std::string zipOf(const std::vector<std::pair<std::string, std::string>>& entries) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QZipWriter writer(&buffer);
  writer.setCompressionPolicy(QZipWriter::NeverCompress);
  for (const auto& [name, content] : entries) writer.addFile(QString::fromStdString(name), QByteArray::fromStdString(content));
  writer.close();
  return bytes.toStdString();
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

}  // namespace
}  // namespace nk
