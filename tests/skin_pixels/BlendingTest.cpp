#include <gtest/gtest.h>

#include "skin/pixels/Blending.h"
#include "skin/pixels/PixelAccess.h"

namespace {

Image24 Filled(int width, int height, TColor color, RowOrder order = RowOrder::TopDown) {
  Image24 image(width, height, order);
  image.Fill(color);
  return image;
}

// A picture whose every pixel tells where it lies: red = 10 * x, green = 10 * y, blue = 7.
Image24 Positional(int width, int height, RowOrder order = RowOrder::TopDown) {
  Image24 image(width, height, order);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y, RgbColor(uint8_t(10 * x), uint8_t(10 * y), 7));
  return image;
}

} // namespace

TEST(TacFastSum24, WeightsAddUpTo255WithRounding) {
  Image24 target = Filled(2, 2, 0xFFFFFF);
  Image24 source = Filled(2, 2, 0x000000);
  BlendImage(target, source, 255);
  EXPECT_EQ(target.Pixel(0, 0), 0xFEFEFE); // 255 becomes 254 whatever the source
  target.Fill(0xFFFFFF);
  BlendImage(target, source, 0);
  EXPECT_EQ(target.Pixel(1, 1), 0x000000); // 127 shr 8
  target.Fill(RgbColor(200, 200, 200));
  source.Fill(RgbColor(100, 100, 100));
  BlendImage(target, source, 128);
  EXPECT_EQ(target.Pixel(1, 0), RgbColor(150, 150, 150)); // (25600 + 12700 + 127) shr 8
}

TEST(TacFastSum24, BlendsEveryByteAlikeAcrossMixedRowOrders) {
  Image24 target = Filled(3, 2, RgbColor(0, 100, 255), RowOrder::BottomUp);
  Image24 source = Filled(3, 2, RgbColor(255, 0, 100), RowOrder::TopDown);
  source.SetPixel(2, 1, RgbColor(0, 0, 0));
  BlendImage(target, source, 128);
  // red (0*128 + 255*127 + 127) >> 8 = 127; green (100*128 + 127) >> 8 = 50; blue (255*128 + 100*127 + 127) >> 8 = 177
  EXPECT_EQ(target.Pixel(0, 0), RgbColor(127, 50, 177));
  EXPECT_EQ(target.Pixel(2, 1), RgbColor(0, 50, 127));
}

TEST(BlendImage, DoesNothingForImagesOfDifferentSizes) {
  Image24 target = Filled(3, 3, 0x808080);
  Image24 source = Filled(3, 2, 0x000000);
  BlendImage(target, source, 0);
  EXPECT_EQ(target.Pixel(1, 1), 0x808080);
}

TEST(BlendImageAt, NegativePointDrawsOnlyTheShiftedPartInsideTheTarget) {
  Image24 target = Filled(4, 4, 0x000000);
  Image24 source = Positional(4, 4);
  BlendImageAt(target, source, 0, TPoint{-1, -2}, TRect{0, 0, 4, 4});
  // target (x, y) takes source (x + 1, y + 2) for x 0..2 and y 0..1; weight 0 keeps (s * 255 + 127) shr 8
  EXPECT_EQ(target.Pixel(0, 0), RgbColor(10, 20, 7));
  EXPECT_EQ(target.Pixel(2, 1), RgbColor(30, 30, 7));
  EXPECT_EQ(target.Pixel(3, 0), 0);
  EXPECT_EQ(target.Pixel(0, 2), 0);
}

TEST(BlendImageAt, SourceRectIsCutAtTheTargetEdges) {
  Image24 target = Filled(3, 3, 0x000000);
  Image24 source = Positional(5, 5);
  BlendImageAt(target, source, 0, TPoint{2, 2}, TRect{1, 1, 5, 5});
  EXPECT_EQ(target.Pixel(2, 2), RgbColor(10, 10, 7));
  EXPECT_EQ(target.Pixel(1, 1), 0);
}

TEST(BlendRectColor, RoundsHalvesToEvenInAnInclusiveRect) {
  Image24 image = Filled(3, 3, RgbColor(101, 101, 101));
  BlendRectColor(image, TRect{1, 1, 1, 1}, 50, RgbColor(0, 1, 2));
  // 50.5 -> 50, 51.0 -> 51, 51.5 -> 52
  EXPECT_EQ(image.Pixel(1, 1), RgbColor(50, 51, 52));
  EXPECT_EQ(image.Pixel(0, 0), RgbColor(101, 101, 101));
  EXPECT_EQ(image.Pixel(2, 2), RgbColor(101, 101, 101));
}

TEST(BlendRectColor, PercentHundredKeepsZeroPaintsAndTheRectIsClipped) {
  Image24 image = Filled(2, 2, RgbColor(10, 20, 30));
  BlendRectColor(image, TRect{-5, -5, 99, 99}, 100, 0xFFFFFF);
  EXPECT_EQ(image.Pixel(1, 1), RgbColor(10, 20, 30));
  BlendRectColor(image, TRect{-5, -5, 99, 99}, 0, RgbColor(1, 2, 3));
  EXPECT_EQ(image.Pixel(0, 0), RgbColor(1, 2, 3));
  EXPECT_EQ(image.Pixel(1, 1), RgbColor(1, 2, 3));
}

