#include <gtest/gtest.h>

#include "skin/pixels/Blending.h"
#include "skin/pixels/win/DibStorage.h"

TEST(DibStorage, ImagesAreBottomUpDibSections) {
  Image24 image = CreateDib24(5, 3);
  ASSERT_NE(DibHandle(image), nullptr);
  EXPECT_EQ(image.Stride(), -16);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(DibHandle(image), sizeof(section), &section), int(sizeof(section)));
  EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
  // Row 0 is the last row of the section's memory.
  EXPECT_EQ(image.Row0(), static_cast<uint8_t *>(section.dsBm.bmBits) + 2 * 16);
  EXPECT_EQ(CreateDib24(0, 3).NativeHandle(), nullptr);
}

TEST(DibStorage, GdiAndThePixelLoopsShareTheMemory) {
  Image24 image = CreateDib24(4, 4);
  {
    ImageSurface surface(image);
    const RECT rect{1, 1, 3, 2};
    FillRectColor(surface.Handle(), rect, 0x102030);
  }
  EXPECT_EQ(image.Pixel(1, 1), 0x102030);
  EXPECT_EQ(image.Pixel(2, 1), 0x102030);
  EXPECT_EQ(image.Pixel(1, 2), 0);

  FillRectColor(image, TRect{0, 3, 1, 4}, 0x0000FF);
  ImageSurface surface(image);
  EXPECT_EQ(GetPixel(surface.Handle(), 0, 3), 0x0000FF);
}

TEST(DibStorage, CloneStaysADibSectionAndSystemColoursResolve) {
  Image32 image = CreateDib32(3, 2);
  image.SetPixel(2, 1, 0xABCDEF);
  Image32 copy = image.Clone();
  ASSERT_NE(DibHandle(copy), nullptr);
  EXPECT_NE(DibHandle(copy), DibHandle(image));
  EXPECT_EQ(copy.Pixel(2, 1), 0xABCDEF);
  EXPECT_EQ(ColorToRgb(static_cast<TColor>(0x80000000u | COLOR_WINDOW)), TColor(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(ColorToRgb(0x00123456), 0x123456);
}
