#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "JpegSamples.h"
#include "skin/pixels/PictureReader.h"

namespace {

// JPEG is lossy; decoders may differ by a step or two.
void ExpectNear(TColor actual, TColor expected) {
  EXPECT_LE(std::abs(RedOf(actual) - RedOf(expected)), 3) << std::hex << actual;
  EXPECT_LE(std::abs(GreenOf(actual) - GreenOf(expected)), 3) << std::hex << actual;
  EXPECT_LE(std::abs(BlueOf(actual) - BlueOf(expected)), 3) << std::hex << actual;
}

} // namespace

TEST(ReadJpeg, DecodesColourPicturesToBlueGreenRed) {
  const Image24 solid = ReadPicture(SolidJpeg, "pattern.jpg");
  ASSERT_EQ(solid.Width(), 16);
  ASSERT_EQ(solid.Height(), 8);
  ExpectNear(solid.Pixel(0, 0), RgbColor(200, 40, 90));
  ExpectNear(solid.Pixel(15, 7), RgbColor(200, 40, 90));

  const Image24 two = ReadJpeg(TwoColourJpeg);
  ASSERT_EQ(two.Width(), 32);
  ExpectNear(two.Pixel(2, 4), RgbColor(255, 0, 0));
  ExpectNear(two.Pixel(29, 4), RgbColor(0, 0, 255));
}

TEST(ReadJpeg, GrayscaleBecomesThreeEqualChannels) {
  const Image24 gray = ReadJpeg(GrayJpeg);
  ASSERT_EQ(gray.Width(), 16);
  const TColor c = gray.Pixel(8, 8);
  EXPECT_EQ(RedOf(c), GreenOf(c));
  EXPECT_EQ(GreenOf(c), BlueOf(c));
  ExpectNear(c, RgbColor(120, 120, 120));
}

TEST(ReadJpeg, MalformedInputRaises) {
  EXPECT_THROW(ReadJpeg({}), EPictureError);
  const std::vector<uint8_t> garbage(200, 0x5A);
  EXPECT_THROW(ReadJpeg(garbage), EPictureError);
  const std::vector<uint8_t> headerOnly(SolidJpeg, SolidJpeg + 20);
  EXPECT_THROW(ReadJpeg(headerOnly), EPictureError);
}

TEST(JpegSize, ReadsTheFrameHeaderOnly) {
  const PictureSize size = JpegSize(TwoColourJpeg);
  EXPECT_EQ(size.width, 32);
  EXPECT_EQ(size.height, 8);
  EXPECT_EQ(JpegSize(GrayJpeg).width, 16);
  const std::vector<uint8_t> cut(SolidJpeg, SolidJpeg + 20);
  EXPECT_THROW(JpegSize(cut), EPictureError);
  EXPECT_THROW(JpegSize(std::vector<uint8_t>{0xFF, 0xD8, 0x00, 0x00}), EPictureError);
}