TEST(TintByMask, DarkMaskGivesTheColourWhiteMaskKeepsTheTarget) {
  Image24 target = Filled(2, 2, RgbColor(200, 200, 200));
  Image24 mask = Filled(2, 2, RgbColor(255, 128, 0));
  TintByMask(target, mask, RgbColor(0, 0, 100));
  // red: (200 * 255) >> 8 = 199; green: (200 * 128) >> 8 = 100; blue: (100 * 0 + 100 * 256) >> 8 = 100
  EXPECT_EQ(target.Pixel(1, 1), RgbColor(199, 100, 100));
  Image24 other = Filled(3, 2, 0);
  TintByMask(other, mask, 0xFFFFFF);
  EXPECT_EQ(other.Pixel(0, 0), 0);
}

TEST(CopyKeyed, SkipsKeyPixelsAndPixelsOutsideTheTarget) {
  Image24 target = Filled(3, 3, 0x111111);
  Image24 source = Filled(2, 2, 0x222222);
  source.SetPixel(1, 1, KeyColor);
  CopyKeyed(target, source, 2, 2, KeyColor);
  EXPECT_EQ(target.Pixel(2, 2), 0x222222);
  EXPECT_EQ(target.Pixel(1, 1), 0x111111);
  CopyKeyed(target, source, -1, -1, KeyColor);
  EXPECT_EQ(target.Pixel(0, 0), 0x111111); // source (1, 1) is the key
}

TEST(CopyRectKeyed, CopiesAnInclusiveRectangle) {
  Image24 target = Filled(4, 4, 0);
  Image24 source = Positional(4, 4, RowOrder::BottomUp);
  CopyRectKeyed(target, source, 1, KeyColor, TRect{1, 2, 2, 3}, 0);
  EXPECT_EQ(target.Pixel(1, 0), RgbColor(10, 20, 7));
  EXPECT_EQ(target.Pixel(2, 1), RgbColor(20, 30, 7));
  EXPECT_EQ(target.Pixel(3, 0), 0);
  EXPECT_EQ(target.Pixel(1, 2), 0);
}

TEST(CopyRectKeyed, RectBeyondTheSourceIsClippedWithoutMovingPixels) {
  Image24 target = Filled(4, 4, 0);
  Image24 source = Positional(3, 3);
  CopyRectKeyed(target, source, 0, KeyColor, TRect{-1, -1, 9, 9}, 0);
  // source (0, 0) still lands at (1, 1): the cut-off part moved the position
  EXPECT_EQ(target.Pixel(1, 1), RgbColor(0, 0, 7));
  EXPECT_EQ(target.Pixel(3, 3), RgbColor(20, 20, 7));
  EXPECT_EQ(target.Pixel(0, 0), 0);
}

TEST(CopyRectKeyedParent, KeyPixelsReproduceTheParentCacheAtTheOffset) {
  Image24 parent = Positional(6, 6, RowOrder::BottomUp);
  Image24 source = Filled(3, 3, KeyColor);
  source.SetPixel(1, 1, 0xABCDEF);
  Image24 target = Filled(3, 3, 0);
  const TCacheInfo ci{&parent, 2, 1, true};
  CopyRectKeyedParent(target, source, 0, true, ci, KeyColor, TRect{0, 0, 2, 2}, 0);
  EXPECT_EQ(target.Pixel(0, 0), parent.Pixel(2, 1));
  EXPECT_EQ(target.Pixel(2, 2), parent.Pixel(4, 3));
  EXPECT_EQ(target.Pixel(1, 1), 0xABCDEF);
}

TEST(CopyRectKeyedParent, WithoutParentOrOutsideItKeyPixelsAreSkipped) {
  Image24 parent = Positional(3, 3);
  Image24 source = Filled(3, 3, KeyColor);
  Image24 target = Filled(3, 3, 0x010101);
  CopyRectKeyedParent(target, source, 0, false, TCacheInfo{&parent, 0, 0, true}, KeyColor, TRect{0, 0, 2, 2}, 0);
  EXPECT_EQ(target.Pixel(1, 1), 0x010101);
  CopyRectKeyedParent(target, source, 0, true, TCacheInfo{&parent, 0, 0, false}, KeyColor, TRect{0, 0, 2, 2}, 0);
  EXPECT_EQ(target.Pixel(1, 1), 0x010101);
  // Offset (1, 1): parent column 3 is past its right edge, so the rest of each row is skipped;
  // parent row 3 is below it, so row 2 takes nothing.
  CopyRectKeyedParent(target, source, 0, true, TCacheInfo{&parent, 1, 1, true}, KeyColor, TRect{0, 0, 2, 2}, 0);
  EXPECT_EQ(target.Pixel(0, 0), parent.Pixel(1, 1));
  EXPECT_EQ(target.Pixel(1, 1), parent.Pixel(2, 2));
  EXPECT_EQ(target.Pixel(2, 0), 0x010101);
  EXPECT_EQ(target.Pixel(0, 2), 0x010101);
}

