#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "skin/pixels/BitmapWriter.h"
#include "skin/pixels/PictureReader.h"
#include "toolkit/base/Stream.h"

namespace {

// Builds bitmap files byte by byte, independently of the writer under test.
struct Bmp {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;
  std::vector<TColor> palette;
  std::vector<uint32_t> masks; // written after a 40-byte header, inside a larger one
  std::vector<uint8_t> pixels;
  uint16_t planes = 1;
  int32_t offBitsDelta = 0;

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
      out.push_back(uint8_t(v));
      out.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
      u16(v & 0xFFFF);
      u16(v >> 16);
    };
    const bool core = headerSize == 12;
    const size_t entry = core ? 3 : 4;
    const size_t maskBytes = headerSize == 40 ? masks.size() * 4 : 0;
    const size_t offBits = 14 + headerSize + maskBytes + palette.size() * entry;
    out.push_back('B');
    out.push_back('M');
    u32(uint32_t(offBits + pixels.size()));
    u32(0);
    u32(uint32_t(int64_t(offBits) + offBitsDelta));
    u32(headerSize);
    if (core) {
      u16(uint16_t(width));
      u16(uint16_t(height));
      u16(planes);
      u16(bitCount);
    } else {
      u32(uint32_t(width));
      u32(uint32_t(height));
      u16(planes);
      u16(bitCount);
      u32(compression);
      u32(uint32_t(pixels.size()));
      u32(2835);
      u32(2835);
      u32(uint32_t(palette.size()));
      u32(0);
      for (uint32_t m : masks)
        u32(m);
      while (out.size() < 14 + headerSize)
        out.push_back(0);
    }
    for (TColor c : palette) {
      out.push_back(BlueOf(c));
      out.push_back(GreenOf(c));
      out.push_back(RedOf(c));
      if (!core) out.push_back(0);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
  }
};

Image24 Read(const Bmp &bmp) {
  const std::vector<uint8_t> bytes = bmp.Bytes();
  return ReadBitmap(bytes);
}

constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, White = 0xFFFFFF;

} // namespace

TEST(ReadBitmap, OneBitBottomUp) {
  Bmp bmp;
  bmp.width = 3;
  bmp.height = 2;
  bmp.bitCount = 1;
  bmp.palette = {0, White};
  bmp.pixels = {0xA0, 0, 0, 0, 0x40, 0, 0, 0}; // stored bottom row 101, top row 010
  const Image24 image = Read(bmp);
  ASSERT_EQ(image.Width(), 3);
  ASSERT_EQ(image.Height(), 2);
  EXPECT_EQ(image.Pixel(0, 1), White);
  EXPECT_EQ(image.Pixel(1, 1), 0);
  EXPECT_EQ(image.Pixel(2, 1), White);
  EXPECT_EQ(image.Pixel(0, 0), 0);
  EXPECT_EQ(image.Pixel(1, 0), White);
}

TEST(ReadBitmap, FourBitAndIndicesBeyondThePaletteAreBlack) {
  Bmp bmp;
  bmp.width = 3;
  bmp.bitCount = 4;
  bmp.palette = {Red, Green, Blue};
  bmp.pixels = {0x12, 0x90, 0, 0};
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(0, 0), Green);
  EXPECT_EQ(image.Pixel(1, 0), Blue);
  EXPECT_EQ(image.Pixel(2, 0), 0);
}

TEST(ReadBitmap, EightBitTopDown) {
  Bmp bmp;
  bmp.width = 2;
  bmp.height = -2;
  bmp.bitCount = 8;
  bmp.palette = {Red, Green, Blue};
  bmp.pixels = {0, 1, 0, 0, 2, 2, 0, 0};
  const Image24 image = Read(bmp);
  ASSERT_EQ(image.Height(), 2);
  EXPECT_EQ(image.Pixel(0, 0), Red);
  EXPECT_EQ(image.Pixel(1, 0), Green);
  EXPECT_EQ(image.Pixel(0, 1), Blue);
}

