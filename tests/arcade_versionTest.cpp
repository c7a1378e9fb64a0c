// arcade_versionTest.cpp - the versions' numbers, codes and labels.
#include "domain/arcade_version.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(ArcadeVersion, NumbersCodesAndLabels) {
  const ArcadeVersion versions[] = {AC12, AC13, AC14};
  const char* const labels[] = {"AC12", "AC13", "AC14"};
  ASSERT_EQ(ArcadeVersionNumbers.size(), std::size(versions));
  for (size_t v = 0; v < std::size(versions); ++v) {
    const int16_t number = ArcadeVersionNumbers[v];
    EXPECT_EQ(versionNumberOf(versions[v]), number);
    EXPECT_EQ(versionCodeOf(number), versions[v].VersionCode);
    EXPECT_EQ(versionLabel(number), labels[v]);
    EXPECT_EQ(versionLabel(versions[v]), labels[v]);
  }
}

}  // namespace
}  // namespace nk
