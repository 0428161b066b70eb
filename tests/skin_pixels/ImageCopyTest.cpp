#include <gtest/gtest.h>

#include "tests/skin_pixels/TestImages.h"
#include "skin/pixels/ImageCopy.h"

TEST(CopyRect, ClipsAtEveryEdgeOfBothImages) {
  const Image24 source = Positional(4, 4);
  Image24 target = Filled(3, 3, 0);
  CopyRect(target, -1, 1, source, TRect{1, -1, 5, 3});
  // Source (2, 0) lands on (0, 2); nothing lands outside either image.
  EXPECT_EQ(target.Pixel(0, 2), source.Pixel(2, 0));
  EXPECT_EQ(target.Pixel(1, 2), source.Pixel(3, 0));
  EXPECT_EQ(target.Pixel(2, 2), 0);
  EXPECT_EQ(target.Pixel(0, 1), 0);
}

TEST(TileRect, RepeatsWholeTilesAndCutsTheLastRowAndColumn) {
  const Image24 source = Positional(5, 5);
  Image24 target = Filled(8, 6, 0);
  TileRect(target, TRect{1, 1, 8, 6}, source, TRect{1, 2, 4, 4}); // a 3 x 2 tile
  for (int y = 1; y < 6; ++y)
    for (int x = 1; x < 8; ++x)
      ASSERT_EQ(target.Pixel(x, y), source.Pixel(1 + (x - 1) % 3, 2 + (y - 1) % 2)) << x << "," << y;
  EXPECT_EQ(target.Pixel(0, 0), 0);
}

TEST(StretchRect, HalftoneAveragesTheSourceAreaEachPixelCovers) {
  Image24 source = Filled(3, 1, Gray(0));
  source.SetPixel(1, 0, Gray(90));
  source.SetPixel(2, 0, Gray(30));
  Image24 target = Filled(2, 2, 0);
  StretchRect(target, TRect{0, 0, 2, 2}, source, TRect{0, 0, 3, 1}, StretchQuality::Halftone);
  EXPECT_EQ(target.Pixel(0, 1), Gray(30)); // (0 + 0.5 * 90) / 1.5
  EXPECT_EQ(target.Pixel(1, 0), Gray(50)); // (0.5 * 90 + 30) / 1.5
  StretchRect(target, TRect{0, 0, 2, 2}, source, TRect{0, 0, 3, 1}, StretchQuality::Nearest);
  EXPECT_EQ(target.Pixel(1, 1), Gray(90));
}

TEST(CopyBorderStrips, CopiesTheFourStripsOfAnArea) {
  const Image24 source = Positional(10, 10);
  Image24 target = Filled(6, 5, 0);
  CopyBorderStrips(target, 0, 0, 6, 5, source, 2, 3, 1);
  EXPECT_EQ(target.Pixel(0, 4), source.Pixel(2, 7));
  EXPECT_EQ(target.Pixel(3, 0), source.Pixel(5, 3));
  EXPECT_EQ(target.Pixel(5, 2), source.Pixel(7, 5));
  EXPECT_EQ(target.Pixel(3, 4), source.Pixel(5, 7));
  EXPECT_EQ(target.Pixel(2, 2), 0);
}