TEST(ReadBitmap, CoreHeaderWithThreeBytePaletteEntries) {
  Bmp bmp;
  bmp.headerSize = 12;
  bmp.width = 2;
  bmp.bitCount = 8;
  bmp.palette.assign(256, 0);
  bmp.palette[7] = 0x123456;
  bmp.pixels = {7, 0, 0, 0};
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(0, 0), 0x123456);
  EXPECT_EQ(image.Pixel(1, 0), 0);
}

TEST(ReadBitmap, SixteenBitDefaultFiveFiveFive) {
  Bmp bmp;
  bmp.width = 3;
  bmp.bitCount = 16;
  bmp.pixels = {0x00, 0x7C, 0x1F, 0x00, 0x00, 0x02, 0, 0};
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(0, 0), Red);
  EXPECT_EQ(image.Pixel(1, 0), Blue);
  EXPECT_EQ(image.Pixel(2, 0), RgbColor(0, 132, 0)); // 16 of 31 scaled to 255, rounded
}

TEST(ReadBitmap, SixteenBitFieldsFiveSixFive) {
  Bmp bmp;
  bmp.width = 2;
  bmp.bitCount = 16;
  bmp.compression = 3;
  bmp.masks = {0xF800, 0x07E0, 0x001F};
  bmp.pixels = {0xE0, 0x07, 0x00, 0xF8};
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(0, 0), Green);
  EXPECT_EQ(image.Pixel(1, 0), Red);
}

TEST(ReadBitmap, TwentyFourBitRowsArePadded) {
  Bmp bmp;
  bmp.width = 1;
  bmp.height = 2;
  bmp.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(0, 1), RgbColor(3, 2, 1));
  EXPECT_EQ(image.Pixel(0, 0), RgbColor(6, 5, 4));
}

TEST(ReadBitmap, MissingPaddingAfterTheLastRowIsAccepted) {
  Bmp bmp;
  bmp.width = 1;
  bmp.height = 2;
  bmp.pixels = {1, 2, 3, 0, 4, 5, 6};
  EXPECT_EQ(Read(bmp).Pixel(0, 0), RgbColor(6, 5, 4));
}

TEST(ReadBitmap, ThirtyTwoBitPlainAndWithFields) {
  Bmp bmp;
  bmp.width = 2;
  bmp.bitCount = 32;
  bmp.pixels = {1, 2, 3, 99, 4, 5, 6, 99};
  const Image24 plain = Read(bmp);
  EXPECT_EQ(plain.Pixel(0, 0), RgbColor(3, 2, 1));
  EXPECT_EQ(plain.Pixel(1, 0), RgbColor(6, 5, 4));
  bmp.compression = 3;
  bmp.masks = {0x000000FF, 0x0000FF00, 0x00FF0000}; // red in the first byte
  EXPECT_EQ(Read(bmp).Pixel(0, 0), RgbColor(1, 2, 3));
  bmp.headerSize = 124; // masks inside a version 5 header
  EXPECT_EQ(Read(bmp).Pixel(1, 0), RgbColor(4, 5, 6));
}

TEST(ReadBitmap, Rle8RunsAbsoluteRunsAndEndOfLine) {
  Bmp bmp;
  bmp.width = 4;
  bmp.height = 2;
  bmp.bitCount = 8;
  bmp.compression = 1;
  bmp.palette = {0, Red, Green, Blue};
  bmp.pixels = {3, 1, 1, 2, 0, 0,        // bottom row: 1 1 1 2, end of line
                0, 3, 2, 3, 2, 0, 0, 1}; // top row: absolute 2 3 2 (padded), end of bitmap
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(0, 1), Red);
  EXPECT_EQ(image.Pixel(3, 1), Green);
  EXPECT_EQ(image.Pixel(1, 0), Blue);
  EXPECT_EQ(image.Pixel(2, 0), Green);
  EXPECT_EQ(image.Pixel(3, 0), 0); // never written: index 0
}