TEST(BlendKeyed, FloatingBlendRoundsToEvenAndSkipsTheKey) {
  Image24 target = Filled(2, 2, RgbColor(201, 201, 201));
  Image24 source = Filled(2, 2, RgbColor(100, 100, 100));
  source.SetPixel(1, 1, KeyColor);
  BlendKeyed(target, 0, 0, KeyColor, 0.5, TRect{0, 0, 1, 1}, source);
  EXPECT_EQ(target.Pixel(0, 0), RgbColor(150, 150, 150)); // 150.5 -> 150
  EXPECT_EQ(target.Pixel(1, 1), RgbColor(201, 201, 201));
  BlendKeyed(target, 0, 0, static_cast<TColor>(0xFF000000u | KeyColor), 0.0, TRect{0, 0, 1, 1}, source);
  EXPECT_EQ(target.Pixel(1, 1), KeyColor); // with the high byte set every pixel takes part
}

TEST(BlendKeyed, NegativeRectStartShiftsTheTargetPosition) {
  Image24 target = Filled(3, 3, 0);
  Image24 source = Positional(3, 3);
  BlendKeyed(target, 0, 0, KeyColor, 0.0, TRect{-1, -2, 2, 2}, source);
  EXPECT_EQ(target.Pixel(1, 2), RgbColor(0, 0, 7));
  EXPECT_EQ(target.Pixel(0, 0), 0);
}

TEST(MakeGray, AveragesChannelsAndCanSpareTheKey) {
  Image24 image = Filled(2, 2, RgbColor(10, 20, 31));
  image.SetPixel(0, 0, KeyColor);
  MakeGrayExceptKey(image, KeyColor);
  EXPECT_EQ(image.Pixel(0, 0), KeyColor);
  EXPECT_EQ(image.Pixel(1, 0), RgbColor(20, 20, 20));
  MakeGray(image);
  EXPECT_EQ(image.Pixel(0, 0), RgbColor(170, 170, 170));
}

TEST(ColorBetween, MixesEachByteAndKeepsTheHighByteOfA) {
  EXPECT_EQ(ColorBetween(0x000000, 0xFFFFFF, 0.4), 0x999999); // nearest(0.4 * (0 - 255) + 255) = 153
  EXPECT_EQ(ColorBetween(0x120000FF, 0x000000, 1.0), 0x120000FF);
  EXPECT_EQ(ColorBetween(0x0000FF, 0x000000, 0.5), 0x000080); // 127.5 -> 128
}

TEST(CrossFade32, WritesTheBlendIntoThreeBytesAndKeepsTheFourth) {
  Image24 a = Filled(2, 2, RgbColor(200, 200, 200));
  Image24 b = Filled(2, 2, RgbColor(100, 100, 100));
  Image32 target(2, 2);
  target.PixelAddress(0, 0)[3] = 0x55;
  CrossFade32(target, a, b, 128, nullptr);
  EXPECT_EQ(target.Pixel(0, 0), RgbColor(150, 150, 150)); // (100 * 128 + 25600) >> 8
  EXPECT_EQ(target.PixelAddress(0, 0)[3], 0x55);
  Image24 weights = Filled(2, 2, RgbColor(0, 255, 128));
  CrossFade32(target, a, b, 0, &weights);
  EXPECT_EQ(target.Pixel(1, 1), RgbColor(100, 199, 150));
}

TEST(CrossFade32, EveryByteOfWideRowsFollowsTheFormula) {
  constexpr int width = 150, height = 3; // rows longer than the stretches the blend works in
  auto noise = [](int seed) {
    Image24 image(width, height);
    for (int y = 0; y < height; ++y)
      for (int i = 0; i < 3 * width; ++i)
        image.ScanLine(y)[i] = static_cast<uint8_t>((i * 97 + y * 31 + seed) * 2654435761u >> 24);
    return image;
  };
  const Image24 a = noise(1), b = noise(2), weights = noise(3);
  for (const Image24 *w : {static_cast<const Image24 *>(nullptr), &weights}) {
    Image32 target(width, height);
    CrossFade32(target, a, b, 201, w);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        for (int ch = 0; ch < 3; ++ch) {
          const int pa = a.ScanLine(y)[3 * x + ch], pb = b.ScanLine(y)[3 * x + ch];
          const int v = w ? w->ScanLine(y)[3 * x + ch] : 201;
          ASSERT_EQ(target.ScanLine(y)[4 * x + ch], ((pa - pb) * v + pb * 256) >> 8) << x << "," << y << "," << ch;
        }
  }
}

TEST(FillRectColor, FillsOnlyTheClippedRectangle) {
  Image24 image = Filled(3, 3, 0);
  FillRectColor(image, TRect{-2, 1, 2, 10}, 0x0A0B0C);
  EXPECT_EQ(image.Pixel(0, 1), 0x0A0B0C);
  EXPECT_EQ(image.Pixel(1, 2), 0x0A0B0C);
  EXPECT_EQ(image.Pixel(2, 2), 0);
  EXPECT_EQ(image.Pixel(0, 0), 0);
}
