// cp932Test.cpp - the CP932 codec against iconv-made bytes.
#include "cp932.h"
#include "test_support.h"

namespace nk {
namespace {

TEST(Cp932, RoundTripsEveryTextTheProgramWrites) {
  const std::vector<std::string> texts = {
      "ノルカクライアント ver1.54 開始", "関数 LoadPath 開始", "曲マスタ受信開始",
      "要求バージョン:1.6", "☆×７　収録曲10曲／課題曲7曲", "☆×10　総合対象曲",
      "総合点計算処理　開始", "曲番号0: 夏祭り(童謡・民謡)", "曲番号3: 鬼(☆×-10)",
      "DownloadSRListで異常が発生しました。", "初期処理失敗", "CSVファイルが存在しません",
      "ゲームミュージック", "ナムコオリジナル", "？", "ｶﾀｶﾅ", "plain ascii \\ ~", ""};
  for (const std::string& text : texts) {
    const std::string bytes = test::toCp932(text);
    EXPECT_EQ(utf8ToCp932(text), bytes) << text;
    EXPECT_EQ(cp932ToUtf8(bytes), text) << text;
  }
}

TEST(Cp932, TrailBytesInTheAsciiRangeStayWithTheirLeadByte) {
  // "ソ" is 0x83 0x5C and "ァ" 0x83 0x40: their second bytes look like "\" and "@".
  EXPECT_EQ(cp932ToUtf8("\x83\x5C\x83\x40" "a"), "ソァa");
  EXPECT_EQ(utf8ToCp932("ソ表"), "\x83\x5C\x95\x5C");
}

TEST(Cp932, BadBytesAreReplacedNeverFatal) {
  const std::string replacement = "\xEF\xBF\xBD";
  struct Case {
    std::string bytes, utf8;
  } cases[] = {
      {"a\x82", "a" + replacement},                         // lead byte cut at the end
      {"\xFF" "b", replacement + "b"},                      // no such byte
      {"\x82\xA0\xA0", "あ" + replacement},                 // 0xA0 alone is undefined
  };
  for (const Case& c : cases) EXPECT_EQ(cp932ToUtf8(c.bytes), c.utf8);

  EXPECT_EQ(utf8ToCp932("a😀b"), "a?b");       // not in CP932
  EXPECT_EQ(utf8ToCp932("x\xE3\x81"), "x?");  // UTF-8 cut short
}

TEST(Cp932, LongMixedTextConvertsWhole) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "曲" + std::to_string(i) + "<>J-POP<>";
  EXPECT_EQ(cp932ToUtf8(utf8ToCp932(text)), text);
  EXPECT_EQ(utf8ToCp932(text), test::toCp932(text));
}

}  // namespace
}  // namespace nk
