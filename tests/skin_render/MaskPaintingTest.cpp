#include <gtest/gtest.h>

#include "tests/skin_render/TestSkin.h"
#include "skin/render/MaskPainting.h"

namespace {

// Frame k of an unmasked picture: red tells the frame and column, green the row.
TColor FramePixel(int k, int x, int y) { return RgbColor(uint8_t(100 * k + 10 * x + 1), uint8_t(10 * y + 1), 50); }

// Where a tiled nine-part border takes target position t from: the outer borders as they are, the middle
// repeating the frame's middle pieces.
int TiledSource(int t, int size, int border, int frameSize) {
  if (t < border) return t;
  if (t >= size - border) return frameSize - (size - t);
  return border + (t - border) % (frameSize - 2 * border);
}

// Two 4 x 4 frames side by side with one-pixel borders.
struct TwoFrames : TestSkin {
  int index;
  explicit TwoFrames(int stretchMode) : TestSkin(8, 4) {
    Paint(TRect{0, 0, 8, 4}, [](int x, int y) { return FramePixel(x / 4, x % 4, y); });
    index = Mask("S", "BORDERSMASK", TRect{0, 0, 8, 4}, 2, 0, stretchMode, {1, 1, 1, 1});
  }
};

// Three 3 x 3 frames over their masks: frame k is gray 40 + 60 k; the mask is 0 in the corners, 128 on the
// edges and 255 in the centre.
struct MaskedFrames : TestSkin {
  int index;
  explicit MaskedFrames(int stretchMode = BorderStretch::FillsCentre) : TestSkin(9, 6) {
    Paint(TRect{0, 0, 9, 3}, [](int x, int) { return Gray(40 + 60 * (x / 3)); });
    Paint(TRect{0, 3, 9, 6}, [](int x, int y) {
      const int edges = (x % 3 == 1) + (y == 1);
      return Gray(edges == 0 ? 0 : edges == 1 ? 128 : 255);
    });
    index = Mask("S", "BORDERSMASK", TRect{0, 0, 9, 6}, 3, 1, stretchMode, {1, 1, 1, 1});
  }
};

} // namespace

TEST(DrawBorderMask, TilesEdgesAndCentreOfTheStateFrameAroundFixedBorders) {
  TwoFrames t(BorderStretch::FillsCentre);
  for (int width : {6, 7}) // the middle an exact multiple of the piece, and one with a cut piece
    for (int state : {0, 1, 5}) {
      Image24 target = Filled(width, 6, 0);
      DrawBorderMask(target, TRect{0, 0, width, 6}, true, TCacheInfo{}, t.skin, t.index, state, false);
      const int frame = std::min(state, 1);
      for (int y = 0; y < 6; ++y)
        for (int x = 0; x < width; ++x)
          ASSERT_EQ(target.Pixel(x, y), FramePixel(frame, TiledSource(x, width, 1, 4), TiledSource(y, 6, 1, 4)))
              << "width " << width << " state " << state << " at " << x << "," << y;
    }
}

TEST(DrawBorderMask, StretchesEdgesAndCentreWithAveragedPixels) {
  TwoFrames t(BorderStretch::Stretched | BorderStretch::FillsCentre);
  Image24 target = Filled(7, 6, 0);
  DrawBorderMask(target, TRect{0, 0, 7, 6}, true, TCacheInfo{}, t.skin, t.index, 0, false);
  // The two middle columns spread over five: 1, 1, their average, 2, 2; the two middle rows over four.
  const int reds[7] = {1, 11, 11, 16, 21, 21, 31};
  const int greens[6] = {1, 11, 11, 21, 21, 31};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x)
      ASSERT_EQ(target.Pixel(x, y), RgbColor(uint8_t(reds[x]), uint8_t(greens[y]), 50)) << x << "," << y;
}

TEST(DrawBorderMask, CentreOnlyWithFillAndItsStretchModeBit) {
  for (bool fill : {false, true}) {
    TwoFrames t(0);
    Image24 target = Filled(5, 5, 0x123456);
    DrawBorderMask(target, TRect{0, 0, 5, 5}, fill, TCacheInfo{}, t.skin, t.index, 0, false);
    EXPECT_EQ(target.Pixel(2, 2), 0x123456);
    EXPECT_EQ(target.Pixel(1, 0), FramePixel(0, 1, 0));
  }
}

