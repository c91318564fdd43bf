#include "tools/artgen/Canvas.h"

#include <gtest/gtest.h>

using art::Canvas;

TEST(Canvas, PicturesWithTooManyColoursAreNotWritten) {
  Canvas c(8, 8);
  for (int i = 0; i < 15; ++i) c.set(i % 8, i / 8, qRgb(i * 10, 0, 0));
  EXPECT_EQ(c.colourCount(), 16);  // fifteen and the transparent background
  const QImage fits = c.indexed(16);
  ASSERT_FALSE(fits.isNull());
  EXPECT_EQ(fits.pixel(3, 0), qRgb(30, 0, 0));
  EXPECT_EQ(qAlpha(fits.pixel(7, 7)), 0);
  c.set(7, 7, qRgb(1, 2, 3));
  EXPECT_TRUE(c.indexed(16).isNull());
}

TEST(Canvas, TheOutlineSurroundsWhatWasDrawnOnly) {
  Canvas c(5, 5);
  c.set(2, 2, qRgb(255, 0, 0));
  c.outline(qRgb(0, 0, 0));
  EXPECT_EQ(c.at(2, 2), qRgb(255, 0, 0));
  for (auto [x, y] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}}) EXPECT_EQ(c.at(x, y), qRgb(0, 0, 0));
  EXPECT_FALSE(c.filled(1, 1));  // corners stay clear
  EXPECT_FALSE(c.filled(0, 2));
}

TEST(Canvas, EllipsesAreSymmetric) {
  Canvas c(21, 15);
  c.ellipse(10.5, 7.5, 9, 6, qRgb(9, 9, 9));
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 21; ++x) EXPECT_EQ(c.filled(x, y), c.filled(20 - x, 14 - y)) << x << "," << y;
  }
  EXPECT_TRUE(c.filled(10, 7));
  EXPECT_FALSE(c.filled(0, 0));
}
