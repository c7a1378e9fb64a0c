// required_versionTest.cpp - the required-version check: comparison, box, logs.
#include "data/required_version.h"
#include "log_fixture.h"

namespace nk {
namespace {

using Strings = std::vector<std::string>;

class RequiredVersionCheck : public test::LoggedWorkDirTest {};

const std::string RefusalHead =
    "お使いのバージョンのノルカクライアントでは接続できません。\r\n"
    "最新バージョンのノルカクライアントをダウンロードしてください。\r\n";

TEST_F(RequiredVersionCheck, ComparesAsNumbers) {
  struct Case {
    std::string file;  // UTF-8, written as CP932
    bool accepted;
    std::string loggedRequired;
    std::string boxText;
  } cases[] = {
      {"1.54\r\n", true, "1.54", ""},
      {"1.540\r\n", true, "1.54", ""},
      {"1.5", true, "1.5", ""},
      {"1.55\r\n", false, "1.55", RefusalHead},
      {"1.6\r\n", false, "1.6", RefusalHead},
      {"1.60\r\n", false, "1.6", RefusalHead},
      {"1.10\r\n", true, "1.1", ""},
      {"2\r\n最新版はサイトからダウンロード\r\n3行目は無視\r\n", false, "2", RefusalHead + "最新版はサイトからダウンロード"},
      {"9.99", false, "9.99", RefusalHead},
      {"abc\r\nhint\r\n", true, "0", ""},
      {"\r\n", true, "0", ""},
      {"<html><body>Service Unavailable</body></html>", true, "0", ""},
      {" \t+1.5\r\n", true, "1.5", ""},
      {".9\r\n", true, "0.9", ""},
      {"-1\r\n", true, "-1", ""},
      {"&H2\r\n", false, "2", RefusalHead},
      {"1.5\n最新版\n", true, "1.5", ""},             // LF only: one line, the number ends at "最"
      {"1.5\n6\n", false, "1.56", RefusalHead},       // the skipped LF joins the digits
      {"2[データ区切り]途中\r\nhint\r\n", false, "2", RefusalHead + "途中"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    test::writeBytes("Debug.txt", "");
    tk.boxes.clear();
    test::writeBytes("version.dat", test::toCp932(c.file));
    EXPECT_EQ(CheckRequiredVersion(debugLog), c.accepted);
    EXPECT_EQ(log(), (Strings{"要求バージョン確認開始", "本体バージョン:1.54", "要求バージョン:" + c.loggedRequired}));
    if (c.accepted) {
      EXPECT_TRUE(tk.boxes.empty());
    } else {
      ASSERT_EQ(tk.boxes.size(), 1u);
      EXPECT_EQ(tk.boxes[0].text, c.boxText);
      EXPECT_EQ(tk.boxes[0].title, "バージョン要求以下");
      EXPECT_EQ(tk.boxes[0].icon, MsgIcon::Exclamation);
    }
  }
  EXPECT_EQ(tk.statusTexts.front(), "ノルカクライアント要求ファイルを処理中です");
  EXPECT_EQ(tk.statusTexts.size(), std::size(cases));
}

TEST(RequiredVersion, ParseOfDecodedText) {
  const RequiredVersion v = parseRequiredVersion("1.7\rダウンロード先\r\n");
  EXPECT_DOUBLE_EQ(v.required, 1.7);
  EXPECT_EQ(v.hint, "ダウンロード先");
  EXPECT_TRUE(isProgramVersionAccepted(1.54));
  EXPECT_FALSE(isProgramVersionAccepted(1.5400001));
}

}  // namespace
}  // namespace nk
