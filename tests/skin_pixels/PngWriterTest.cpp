#include <gtest/gtest.h>

#include <zlib.h>

#include "skin/pixels/PictureReader.h"
#include "skin/pixels/PngWriter.h"

namespace {

uint32_t Big32(const std::vector<uint8_t> &b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

struct Chunk {
  std::string type;
  std::vector<uint8_t> data;
};

// The chunks of a PNG file, each checked against its CRC.
std::vector<Chunk> Chunks(const std::vector<uint8_t> &png) {
  std::vector<Chunk> chunks;
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length = Big32(png, at);
    Chunk chunk{std::string(png.begin() + at + 4, png.begin() + at + 8),
                std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + length)};
    const uint32_t crc = uint32_t(crc32(0, png.data() + at + 4, length + 4));
    EXPECT_EQ(Big32(png, at + 8 + length), crc) << chunk.type;
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  return chunks;
}

} // namespace

TEST(WritePng, WritesRgbRowsOfABottomUpImageTopRowFirst) {
  Image24 image(3, 2, RowOrder::BottomUp);
  image.Fill(RgbColor(1, 2, 3));
  image.SetPixel(2, 0, RgbColor(250, 128, 7));
  const std::vector<uint8_t> png = WritePng(image);
  ASSERT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  const std::vector<Chunk> chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[0].data, (std::vector<uint8_t>{0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");

  std::vector<uint8_t> raw(2 * (1 + 9));
  uLongf size = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &size, chunks[1].data.data(), uLong(chunks[1].data.size())), Z_OK);
  ASSERT_EQ(size, raw.size());
  EXPECT_EQ(raw, (std::vector<uint8_t>{0, 1, 2, 3, 1, 2, 3, 250, 128, 7, 0, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
}

TEST(WritePng, RefusesAnEmptyImage) { EXPECT_THROW(WritePng(Image24()), EPictureError); }
