#include <gtest/gtest.h>

#include "skin/pixels/Image24.h"
#include "skin/pixels/PixelAccess.h"
#include "toolkit/base/Exceptions.h"

TEST(Image24, BottomUpRowsAreReachedThroughANegativeStride) {
  Image24 image(3, 4, RowOrder::BottomUp);
  EXPECT_EQ(image.Stride(), -12); // 9 bytes padded to 12
  image.SetPixel(2, 0, 0x123456);
  image.SetPixel(0, 3, 0xABCDEF);
  // Row 0 is stored last: its first byte lies 3 rows after the start of the buffer.
  const uint8_t *bufferStart = image.ScanLine(3);
  EXPECT_EQ(image.Row0() - bufferStart, 36);
  EXPECT_EQ(bufferStart[0], 0xAB); // blue first
  EXPECT_EQ(bufferStart[2], 0xEF);
  EXPECT_EQ(image.Pixel(2, 0), 0x123456);
  EXPECT_EQ(image.Pixel(0, 3), 0xABCDEF);
}

TEST(Image24, TopDownRowsArePaddedToFourBytes) {
  Image24 image(5, 2);
  EXPECT_EQ(image.Stride(), 16);
  EXPECT_EQ(image.ScanLine(1) - image.Row0(), 16);
}

TEST(Image24, CloneIsDeepAndKeepsTheRowOrder) {
  Image24 image(2, 2, RowOrder::BottomUp);
  image.Fill(0x010203);
  Image24 copy = image.Clone();
  image.SetPixel(0, 0, 0);
  EXPECT_EQ(copy.Pixel(0, 0), 0x010203);
  EXPECT_LT(copy.Stride(), 0);
  EXPECT_NE(copy.Row0(), image.Row0());
}

TEST(Image24, MoveLeavesTheSourceEmpty) {
  Image24 image(4, 4);
  uint8_t *row0 = image.Row0();
  Image24 moved(std::move(image));
  EXPECT_EQ(moved.Row0(), row0);
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Row0(), nullptr);
}

TEST(Image24, RejectsSizesBeyondTheLimit) {
  EXPECT_THROW(Image24(-1, 4), Exception);
  EXPECT_THROW(Image24(MaxImageSide + 1, 1), Exception);
}

TEST(Image32, PixelIgnoresTheFourthByte) {
  Image32 image(2, 2);
  image.PixelAddress(1, 1)[3] = 0x77;
  image.SetPixel(1, 1, 0x102030);
  EXPECT_EQ(image.PixelAddress(1, 1)[3], 0x77);
  TacFast32 fast;
  ASSERT_TRUE(fast.Attach(image));
  EXPECT_EQ(fast.Pixel(1, 1), 0x102030);
}

TEST(ClampByte, LimitsToAByte) {
  EXPECT_EQ(ClampByte(-5), 0);
  EXPECT_EQ(ClampByte(300), 255);
  EXPECT_EQ(ClampByte(77), 77);
}

TEST(TacFast24, RefusesImagesNarrowerOrLowerThanTwoPixels) {
  TacFast24 fast;
  Image24 narrow(1, 10);
  EXPECT_FALSE(fast.Attach(narrow));
  EXPECT_EQ(fast.Width, 0);
  Image24 low(10, 1);
  EXPECT_FALSE(fast.Attach(low));
  Image24 ok(2, 2, RowOrder::BottomUp);
  ok.SetPixel(1, 0, 0x0000FF);
  ASSERT_TRUE(fast.Attach(ok));
  EXPECT_EQ(fast.Stride, ok.Stride());
  EXPECT_EQ(fast.Pixel(1, 0), 0x0000FF);
}
