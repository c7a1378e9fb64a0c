// rival_sourceTest.cpp - a friend's file read as a rival's: a zip that is no
// friend's data, one that lies, a csv that is no score file, another
// version's and a file too large are each refused with the reason, and the
// file stays as it was.
#include "archive/data_zip.h"
#include "data/delimited_text.h"
#include "hostile_zip.h"
#include "rival/rival_source.h"
#include "rival/rival_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace nk {
namespace {

const Moment Now{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

TEST(RivalSource, AFileThatIsNoFriendsScoresIsRefusedWithItsReason) {
  const struct {
    const char* what;
    const char* path;
    std::function<void()> arrange;
    std::string failure;
  } cases[] = {
      {"a zip of another program", "friend.zip",
       [] { test::writeBytes("friend.zip", test::rawZip({test::honestEntry("ac13score.csv", "1,5,0\r\n")})); },
       "このプログラムが書き出したデータではありません（norukaku-data.txt がありません）。"},
      {"a zip whose file is not what its manifest says", "friend.zip",
       [] {
         std::string zip = dataZipBytes({Now, {{"ac13score.csv", "1,5,0\r\n\r\n"}}});
         zip.replace(zip.find("1,5,0"), 5, "1,9,0");  // the manifest's check sum no longer holds
         test::writeBytes("friend.zip", zip);
       },
       ""},
      {"no zip at all", "friend.zip", [] { test::writeBytes("friend.zip", "<html>503</html>"); }, ""},
      {"a friend's data without this version", "friend.zip",
       [] {
         test::writeBytes("friend.zip", dataZipBytes({Now, {{"ac12score.csv", "1,5,0\r\n\r\n"}}}));
       },
       noVersionScoresText("friend.zip", 13)},
      {"a friend's score file that is not one", "friend.zip",
       [] {
         test::writeBytes("friend.zip", dataZipBytes({Now, {{"ac13score.csv", "1,5,0\r\nx\r\n"}}}));
       },
       notScoreFileText("ac13score.csv", 2)},
      {"a page saved as csv", "ac13score.csv", [] { test::writeBytes("ac13score.csv", "<html>\r\n"); },
       notScoreFileText("ac13score.csv", 1)},
      {"another version's score file", "ac12score.csv", [] { test::writeBytes("ac12score.csv", "1,5,0\r\n"); },
       otherVersionText("ac12score.csv", 12, 13)},
      {"a score file too large", "ac13score.csv",
       [] { test::writeSparse("ac13score.csv", "1,5,0\r\n", LargestRivalScoreFile + 1); },
       tooLargeRivalText("ac13score.csv", LargestRivalScoreFile)},
      {"a folder", "ac13score.csv", [] { std::filesystem::create_directory("ac13score.csv"); }, ""},
      {"neither zip nor csv", "notes.txt", [] { test::writeBytes("notes.txt", "1,5,0\r\n"); },
       notRivalFileText("notes.txt", 13)},
  };
  for (const auto& c : cases) {
    test::TempWorkDir dir;
    c.arrange();
    const std::string before = std::filesystem::is_regular_file(c.path) ? test::readBytes(c.path) : "";
    const ReadRivalSource read = readRivalSource(c.path, 13);
    EXPECT_FALSE(read.source) << c.what;
    if (c.failure.empty()) {
      EXPECT_FALSE(read.failure.empty()) << c.what;
    } else {
      EXPECT_EQ(read.failure, c.failure) << c.what;
    }
    EXPECT_EQ(std::filesystem::is_regular_file(c.path) ? test::readBytes(c.path) : "", before) << c.what;
  }
}

TEST(RivalSource, AScoreFileIsReadAsTheProgramWritesItAndNothingElse) {
  const struct {
    std::string text;
    EntryScores scores;
    size_t badLine;
  } cases[] = {
      {"1,500,0\r\n3,0,900\r\n\r\n", {{1, {500, 0}}, {3, {0, 900}}}, 0},
      {"2,5,6\r\n2,7,0\r\n", {{2, {7, 0}}}, 0},  // a later line wins
      {"2,5,6\r\n2,0,0\r\n", {}, 0},             // and may clear the entry
      {std::string(Utf8Bom) + "1,-5,2147483647\n", {{1, {-5, 2147483647}}}, 0},
      {"1,5,0\r\n1,5\r\n", {}, 2},
      {"0,5,0\r\n", {}, 1},
      {"1,2147483648,0\r\n", {}, 1},
      {"1,70.5,0\r\n", {}, 1},
  };
  for (const auto& c : cases) {
    size_t badLine = 0;
    const std::optional<EntryScores> scores = parseRivalScores(c.text, badLine);
    EXPECT_EQ(scores.has_value(), c.badLine == 0) << c.text;
    EXPECT_EQ(badLine, c.badLine) << c.text;
    if (scores) {
      EXPECT_EQ(*scores, c.scores) << c.text;
    }
  }
}

}  // namespace
}  // namespace nk
