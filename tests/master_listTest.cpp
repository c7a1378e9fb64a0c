// master_listTest.cpp - elements of a master list and the texts quoted in errors.
#include "data/master_list.h"
#include "failure_of.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(MasterList, ElementsOfTheJoinedLines) {
  const MasterList list("a<\r\n>b<>\rc<>", "x.dat");
  EXPECT_EQ(list.lastElement(), 3);
  EXPECT_EQ(list.element(1), "b");
  EXPECT_EQ(list.element(2), "c");
  EXPECT_EQ(list.element(3), "");
  EXPECT_EQ(MasterList("", "x.dat").lastElement(), -1);
  EXPECT_EQ(list.advance(32760, 7, 1), 32767);
  EXPECT_EQ(test::failureOf([&] { list.advance(32761, 7, 1); }),
            "x.dat は項目が多すぎて読み込めません（1 件目で項目の番号が 32767 を超えました）。");
}

TEST(MasterList, RecordNumbersAsSixteenBits) {
  const MasterList list("", "x.dat");
  const std::pair<const char*, int16_t> cases[] = {
      {"0", 0},      {"7", 7},        {"1234", 1234}, {"32767", 32767}, {"-32768", -32768},
      {"0012", 12},  {"12ab", 12},    {"", 0},        {"1 2", 12},      {"32767.4", 32767},
      {"-0.5", 0},   {"&H7FFF", 32767},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(recordNumber16(list, text, 1, "番号"), value) << text;
  for (const std::string text : {"32768", "32767.5", "-32769", "1e9", "9e999"})
    EXPECT_EQ(test::failureOf([&] { recordNumber16(list, text, 1, "番号"); }),
              "x.dat の 1 件目: 番号「" + text + "」が 16 ビット整数の範囲（-32768～32767）を超えています。");
}

TEST(MasterList, QuotedTextIsCutAfterTwentyCharacters) {
  EXPECT_EQ(quotedForError("abc"), "「abc」");
  EXPECT_EQ(quotedForError(""), "「」");
  EXPECT_EQ(quotedForError("あいうえおかきくけこさしすせそたちつてと"), "「あいうえおかきくけこさしすせそたちつてと」");
  EXPECT_EQ(quotedForError("あいうえおかきくけこさしすせそたちつてとな"), "「あいうえおかきくけこさしすせそたちつてと…」");
}

}  // namespace
}  // namespace nk