TEST(DrawBorderMask, NarrowRectangleShrinksBothBordersAndTakesTheRightCornerAfterTheCentre) {
  TestSkin t(12, 3);
  t.Paint(TRect{0, 0, 12, 3}, [](int x, int y) { return FramePixel(0, x, y); });
  const int index = t.Mask("S", "BORDERSMASK", TRect{0, 0, 12, 3}, 1, 0, 0, {5, 1, 5, 1});
  Image24 target = Filled(7, 3, 0);
  DrawBorderMask(target, TRect{0, 0, 7, 3}, true, TCacheInfo{}, t.skin, index, 0, false);
  // Left part 4 wide, right part 5 - 1 - 1 = 3 wide; the right one starts after the left part and the
  // frame's centre (12 - 5 - 5 = 2 wide), at column 4 + 2.
  const int columns[7] = {0, 1, 2, 3, 6, 7, 8};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x)
      ASSERT_EQ(target.Pixel(x, y), FramePixel(0, columns[x], y)) << x << "," << y;
}

TEST(DrawBorderMask, NotDrawnInTheNormalStateWithItsStretchModeBit) {
  TwoFrames t(BorderStretch::NotInNormalState);
  Image24 target = Filled(4, 4, 0x123456);
  DrawBorderMask(target, TRect{0, 0, 4, 4}, false, TCacheInfo{}, t.skin, t.index, 0, false);
  EXPECT_EQ(target.Pixel(0, 0), 0x123456);
  DrawBorderMask(target, TRect{0, 0, 4, 4}, false, TCacheInfo{}, t.skin, t.index, 1, false);
  EXPECT_EQ(target.Pixel(0, 0), FramePixel(1, 0, 0));
}

TEST(DrawBorderMask, MaskedFramesWeighEachPixelByItsMask) {
  MaskedFrames t;
  for (int state : {0, 2, 3}) {
    Image24 target = Filled(5, 5, Gray(200));
    DrawBorderMask(target, TRect{0, 0, 5, 5}, true, TCacheInfo{}, t.skin, t.index, state, false);
    const int s = 40 + 60 * std::min(state, 2);
    EXPECT_EQ(target.Pixel(0, 0), Gray(s)) << state;                          // mask 0: the picture
    EXPECT_EQ(target.Pixel(2, 0), Gray((s * 128 + 200 * 128) >> 8)) << state; // mask 128 on the edges
    EXPECT_EQ(target.Pixel(4, 3), Gray((s * 128 + 200 * 128) >> 8)) << state;
    EXPECT_EQ(target.Pixel(2, 2), Gray((s * 1 + 200 * 255) >> 8)) << state; // mask 255 in the centre
  }
  EXPECT_EQ((40 * 128 + 200 * 128) >> 8, 120);
}

TEST(DrawBorderMask, KeyColouredMaskedCornerShowsTheParentOrKeyFillOrTheKey) {
  MaskedFrames t;
  t.Paint(0, 0, KeyColor);
  const Image24 parent = Positional(10, 10);
  Image24 target = Filled(4, 4, Gray(200));
  DrawBorderMask(target, TRect{0, 0, 4, 4}, false, TCacheInfo{&parent, 3, 2, true}, t.skin, t.index, 0, false);
  EXPECT_EQ(target.Pixel(0, 0), parent.Pixel(3, 2));

  target.Fill(Gray(200));
  DrawBorderMask(target, TRect{0, 0, 4, 4}, false, TCacheInfo{}, t.skin, t.index, 0, false);
  EXPECT_EQ(target.Pixel(0, 0), KeyColor);

  DrawBorderMask(target, TRect{0, 0, 4, 4}, false, TCacheInfo{}, t.skin, t.index, 0, false, 0x0A0B0C);
  EXPECT_EQ(target.Pixel(0, 0), 0x0A0B0C);
}

