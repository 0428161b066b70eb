// Hue rotation and saturation change of a loaded skin: single colours, pictures walked by their real row
// layout, and which record colours take part.
#include <gtest/gtest.h>

#include <cstdint>

#include "skin/model/ColorTransformOptions.h"
#include "skin/model/ColorTransforms.h"
#include "skin/model/SystemColors.h"
#include "toolkit/base/Exceptions.h"

namespace {

constexpr TColor Red = RgbColor(255, 0, 0), Green = RgbColor(0, 255, 0);
constexpr TColor Gray = RgbColor(128, 128, 128);
constexpr TColor SlateBlue = 5391682; // r 66, g 69, b 82
constexpr TColor BlueGray = 14604248; // r 216, g 215, b 222
constexpr int HighlightIndex = 13, ButtonFaceIndex = 15;
constexpr TColor StandardHighlight = RgbColor(0x00, 0x78, 0xD7);

TEST(ColorTransforms, WorkedExamples) {
  EXPECT_EQ(RotateHue(Red, 120), Green);
  EXPECT_EQ(RotateHue(SlateBlue, 180), RgbColor(82, 79, 66));
  EXPECT_EQ(RotateHue(BlueGray, 90), RgbColor(222, 215, 217));
  EXPECT_EQ(ChangeSaturation(RgbColor(200, 100, 0), -100), RgbColor(100, 100, 100));
  EXPECT_EQ(ChangeSaturation(BlueGray, -100), RgbColor(218, 218, 218));
  EXPECT_EQ(ChangeSaturation(SlateBlue, 50), RgbColor(63, 67, 87));
  // Hue 10 turned by -30 is hue 340.
  EXPECT_EQ(RotateHue(RgbColor(240, 40, 0), -30), RgbColor(240, 0, 80));
  // Offsets far beyond a turn, and saturations beyond 100, wrap around.
  EXPECT_EQ(RotateHue(Red, 120 + 360 * 1000), Green);
  EXPECT_EQ(RotateHue(Red, INT32_MIN), RotateHue(Red, INT32_MIN % 360));
  EXPECT_EQ(ChangeSaturation(SlateBlue, 101), SlateBlue);
  EXPECT_EQ(ChangeSaturation(SlateBlue, 151), ChangeSaturation(SlateBlue, 50));
  EXPECT_EQ(ChangeSaturation(SlateBlue, INT32_MIN), ChangeSaturation(SlateBlue, INT32_MIN % 101)); // no overflow
}

// Five pixels make rows of 15 bytes padded to 16; bottom-up images run from the last row in memory.
TEST(ColorTransforms, PicturesKeepKeyAndGrayPixelsAndTheirRowPadding) {
  constexpr uint8_t PaddingMark = 0xA5;
  const TColor row[] = {KeyColor, Gray, Red, Green, SlateBlue};
  // Green turned by 180 would be the key colour; it takes the nearest other colour instead.
  const TColor expected[] = {KeyColor, Gray, RgbColor(0, 255, 255), RgbColor(255, 1, 255), RgbColor(82, 79, 66)};
  for (RowOrder order : {RowOrder::TopDown, RowOrder::BottomUp}) {
    Image24 image(5, 3, order);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x)
        image.SetPixel(x, y, row[x]);
      image.ScanLine(y)[15] = PaddingMark;
    }
    RecolorImage(image, {180, 0});
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(image.Pixel(x, y), expected[x]) << x << "," << y;
      EXPECT_EQ(image.ScanLine(y)[15], PaddingMark) << y;
    }
  }
}