TEST(ReadBitmap, Rle8DeltaSkipsPixels) {
  Bmp bmp;
  bmp.width = 4;
  bmp.height = 2;
  bmp.bitCount = 8;
  bmp.compression = 1;
  bmp.palette = {White, Red};
  bmp.pixels = {0, 2, 2, 1, 1, 1, 0, 1}; // delta (2, 1), one pixel of 1, end
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(2, 0), Red);
  EXPECT_EQ(image.Pixel(0, 1), White);
  EXPECT_EQ(image.Pixel(3, 0), White);
}

TEST(ReadBitmap, Rle4AlternatesNibbles) {
  Bmp bmp;
  bmp.width = 8;
  bmp.bitCount = 4;
  bmp.compression = 2;
  bmp.palette = {0, Red, Green, Blue, White};
  bmp.pixels = {5, 0x12, 0, 3, 0x34, 0x30, 0, 1}; // 1 2 1 2 1, then absolute 3 4 3
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(0, 0), Red);
  EXPECT_EQ(image.Pixel(1, 0), Green);
  EXPECT_EQ(image.Pixel(4, 0), Red);
  EXPECT_EQ(image.Pixel(5, 0), Blue);
  EXPECT_EQ(image.Pixel(6, 0), White);
  EXPECT_EQ(image.Pixel(7, 0), Blue);
}

TEST(ReadBitmap, RunsBeyondTheRowAreCutNotWrapped) {
  Bmp bmp;
  bmp.width = 2;
  bmp.height = 2;
  bmp.bitCount = 8;
  bmp.compression = 1;
  bmp.palette = {0, Red};
  bmp.pixels = {200, 1, 0, 1};
  const Image24 image = Read(bmp);
  EXPECT_EQ(image.Pixel(1, 1), Red);
  EXPECT_EQ(image.Pixel(0, 0), 0);
}

// Indexed pictures of awkward widths, compared pixel by pixel with the palette: each row holds every index
// once in a while, including indices beyond the palette (black), and the row padding of the image is zero.
void ExpectIndexedPicture(uint16_t bitCount, int width, int height) {
  SCOPED_TRACE(testing::Message() << bitCount << " bits, " << width << " x " << height);
  Bmp bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.bitCount = bitCount;
  const int colors = (1 << bitCount) - 1; // the last index stays undefined
  for (int i = 0; i < colors; ++i)
    bmp.palette.push_back(RgbColor(uint8_t(i * 37 + 1), uint8_t(i * 11 + 2), uint8_t(255 - i)));
  const int rows = std::abs(height);
  const size_t rowBytes = (size_t(width) * bitCount + 31) / 32 * 4;
  bmp.pixels.assign(rowBytes * rows, 0);
  auto indexAt = [&](int x, int storedRow) { return (x * 5 + storedRow * 3) % (1 << bitCount); };
  for (int row = 0; row < rows; ++row)
    for (int x = 0; x < width; ++x) {
      const int bit = x * bitCount;
      bmp.pixels[row * rowBytes + bit / 8] |= uint8_t(indexAt(x, row) << (8 - bitCount - bit % 8));
    }
  const Image24 image = Read(bmp);
  ASSERT_EQ(image.Width(), width);
  ASSERT_EQ(image.Height(), rows);
  for (int row = 0; row < rows; ++row) {
    const int y = height < 0 ? row : rows - 1 - row;
    for (int x = 0; x < width; ++x) {
      const int index = indexAt(x, row);
      const TColor expected = index < colors ? bmp.palette[index] : 0;
      ASSERT_EQ(image.Pixel(x, y), expected) << "pixel " << x << ", " << y;
    }
    const uint8_t *line = image.ScanLine(y);
    for (size_t i = size_t(width) * 3; i < size_t(std::abs(image.Stride())); ++i)
      ASSERT_EQ(line[i], 0) << "padding byte " << i << " of row " << y;
  }
}

TEST(ReadBitmap, IndexedPicturesOfOddWidthsMatchThePalettePixelForPixel) {
  for (uint16_t bits : {1, 4, 8})
    for (int width : {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 23, 33})
      for (int height : {3, -3, 1})
        ExpectIndexedPicture(bits, width, height);
}