TEST(DrawBorderMask, KeyColouredPlainCornerShowsTheParentOnlyWhenAskedTo) {
  TwoFrames t(0);
  t.Paint(0, 0, KeyColor);
  const Image24 parent = Positional(10, 10);
  Image24 target = Filled(4, 4, 0x123456);
  DrawBorderMask(target, TRect{0, 0, 4, 4}, false, TCacheInfo{&parent, 5, 1, true}, t.skin, t.index, 0, false);
  EXPECT_EQ(target.Pixel(0, 0), 0x123456);
  DrawBorderMask(target, TRect{0, 0, 4, 4}, false, TCacheInfo{&parent, 5, 1, true}, t.skin, t.index, 0, true);
  EXPECT_EQ(target.Pixel(0, 0), parent.Pixel(5, 1));
}

TEST(DrawStateImage, CopiesOrHalfBlendsAnUnmaskedFrameSkippingKeys) {
  TwoFrames t(0);
  t.Paint(4, 0, KeyColor); // frame 1, top-left
  Image24 target = Filled(6, 6, Gray(201));
  DrawStateImage(target, TPoint{1, 1}, 1, t.skin, t.index, 1);
  EXPECT_EQ(target.Pixel(1, 1), Gray(201));
  EXPECT_EQ(target.Pixel(2, 1), FramePixel(1, 1, 0));
  EXPECT_EQ(target.Pixel(5, 5), Gray(201));

  target.Fill(Gray(201));
  DrawStateImage(target, TPoint{-1, 0}, 0, t.skin, t.index, 0);
  // The frame's column 1 lands on column 0, half and half; blue 125.5 rounds to even.
  EXPECT_EQ(target.Pixel(0, 0),
            RgbColor(uint8_t((11 + 201 + 1) / 2), uint8_t((1 + 201) / 2), uint8_t((50 + 201 + 1) / 2)));
}

TEST(DrawStateImage, MaskedFrameLetsMoreBackgroundThroughOutsideMode1) {
  TestSkin t(2, 4);
  t.Paint(TRect{0, 0, 2, 2}, [](int, int) { return Gray(0); });
  t.Paint(TRect{0, 2, 2, 4}, [](int, int) { return Gray(100); });
  t.Paint(1, 1, KeyColor);
  const int index = t.Mask("S", "GLYPH", TRect{0, 0, 2, 4}, 1, 1);
  Image24 target = Filled(2, 2, Gray(255));
  DrawStateImage(target, TPoint{0, 0}, 0, t.skin, index, 1);
  EXPECT_EQ(target.Pixel(0, 0), Gray(255 * 100 >> 8));
  EXPECT_EQ(target.Pixel(1, 1), Gray(255)); // key pixels are left alone
  target.Fill(Gray(255));
  DrawStateImage(target, TPoint{0, 0}, 0, t.skin, index, 0);
  EXPECT_EQ(target.Pixel(0, 0), Gray(255 * 200 >> 8));
}

namespace {

// A 2 x 2 masked tile whose mask shows the picture fully: red tells the column, green the row.
struct MaskedTile : TestSkin {
  int index;
  explicit MaskedTile(int mode) : TestSkin(2, 4) {
    Paint(TRect{0, 0, 2, 2}, [](int x, int y) { return RgbColor(uint8_t(10 + x), uint8_t(20 + y), 30); });
    Paint(TRect{0, 2, 2, 4}, [](int, int) { return Gray(0); });
    index = Mask("S", "PATTERN", TRect{0, 0, 2, 4}, 1, 1, mode, {}, TacImgType::itisaTexture);
  }
  TColor TilePixel(int x, int y) const { return RgbColor(uint8_t(10 + x % 2), uint8_t(20 + y % 2), 30); }
};

} // namespace

TEST(DrawMaskedTexture, Mode0CoversTheWholeRectangleCutAtBothEdges) {
  MaskedTile t(0);
  Image24 target = Filled(6, 6, 0);
  TRect r{1, 1, 6, 4};
  DrawMaskedTexture(target, r, TCacheInfo{}, 0, t.skin, t.index);
  EXPECT_EQ(r, (TRect{-1, -1, -1, -1}));
  for (int y = 1; y < 4; ++y)
    for (int x = 1; x < 6; ++x)
      ASSERT_EQ(target.Pixel(x, y), t.TilePixel(x - 1, y - 1)) << x << "," << y;
  EXPECT_EQ(target.Pixel(1, 4), 0);
}

