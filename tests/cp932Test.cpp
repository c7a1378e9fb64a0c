// cp932Test.cpp - the CP932 codec against iconv-made bytes.
#include "platform/cp932.h"
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

TEST(Cp932, LookAlikesOutsideTheCodePageGetTheSameBytesOnEveryPlatform) {
  // Characters that CP932 lacks but that a text often holds in place of one
  // it has (the yen sign for the backslash byte, the wave dash...).
  const std::pair<const char*, std::string> cases[] = {
      {"\u00A5", "\x5C"},     {"\u203E", "\x7E"},     {"\u2016", "\x81\x61"}, {"\u2212", "\x81\x7C"},
      {"\u301C", "\x81\x60"}, {"\u00A2", "\x81\x91"}, {"\u00A3", "\x81\x92"}, {"\u00AC", "\x81\xCA"},
      {"\u2014", "\x81\x5C"},
  };
  for (const auto& [utf8, bytes] : cases) EXPECT_EQ(utf8ToCp932(utf8), bytes) << utf8;
  // The NEC-selected form of a character reads as the character; it is
  // written back in the IBM extension form, as Windows writes it.
  EXPECT_EQ(cp932ToUtf8("\xEE\xE0"), "\u9AD9");
  EXPECT_EQ(utf8ToCp932("\u9AD9"), "\xFB\xFC");
  // Bytes that stand for no character, alone or as a would-be lead byte.
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(cp932ToUtf8("\x80" "a\xA0" "b\xFD\xFE" "c\x82\x20"), replacement + "a" + replacement + "b" + replacement +
                                                                replacement + "c" + replacement + " ");
}

TEST(Cp932, LongMixedTextConvertsWhole) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "曲" + std::to_string(i) + "<>J-POP<>";
  EXPECT_EQ(cp932ToUtf8(utf8ToCp932(text)), text);
  EXPECT_EQ(utf8ToCp932(text), test::toCp932(text));
}

}  // namespace
}  // namespace nk
