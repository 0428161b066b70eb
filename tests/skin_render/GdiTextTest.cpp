// Captions drawn by GDI into the DIB section behind a cache image, in a section's colours.
#include <gtest/gtest.h>

#include "tests/skin_render/TestSkin.h"
#include "skin/render/SkinText.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "skin/render/win/PaintItemToDC.h"
#include "toolkit/base/Exceptions.h"

namespace {

constexpr TColor Text = 0x000000, Left = 0x0000FF, Top = 0x00FF00, Right = 0xFF0000, Bottom = 0x00FFFF;
constexpr TColor Paper = 0xFFFFFF;

} // namespace

TEST(GdiTextCanvas, ContoursSurroundEveryGlyphPixelOnTheirSide) {
  TestSkin t;
  t.Section("BUTTON").FontColor = {Text, Left, Top, Right, Bottom};
  TsItemData data;
  data.Skin = &t.skin;
  data.SkinSection = "BUTTON";
  ResolveIndexes(data);
  data.Font.Quality = FontQuality::NonAntialiased;
  data.Font.Height = -13;

  Image24 image = CreateDib24(70, 26);
  image.Fill(Paper);
  const TRect room{4, 4, 66, 22};
  {
    GdiTextCanvas canvas(image);
    WriteSkinText(canvas, "Hil", true, false, data, TextFlags::Center | TextFlags::VCenter | TextFlags::SingleLine,
                  room);
  }
  auto glyph = [&](int x, int y) { return image.Contains(x, y) && image.Pixel(x, y) == Text; };
  int glyphPixels = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const bool inside = x >= room.Left && x < room.Right && y >= room.Top && y < room.Bottom;
      if (glyph(x, y)) {
        ++glyphPixels;
        ASSERT_TRUE(inside) << x << "," << y;
        continue;
      }
      // Later contours cover earlier ones: left, top, right, bottom, then the text itself.
      TColor expected = Paper;
      if (inside) {
        if (glyph(x + 1, y)) expected = Left;
        if (glyph(x, y + 1)) expected = Top;
        if (glyph(x - 1, y)) expected = Right;
        if (glyph(x, y - 1)) expected = Bottom;
      }
      ASSERT_EQ(image.Pixel(x, y), expected) << x << "," << y;
    }
  EXPECT_GT(glyphPixels, 20);
}

TEST(GdiTextCanvas, WidthsAndClipsFollowTheFont) {
  Image24 image = CreateDib24(40, 20);
  image.Fill(Paper);
  GdiTextCanvas canvas(image);
  canvas.Font.Quality = FontQuality::NonAntialiased;
  const int narrow = canvas.TextWidth("iii");
  canvas.Font.Height = -20;
  EXPECT_GT(canvas.TextWidth("iii"), narrow);
  EXPECT_EQ(canvas.TextWidth(""), 0);
  {
    const CanvasClip clip(canvas, TRect{0, 0, 1, 1});
    canvas.DrawString("WWW", TRect{0, 0, 40, 20}, TextFlags::SingleLine);
  }
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x)
      if (x > 0 || y > 0) {
        ASSERT_EQ(image.Pixel(x, y), Paper) << x << "," << y;
      }
  EXPECT_THROW(GdiTextCanvas{Image24(4, 4)}, Exception);
}

TEST(GdiTextCanvas, MeasuresCaptionsAsTheyAreDrawnAndTurnsText) {
  Image24 image = CreateDib24(80, 80);
  image.Fill(Paper);
  GdiTextCanvas canvas(image);
  canvas.Font.Name = "Tahoma"; // an outline font: bitmap fonts do not turn
  canvas.Font.Quality = FontQuality::NonAntialiased;
  const TSize line = canvas.TextExtent("Установка");
  EXPECT_GT(line.Width, 0);
  EXPECT_EQ(canvas.TextHeight("W"), line.Height);
  EXPECT_EQ(canvas.TextRectSize("Установка", 200, TextFlags::SingleLine), line);
  const int widestWord = std::max(line.Width, canvas.TextWidth("программы"));
  const TSize wrapped = canvas.TextRectSize("Установка программы", widestWord + 2, TextFlags::WordBreak);
  EXPECT_EQ(wrapped, (TSize{widestWord, 2 * line.Height}));
  EXPECT_EQ(canvas.TextRectSize("", 50, TextFlags::Center | TextFlags::WordBreak).Width, 0);

  canvas.Font.Escapement = -2700; // a quarter turn: the line runs up the image
  canvas.DrawAt("Kelvora", TPoint{30, 76});
  TRect drawn{80, 80, 0, 0};
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.Pixel(x, y) != Paper)
        drawn = {std::min(drawn.Left, x), std::min(drawn.Top, y), std::max(drawn.Right, x + 1),
                 std::max(drawn.Bottom, y + 1)};
  ASSERT_GT(drawn.Width(), 0);
  EXPECT_GT(drawn.Height(), 2 * drawn.Width());
  EXPECT_LE(drawn.Bottom, 77);
}

TEST(PaintSkinItemToDC, CopiesThePaintedItemIntoTheRectangle) {
  TestSkin t;
  t.Section("PANEL").Color = 0x336699;
  Image24 screen = CreateDib24(10, 8);
  screen.Fill(0);
  {
    const ImageSurface surface(screen);
    PaintSkinItemToDC(0, "PANEL", TCacheInfo{}, &t.skin, surface.Handle(), TPoint{}, RECT{2, 3, 7, 8}, 0, true);
  }
  EXPECT_EQ(screen.Pixel(2, 3), 0x336699);
  EXPECT_EQ(screen.Pixel(6, 7), 0x336699);
  EXPECT_EQ(screen.Pixel(1, 3), 0);
  EXPECT_EQ(screen.Pixel(7, 7), 0);
}
