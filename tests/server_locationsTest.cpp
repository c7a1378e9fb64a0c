// server_locationsTest.cpp - LoadPath's names and URLs for each version.
#include "log_fixture.h"
#include "loopback_server.h"
#include "net/server_locations.h"

namespace nk {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class LoadPathTest : public test::LoggedWorkDirTest {};

TEST_F(LoadPathTest, TheBuildFixesTwoFolderUrls) {
  const ServerBases built = builtInServerBases();
  EXPECT_TRUE(built.primary.starts_with("http")) << built.primary;
  EXPECT_TRUE(built.primary.ends_with("/")) << built.primary;
  EXPECT_TRUE(built.secondary.ends_with("/")) << built.secondary;
  EXPECT_NE(built.primary, built.secondary);
}

TEST_F(LoadPathTest, DerivesTheVersionsFileNameAndEightUrls) {
  test::LoopbackServer server;
  const ServerBases bases{"http://p.example/nk/", "http://s.example/other/"};
  struct Case {
    int16_t versionCode;
    int16_t versionNumber;
    std::string n;
  };
  for (const Case& c : {Case{112, 12, "12"}, Case{113, 13, "13"}, Case{114, 14, "14"}}) {
    SCOPED_TRACE(c.versionCode);
    ServerPaths paths;
    EXPECT_EQ(LoadPath(debugLog, ArcadeVersion{c.versionCode}, bases, paths), 0);
    EXPECT_EQ(paths.VersionNumber, c.versionNumber);
    EXPECT_EQ(paths.ScoreFileName, "ac" + c.n + "score.csv");
    EXPECT_EQ(paths.PrimarySRListUrl, "http://p.example/nk/sr/" + c.n + "/srlist.dat");
    EXPECT_EQ(paths.PrimaryVersionSongListUrl, "http://p.example/nk/common/ac" + c.n + "list.dat");
    EXPECT_EQ(paths.PrimarySongMasterUrl, "http://p.example/nk/common/songlist.dat");
    EXPECT_EQ(paths.PrimaryNKVersionUrl, "http://p.example/nk/common/nkclient.dat");
    EXPECT_EQ(paths.SecondarySRListUrl, "http://s.example/other/sr/" + c.n + "/srlist.dat");
    EXPECT_EQ(paths.SecondaryVersionSongListUrl, "http://s.example/other/common/ac" + c.n + "list.dat");
    EXPECT_EQ(paths.SecondarySongMasterUrl, "http://s.example/other/common/songlist.dat");
    EXPECT_EQ(paths.SecondaryNKVersionUrl, "http://s.example/other/common/nkclient.dat");
  }
  EXPECT_EQ(test::logMessages(), (Strings{"関数 LoadPath 開始", "関数 LoadPath 正常終了", "関数 LoadPath 開始",
                                          "関数 LoadPath 正常終了", "関数 LoadPath 開始", "関数 LoadPath 正常終了"}));
  // Neither network nor files besides the log.
  EXPECT_EQ(server.totalRequests(), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
  EXPECT_TRUE(tk.calls.empty());
}

TEST_F(LoadPathTest, AVersionNumberOutside16BitsEndsTheProgram) {
  ServerPaths paths;
  EXPECT_THROW(LoadPath(debugLog, ArcadeVersion{-32768}, builtInServerBases(), paths), ProgramEnded);
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "異常終了");
  EXPECT_EQ(tk.boxes[0].text, "LoadPathで異常が発生しました。\r\nオーバーフローしました。");
  EXPECT_EQ(test::logMessages(),
            (Strings{"関数 LoadPath 開始", "関数 LoadPath 異常終了:オーバーフローしました。"}));
  EXPECT_TRUE(tk.ended);

  // The lowest code that still fits.
  EXPECT_EQ(LoadPath(debugLog, ArcadeVersion{-32668}, builtInServerBases(), paths), 0);
  EXPECT_EQ(paths.VersionNumber, -32768);
  EXPECT_EQ(paths.ScoreFileName, "ac-32768score.csv");
}

}  // namespace
}  // namespace nk