TsSkin SkinInRed() {
  TsSkin skin;
  skin.MasterBitmap = Image24(3, 2);
  skin.MasterBitmap.Fill(Red);
  skin.Masks.resize(2);
  skin.Masks[1].Image = std::make_unique<Image24>(3, 2);
  skin.Masks[1].Image->Fill(Red);
  skin.Patterns.resize(1);
  skin.Patterns[0].Image = std::make_unique<Image24>(3, 2);
  skin.Patterns[0].Image->Fill(Red);

  TsGeneralData &gd = skin.GeneralData.emplace_back();
  gd.Color = Red;
  gd.HotColor = SystemColorValue(HighlightIndex);
  gd.FontColor = {KeyColor, Red, NoColor, NoColor, NoColor};
  gd.HotFontColor = {SystemColorValue(ButtonFaceIndex), NoColor, NoColor, NoColor, Red};
  gd.GradientArray = {{Red, KeyColor, 50, 0}, {NoColor, Red, 50, 0}};
  gd.HotGradientArray = {{Red, Red, 100, 1}};
  gd.ShadowColor = gd.BorderColor1 = gd.BorderColor2 = Red;
  skin.SkinData.Shadow1Color = Red;
  skin.SkinData.BorderColor = KeyColor;
  return skin;
}

TEST(ColorTransforms, SkinPicturesAndRecordColoursExceptThoseNotSet) {
  TsSkin skin = SkinInRed();
  RecolorSkin(skin, {120, 0});
  EXPECT_EQ(skin.MasterBitmap.Pixel(2, 1), Green);
  EXPECT_EQ(skin.Masks[1].Image->Pixel(2, 1), Green);
  EXPECT_EQ(skin.Patterns[0].Image->Pixel(2, 1), Red); // JPEG patterns keep their colours

  const TsGeneralData &gd = skin.GeneralData[0];
  EXPECT_EQ(gd.Color, Green);
  EXPECT_EQ(gd.HotColor, RotateHue(StandardHighlight, 120)); // the system colour's current value turned
  EXPECT_EQ(gd.FontColor, (std::array<TColor, 5>{KeyColor, Green, NoColor, NoColor, NoColor}));
  // A gray system colour is left as it is and keeps following the system.
  EXPECT_EQ(gd.HotFontColor,
            (std::array<TColor, 5>{SystemColorValue(ButtonFaceIndex), NoColor, NoColor, NoColor, Green}));
  EXPECT_EQ(gd.GradientArray[0].StartColor, Green);
  EXPECT_EQ(gd.GradientArray[0].EndColor, KeyColor);
  EXPECT_EQ(gd.GradientArray[1].StartColor, NoColor);
  EXPECT_EQ(gd.GradientArray[1].EndColor, Green);
  EXPECT_EQ(gd.HotGradientArray[0].EndColor, Green);
  EXPECT_EQ(gd.ShadowColor, Red);
  EXPECT_EQ(gd.BorderColor1, Red);
  EXPECT_EQ(gd.BorderColor2, Red);
  EXPECT_EQ(skin.SkinData.Shadow1Color, Green);
  EXPECT_EQ(skin.SkinData.BorderColor, KeyColor); // no border stays no border

  // The saturation takes a system colour at its value too, not at the bytes of its number.
  TsSkin grayed = SkinInRed();
  RecolorSkin(grayed, {0, -100});
  EXPECT_EQ(grayed.GeneralData[0].HotColor, RgbColor(112, 112, 112));
  EXPECT_EQ(grayed.MasterBitmap.Pixel(0, 0), RgbColor(85, 85, 85));
}

TEST(ColorTransformOptions, WholeNumbersInRangeOrAClearError) {
  EXPECT_EQ(ParseHueOffset("-30"), -30);
  EXPECT_EQ(ParseHueOffset("+360"), 360);
  EXPECT_EQ(ParseSaturation("-100"), -100);
  for (const char *bad : {"", "+", "361", "-361", "1.5", "12a", "+-3", " 4", "99999999999"})
    try {
      ParseHueOffset(bad);
      ADD_FAILURE() << bad;
    } catch (const Exception &e) {
      EXPECT_EQ(e.Message(), "--hue \"" + std::string(bad) + "\" is not a whole number from -360 to 360");
    }
  EXPECT_THROW(ParseSaturation("101"), Exception);
  EXPECT_THROW(ParseSaturation("-101"), Exception);
}

} // namespace