TEST(DrawMaskedTexture, Mode10LaysWholeTilesAndShowsTheParentAroundThem) {
  MaskedTile t(10);
  const Image24 parent = Positional(20, 20);
  Image24 target = Filled(5, 5, 0);
  TRect r{0, 0, 5, 5};
  DrawMaskedTexture(target, r, TCacheInfo{&parent, 2, 3, true}, 10, t.skin, t.index);
  EXPECT_EQ(target.Pixel(3, 3), t.TilePixel(1, 1));
  EXPECT_EQ(target.Pixel(4, 0), parent.Pixel(6, 3));
  EXPECT_EQ(target.Pixel(0, 4), parent.Pixel(2, 7));

  Image24 small = Filled(2, 2, 0);
  TRect oneTile{0, 0, 2, 2};
  DrawMaskedTexture(small, oneTile, TCacheInfo{&parent, 2, 3, true}, 10, t.skin, t.index);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x)
      EXPECT_EQ(small.Pixel(x, y), parent.Pixel(2 + x, 3 + y));
}

TEST(DrawMaskedTexture, Mode10WithoutParentUsesKeyFillColorOrLeavesTheBackground) {
  MaskedTile t(10);
  Image24 target = Filled(3, 3, 0x123456);
  TRect r{0, 0, 3, 3};
  DrawMaskedTexture(target, r, TCacheInfo{}, 10, t.skin, t.index);
  EXPECT_EQ(target.Pixel(2, 2), 0x123456);
  r = TRect{0, 0, 3, 3};
  DrawMaskedTexture(target, r, TCacheInfo{}, 10, t.skin, t.index, 0x00AA00);
  EXPECT_EQ(target.Pixel(2, 2), 0x00AA00);
  EXPECT_EQ(target.Pixel(0, 0), t.TilePixel(0, 0));
}

namespace {

// Three 4 x 4 masked frames (borders WL = WR = 2, WT = 2, WB = 1); frame 1 has key pixels in its top-right
// block (rows 0 and 1) and its bottom-left block; frame 0 has none.
struct CorneredFrames : TestSkin {
  int index;
  CorneredFrames() : TestSkin(12, 8) {
    Paint(TRect{0, 0, 12, 8}, [](int, int y) { return Gray(y < 4 ? 90 : 0); });
    Paint(7, 0, KeyColor);
    Paint(6, 1, KeyColor);
    Paint(7, 1, KeyColor);
    Paint(4, 3, KeyColor);
    index = Mask("S", "BORDERSMASK", TRect{0, 0, 12, 8}, 3, 1, 0, {2, 2, 2, 1});
  }
};

} // namespace

TEST(RestoreCorners, CopiesTheParentsPixelsUnderKeyPixelsOfTheStatesFrame) {
  CorneredFrames t;
  const Image24 parent = Positional(30, 30);
  TsParentLink link{true, 0x0000FF, {}, [] { return true; }};
  Image24 cache = Filled(6, 5, Gray(50));
  RestoreCorners(cache, t.skin, t.index, 1, link, TCacheInfo{&parent, 1, 1, true}, TPoint{4, 6});
  EXPECT_EQ(cache.Pixel(5, 0), parent.Pixel(10, 7));
  EXPECT_EQ(cache.Pixel(4, 1), parent.Pixel(9, 8));
  EXPECT_EQ(cache.Pixel(5, 1), parent.Pixel(10, 8));
  EXPECT_EQ(cache.Pixel(0, 4), parent.Pixel(5, 11));
  EXPECT_EQ(cache.Pixel(4, 0), Gray(50));

  Image24 normal = Filled(6, 5, Gray(50));
  RestoreCorners(normal, t.skin, t.index, 0, link, TCacheInfo{&parent, 1, 1, true}, TPoint{4, 6});
  EXPECT_EQ(normal.Pixel(5, 0), Gray(50));
}

