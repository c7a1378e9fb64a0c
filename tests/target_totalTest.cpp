// target_totalTest.cpp - the target's own file and the typed text.
#include "data/target_total.h"
#include "test_support.h"

namespace nk {
namespace {

TEST(TargetTotal, TheTypedText) {
  using Parsed = std::optional<std::optional<int64_t>>;
  const std::optional<int64_t> none;
  const struct { const char* typed; Parsed parsed; } cases[] = {
      {"", none}, {" \u3000 ", none},
      {"1", int64_t{1}}, {"12345678", int64_t{12345678}}, {"12,345,678", int64_t{12345678}},
      {"１２，３４５，６７８", int64_t{12345678}}, {"\u3000２７５００００ ", int64_t{2750000}},
      {"64424509410", int64_t{64424509410}}, {"64,424,509,410", int64_t{64424509410}},
      {"0", std::nullopt}, {"64424509411", std::nullopt}, {"99999999999999999999999", std::nullopt},
      {"-5", std::nullopt}, {"1.5", std::nullopt}, {"1e6", std::nullopt}, {"12,34", std::nullopt},
      {"1234,567", std::nullopt}, {",123", std::nullopt}, {"123,", std::nullopt}, {"1,,234", std::nullopt},
      {"12 345", std::nullopt}, {"目標", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(parseTargetText(c.typed), c.parsed) << c.typed;
}

TEST(TargetTotal, KeptInAFileOfItsOwn) {
  test::TempWorkDir dir;
  EXPECT_EQ(targetTotalFileName(13), "ac13target.txt");
  EXPECT_EQ(readTargetTotal(13).target, std::nullopt);  // no file: no target, nothing to say
  EXPECT_EQ(readTargetTotal(13).failure, "");
  ASSERT_TRUE(saveTargetTotal(13, 2750000).ok);
  EXPECT_EQ(test::readBytes("ac13target.txt"), "2750000\r\n");
  EXPECT_EQ(readTargetTotal(13).target, 2750000);
  EXPECT_EQ(readTargetTotal(14).target, std::nullopt);
  ASSERT_TRUE(saveTargetTotal(13, std::nullopt).ok);
  EXPECT_EQ(test::readBytes("ac13target.txt"), "");
  EXPECT_EQ(readTargetTotal(13).target, std::nullopt);
  EXPECT_EQ(readTargetTotal(13).failure, "");
  for (const char* damaged : {"2750000", "0\r\n", "abc\r\n", "2750000\r\n2\r\n"}) {
    test::writeBytes("ac13target.txt", damaged);
    const TargetTotalRead read = readTargetTotal(13);
    EXPECT_EQ(read.target, std::nullopt) << damaged;
    EXPECT_EQ(read.failure, "ファイル ac13target.txt に目標総合得点がありません。") << damaged;
  }
}

// The file is read only when its size is one the program could have
// written: a file of a gigabyte is refused from its size, unread and kept.
TEST(TargetTotal, AFileTooLargeToBeOneIsRefusedUnread) {
  test::TempWorkDir dir;
  const std::string padded = std::string(62 - 7, '0') + "2750000\r\n";  // 64 bytes
  const struct { std::string head; std::uintmax_t size; std::optional<int64_t> target; } cases[] = {
      {padded, 64, 2750000},
      {"0" + padded, 65, std::nullopt},
      {padded, std::uintmax_t{1} << 30, std::nullopt},
      {"", std::uintmax_t{1} << 30, std::nullopt},
  };
  for (const auto& c : cases) {
    test::writeSparse("ac13target.txt", c.head, c.size);
    const TargetTotalRead read = readTargetTotal(13);
    EXPECT_EQ(read.target, c.target) << c.size;
    EXPECT_EQ(read.failure, c.target ? "" : "ファイル ac13target.txt に目標総合得点がありません。") << c.size;
    EXPECT_EQ(std::filesystem::file_size("ac13target.txt"), c.size);
  }
}

}  // namespace
}  // namespace nk