TEST(ReadBitmap, TwentyFourBitOddWidthsCopyEveryRowInOrder) {
  for (int width : {1, 3, 5})
    for (int height : {2, -2}) {
      Bmp bmp;
      bmp.width = width;
      bmp.height = height;
      const size_t rowBytes = (size_t(width) * 3 + 3) / 4 * 4;
      bmp.pixels.assign(rowBytes * 2, 0);
      for (size_t i = 0; i < bmp.pixels.size(); ++i)
        if (i % rowBytes < size_t(width) * 3) bmp.pixels[i] = uint8_t(i * 7 + 1);
      const Image24 image = Read(bmp);
      for (int row = 0; row < 2; ++row) {
        const int y = height < 0 ? row : 1 - row;
        for (int x = 0; x < width; ++x) {
          const uint8_t *p = &bmp.pixels[row * rowBytes + x * 3];
          EXPECT_EQ(image.Pixel(x, y), RgbColor(p[2], p[1], p[0])) << width << " wide, pixel " << x << ", " << y;
        }
      }
    }
}

TEST(ReadBitmap, CoreHeaderWiderThanAnyImageRaisesAPictureError) {
  Bmp bmp;
  bmp.headerSize = 12;
  bmp.width = MaxImageSide + 1;
  bmp.pixels.assign((size_t(bmp.width) * 3 + 3) / 4 * 4, 0);
  EXPECT_THROW(Read(bmp), EPictureError);
}

TEST(ReadBitmap, MalformedInputRaises) {
  auto raises = [](const std::vector<uint8_t> &bytes) {
    EXPECT_THROW(ReadBitmap(bytes), EPictureError) << bytes.size();
  };
  Bmp ok;
  ok.width = 2;
  ok.height = 2;
  ok.pixels.assign(16, 0);
  ASSERT_NO_THROW(Read(ok));

  raises({});
  const std::vector<uint8_t> good = ok.Bytes();
  std::vector<uint8_t> bytes = good;
  bytes[0] = 'X';
  raises(bytes);
  raises(std::vector<uint8_t>(good.begin(), good.begin() + 30)); // header cut
  raises(std::vector<uint8_t>(good.begin(), good.end() - 5));    // pixels cut

  auto variant = [&](auto change) {
    Bmp bmp = ok;
    change(bmp);
    raises(bmp.Bytes());
  };
  variant([](Bmp &b) { b.width = 0; });
  variant([](Bmp &b) { b.height = 0; });
  variant([](Bmp &b) { b.width = -2; });
  variant([](Bmp &b) { b.height = INT_MIN; });
  variant([](Bmp &b) { b.width = b.height = 30000; }); // beyond the pixel limit, whatever data follows
  variant([](Bmp &b) { b.bitCount = 7; });
  variant([](Bmp &b) { b.compression = 1; }); // RLE8 needs 8 bits
  variant([](Bmp &b) { b.compression = 4; }); // embedded JPEG
  variant([](Bmp &b) { b.headerSize = 20; }); // no such header
  variant([](Bmp &b) { b.planes = 2; });
  variant([](Bmp &b) { b.offBitsDelta = 1000; });
  Bmp paletted = ok;
  paletted.bitCount = 8;
  paletted.palette.assign(200, 0);
  const std::vector<uint8_t> withPalette = paletted.Bytes();
  ASSERT_NO_THROW(ReadBitmap(withPalette));
  raises(std::vector<uint8_t>(withPalette.begin(), withPalette.begin() + 14 + 40 + 100)); // file ends in the palette
  variant([](Bmp &b) {
    b.bitCount = 8;
    b.compression = 1;
    b.palette = {0};
    b.pixels = {0, 9, 1, 2}; // absolute run of 9 with 2 bytes left
  });
  variant([](Bmp &b) {
    b.bitCount = 8;
    b.compression = 1;
    b.palette = {0};
    b.pixels = {0, 2, 1}; // delta without its two bytes
  });
  variant([](Bmp &b) {
    b.width = b.height = 4000; // 16 million pixels from an end-of-bitmap code alone
    b.bitCount = 8;
    b.compression = 1;
    b.palette = {0};
    b.pixels = {0, 1};
  });
}

