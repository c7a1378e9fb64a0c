// twipsTest.cpp - twips to pixels at several screen resolutions.
#include "ui/twips.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(TwipsTest, ScalesWithTheDpiAndRoundsToTheNearestPixel) {
  struct Case {
    int twips, dpi, pixels;
  };
  const Case cases[] = {
      {0, 96, 0},     {15, 96, 1},     {120, 96, 8},     {2535, 96, 169}, {7590, 96, 506},
      {8010, 96, 534}, {6330, 96, 422}, {7, 96, 0},      {8, 96, 1},      {120, 120, 10},
      {375, 120, 31},  {375, 144, 38},  {8010, 192, 1068}, {4455, 72, 223},
  };
  for (const Case& c : cases)
    EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi << " dpi";
}

TEST(TwipsTest, RectangleUsesTheWidgetsScreen) {
  QWidget widget;
  ASSERT_EQ(widget.logicalDpiX(), 96);
  ASSERT_EQ(widget.logicalDpiY(), 96);
  EXPECT_EQ(twipsRect(widget, 120, 600, 2535, 375), QRect(8, 40, 169, 25));
  EXPECT_EQ(twipsSize(widget, 7590, 5160), QSize(506, 344));
}

}  // namespace
}  // namespace nk
