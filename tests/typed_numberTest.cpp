// typed_numberTest.cpp - a number typed into a box, at the edges of the
// widest bounds the reader takes.
#include "data/typed_number.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(TypedNumber, TheWidestBoundsHoldWithoutOverflow) {
  constexpr int64_t Most = int64_t{1} << 62;
  using Parsed = std::optional<std::optional<int64_t>>;
  const struct { const char* typed; int64_t lowest, highest; Parsed parsed; } cases[] = {
      {"4611686018427387904", 0, Most, Most},
      {"4,611,686,018,427,387,904", 0, Most, Most},
      {"4611686018427387905", 0, Most, std::nullopt},
      // Ten times a number below the bound wraps past 2^64 to 4 where it is not checked first.
      {"18446744073709551620", 0, Most, std::nullopt},
      {"18,446,744,073,709,551,620", 0, Most, std::nullopt},
      {"99999999999999999999999999", 0, Most, std::nullopt},
      {"7", 0, 5, std::nullopt},
      {"5", 0, 5, int64_t{5}},
  };
  for (const auto& c : cases) EXPECT_EQ(parseTypedNumber(c.typed, c.lowest, c.highest), c.parsed) << c.typed;
}

}  // namespace
}  // namespace nk
