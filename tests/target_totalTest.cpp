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

}  // namespace
}  // namespace nk