TEST(WriteBitmap, TwentyFourBitRoundTrip) {
  Image24 image(3, 2);
  image.SetPixel(0, 0, 0x010203);
  image.SetPixel(2, 1, 0xFFEEDD);
  const std::vector<uint8_t> bytes = WriteBitmap24(image);
  EXPECT_EQ(bytes.size(), 14 + 40 + 12 * 2);
  const Image24 back = ReadBitmap(bytes);
  EXPECT_EQ(back.Pixel(0, 0), 0x010203);
  EXPECT_EQ(back.Pixel(2, 1), 0xFFEEDD);
  EXPECT_EQ(back.Pixel(1, 1), 0);
}

TEST(WriteBitmap, EightBitKeepsEveryColourAndHasTheStandardLayout) {
  Image24 image(288, 2, RowOrder::BottomUp);
  for (int x = 0; x < 288; ++x)
    image.SetPixel(x, 0, RgbColor(uint8_t(x % 200), 0, 0));
  image.SetPixel(5, 1, KeyColor);
  const std::vector<uint8_t> bytes = WriteBitmap8(image);
  EXPECT_EQ(bytes.size(), 14 + 40 + 256 * 4 + 288 * 2); // a full palette although 201 colours are used
  EXPECT_EQ(bytes[28], 8);
  const Image24 back = ReadBitmap(bytes);
  for (int x = 0; x < 288; ++x)
    ASSERT_EQ(back.Pixel(x, 0), image.Pixel(x, 0));
  EXPECT_EQ(back.Pixel(5, 1), KeyColor);
}

TEST(WriteBitmap, EightBitRefusesMoreThan256Colours) {
  Image24 image(300, 1);
  for (int x = 0; x < 300; ++x)
    image.SetPixel(x, 0, TColor(x));
  EXPECT_THROW(WriteBitmap8(image), EPictureError);
}

TEST(ReadPicture, ChoosesTheReaderByExtension) {
  Image24 image(2, 2);
  image.Fill(0x445566);
  const std::vector<uint8_t> bytes = WriteBitmap24(image);
  EXPECT_EQ(ReadPicture(bytes, "Master.Bmp").Pixel(1, 1), 0x445566);
  EXPECT_EQ(ReadPicture(bytes, "noextension").Pixel(0, 0), 0x445566);
  EXPECT_THROW(ReadPicture(bytes, "pattern.JPG"), EPictureError);
  EXPECT_EQ(PictureKindOf("a.jpeg"), PictureKind::Jpeg);
  EXPECT_EQ(PictureKindOf("a.jpg.bmp"), PictureKind::Bitmap);
}

TEST(ReadBitmap, TheInternalSkinPicturesAreEightBitWithTheKeyColour) {
  const std::string folder = KELVORA_BLUEGAUZE_DIR;
  const std::pair<const char *, std::pair<int, int>> pictures[] = {{"/Master.bmp", {156, 292}},
                                                                   {"/ButtonHuge.bmp", {288, 192}}};
  for (const auto &[name, size] : pictures) {
    const std::vector<uint8_t> bytes = ReadFileBytes(folder + name);
    ASSERT_GT(bytes.size(), size_t{54});
    EXPECT_EQ(bytes[28], 8) << name;
    const Image24 image = ReadBitmap(bytes);
    EXPECT_EQ(image.Width(), size.first) << name;
    EXPECT_EQ(image.Height(), size.second) << name;
    bool hasKey = false;
    for (int y = 0; y < image.Height() && !hasKey; ++y)
      for (int x = 0; x < image.Width() && !hasKey; ++x)
        hasKey = image.Pixel(x, y) == KeyColor;
    EXPECT_TRUE(hasKey) << name;
  }
}
