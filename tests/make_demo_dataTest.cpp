// make_demo_dataTest.cpp - tools/make-demo-data: notes left out, CR LF, CP932, safe replacement.
#include "test_support.h"

#include <cstdlib>
#include <sys/wait.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

// Runs the script on src/ into out/; its exit status.
int makeDemoData() {
  const std::string command = std::string("bash '") + NK_MAKE_DEMO_DATA + "' src out >script.log 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MakeDemoData, LeavesNotesOutAndWritesCp932WithCrLf) {
  test::TempWorkDir dir;
  fs::create_directories("src/nk/common");
  fs::create_directories("src/nk/sr/12");
  test::writeBytes("src/nk/common/songlist.txt",
                   "# 曲マスタ\n"
                   "   # 字下げした注釈\n"
                   "\n"
                   "1<>夕焼け<>150<>J-POP<>2008<>   # 注釈は配らない\n"
                   "2<>C#メジャー<>120<>クラシック<>2009<>\r\n"
                   "3<>ABC, ドレミ<>110<>キッズ<>2009<>\t#\ttab\n"
                   "\t\n"
                   "4<>最後の行<>90<>童謡・民謡<>2010<>");
  test::writeBytes("src/nk/sr/12/srlist.txt", "1<>12<>1<>\n");
  test::writeBytes("src/nk/README.md", "not served\n");

  ASSERT_EQ(makeDemoData(), 0) << test::readBytes("script.log");
  EXPECT_EQ(test::readBytes("out/nk/common/songlist.dat"),
            test::toCp932("1<>夕焼け<>150<>J-POP<>2008<>\r\n"
                          "2<>C#メジャー<>120<>クラシック<>2009<>\r\n"
                          "3<>ABC, ドレミ<>110<>キッズ<>2009<>\r\n"
                          "4<>最後の行<>90<>童謡・民謡<>2010<>\r\n"));
  EXPECT_EQ(test::readBytes("out/nk/sr/12/srlist.dat"), "1<>12<>1<>\r\n");
  EXPECT_FALSE(fs::exists("out/nk/README.md"));
  EXPECT_FALSE(fs::exists("out/nk/README.dat"));

  // A removed source takes its served file with it.
  fs::remove("src/nk/sr/12/srlist.txt");
  ASSERT_EQ(makeDemoData(), 0) << test::readBytes("script.log");
  EXPECT_TRUE(fs::exists("out/nk/common/songlist.dat"));
  EXPECT_FALSE(fs::exists("out/nk/sr/12/srlist.dat"));
}

TEST(MakeDemoData, AFailedRunKeepsTheServedFiles) {
  test::TempWorkDir dir;
  fs::create_directories("src/nk/common");
  test::writeBytes("src/nk/common/nkclient.txt", "1.54\n案内\n");
  ASSERT_EQ(makeDemoData(), 0) << test::readBytes("script.log");
  const std::string served = test::readBytes("out/nk/common/nkclient.dat");
  ASSERT_EQ(served, test::toCp932("1.54\r\n案内\r\n"));

  // No CP932 code for an emoji; nor for a byte that is no UTF-8.
  for (const char* bad : {"1.54\n\xF0\x9F\x98\x80\n", "1.54\n\x82\xA0\n"}) {
    test::writeBytes("src/nk/common/nkclient.txt", bad);
    EXPECT_NE(makeDemoData(), 0);
    EXPECT_NE(test::readBytes("script.log").find("nkclient.txt cannot be encoded to CP932"), std::string::npos);
    EXPECT_EQ(test::readBytes("out/nk/common/nkclient.dat"), served);
    for (const auto& entry : fs::directory_iterator("out"))
      EXPECT_EQ(entry.path().filename(), "nk") << "left behind: " << entry.path();
  }

  fs::remove_all("src/nk/common");
  EXPECT_NE(makeDemoData(), 0);
  EXPECT_EQ(test::readBytes("out/nk/common/nkclient.dat"), served);
}

}  // namespace
}  // namespace nk