TEST(RestoreCorners, UsesThePlainColourOfAParentWithoutOwnBackgroundOrCache) {
  CorneredFrames t;
  const Image24 parent = Positional(30, 30);
  TsParentLink link{true, 0x0000FF, [] { return std::optional<TColor>(0x445566); }, [] { return false; }};
  Image24 cache = Filled(6, 5, Gray(50));
  RestoreCorners(cache, t.skin, t.index, 1, link, TCacheInfo{&parent, 0, 0, true}, TPoint{4, 6},
                 ctTopRight | ctBottomRight);
  EXPECT_EQ(cache.Pixel(5, 0), 0x445566);
  EXPECT_EQ(cache.Pixel(0, 4), Gray(50)); // bottom-left was not asked for
  RestoreCorners(cache, t.skin, t.index, 1, link, TCacheInfo{}, TPoint{4, 6});
  EXPECT_EQ(cache.Pixel(0, 4), 0x0000FF);
}

TEST(DrawBorderShaped, LeavesKeyCornerPixelsUnpaintedAndCutsTheirRuns) {
  TestSkin t(4, 4);
  t.Paint(TRect{0, 0, 4, 4}, [](int x, int y) { return FramePixel(0, x, y); });
  t.Paint(0, 0, KeyColor);
  t.Paint(1, 0, KeyColor);
  t.Paint(3, 3, KeyColor);
  const int index = t.Mask("S", "BORDERSMASK", TRect{0, 0, 4, 4}, 1, 0, 0, {2, 1, 1, 1});
  Image24 target = Filled(6, 5, 0x123456);
  std::vector<TRect> cuts;
  DrawBorderShaped(target, cuts, false, 0, t.skin, index);
  EXPECT_EQ(cuts, (std::vector<TRect>{{0, 0, 2, 1}, {5, 4, 6, 5}}));
  EXPECT_EQ(target.Pixel(0, 0), 0x123456);
  EXPECT_EQ(target.Pixel(5, 4), 0x123456);
  EXPECT_EQ(target.Pixel(4, 4), FramePixel(0, 2, 3));
}

// A picture of its own whose frame count is 0: no state image, three masked frames for the corners,
// one frame over the whole picture for a window shape.
TEST(FrameCountZero, EachPainterFollowsItsOwnRule) {
  TestSkin t;
  Image24 own(6, 4); // read as three masked frames: 2 x 2 pictures over their masks
  own.Fill(Gray(0));
  own.SetPixel(2, 0, KeyColor); // top-left pixel of frame 1
  own.SetPixel(5, 3, KeyColor); // bottom-right pixel of the whole picture
  const int index = t.Mask("S", "BORDERSMASK", TRect{0, 0, 6, 4}, 0, 0, 0, {1, 1, 1, 1});
  t.skin.Masks[index].Image = std::make_unique<Image24>(own.Clone());

  Image24 target = Filled(6, 4, 0x123456);
  DrawStateImage(target, TPoint{0, 0}, 0, t.skin, index, 1);
  EXPECT_EQ(target.Pixel(0, 0), 0x123456);

  TsParentLink link{true, 0x0000FF, {}, [] { return false; }};
  Image24 cache = Filled(4, 4, Gray(50));
  RestoreCorners(cache, t.skin, index, 1, link, TCacheInfo{}, TPoint{});
  EXPECT_EQ(cache.Pixel(0, 0), 0x0000FF);
  EXPECT_EQ(cache.Pixel(3, 3), Gray(50));

  std::vector<TRect> cuts;
  DrawBorderShaped(target, cuts, false, 0, t.skin, index);
  EXPECT_EQ(cuts, (std::vector<TRect>{{5, 3, 6, 4}}));
}

TEST(CornerKeyRuns, ListsTheFirstFramesCornerRunsPlacedAtTheWindowsEdges) {
  CorneredFrames t;
  t.Paint(0, 0, KeyColor);
  t.Paint(1, 0, KeyColor);
  t.Paint(3, 1, KeyColor);
  t.Paint(0, 3, KeyColor);
  std::vector<TRect> top, bottom;
  CornerKeyRuns(top, 50, t.skin, t.index, false, 10);
  EXPECT_EQ(top, (std::vector<TRect>{{0, 10, 2, 11}, {49, 11, 50, 12}}));
  CornerKeyRuns(bottom, 50, t.skin, t.index, true, 0);
  EXPECT_EQ(bottom, (std::vector<TRect>{{0, 0, 1, 1}}));
}
