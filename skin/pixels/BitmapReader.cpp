// Our own reader for Windows bitmap files. Every size, offset and count is checked against the bytes
// that are really there and against MaxPicturePixels before anything is allocated.

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "skin/pixels/PictureReader.h"

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

constexpr size_t FileHeaderSize = 14;
constexpr int64_t MaxRlePixelsPerByte = 1024;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;

[[noreturn]] void Fail(const std::string &what) { throw EPictureError("Invalid bitmap: " + what); }

uint16_t U16(std::span<const uint8_t> b, size_t at) {
  if (at > b.size() || b.size() - at < 2) Fail("truncated header");
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  if (at > b.size() || b.size() - at < 4) Fail("truncated header");
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 | static_cast<uint32_t>(b[at + 2]) << 16 |
         static_cast<uint32_t>(b[at + 3]) << 24;
}

// Palette colours as words 0x00RRGGBB, whose bytes in memory are a pixel's blue, green and red. Indices the
// file does not define stay black.
using PaletteTable = std::array<uint32_t, 256>;
static_assert(std::endian::native == std::endian::little, "palette words are stored as pixel bytes");

struct Header {
  int width = 0;
  int height = 0; // always positive; topDown tells the row order
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = BI_RGB;
  std::array<uint32_t, 3> masks{}; // red, green, blue
  PaletteTable palette{};
  size_t paletteEntries = 0;
  size_t pixelOffset = 0;
};

// One colour channel packed into a 16- or 32-bit pixel, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    bits = 32 - std::countl_zero(m) - shift;
  }
  uint8_t Extract(uint32_t pixel) const {
    if (bits == 0) return 0;
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
    const uint32_t max = (1u << bits) - 1;
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
  }
};

Header ReadHeader(std::span<const uint8_t> bytes) {
  if (bytes.size() < FileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') Fail("no bitmap file header");
  Header h;
  const uint32_t offBits = U32(bytes, 10);
  const uint32_t headerSize = U32(bytes, FileHeaderSize);
  size_t paletteEntry = 4;
  if (headerSize == CoreHeaderSize) {
    h.width = U16(bytes, FileHeaderSize + 4);
    h.height = U16(bytes, FileHeaderSize + 6);
    h.bitCount = U16(bytes, FileHeaderSize + 10);
    paletteEntry = 3;
  } else if (headerSize >= InfoHeaderSize && headerSize <= 1024) {
    const auto width = static_cast<int32_t>(U32(bytes, FileHeaderSize + 4));
    const auto height = static_cast<int32_t>(U32(bytes, FileHeaderSize + 8));
    if (width <= 0 || height == 0 || width > MaxImageSide || height > MaxImageSide || height < -MaxImageSide)
      Fail("width or height out of range");
    h.width = width;
    h.topDown = height < 0;
    h.height = h.topDown ? -height : height;
    h.bitCount = U16(bytes, FileHeaderSize + 14);
    h.compression = U32(bytes, FileHeaderSize + 16);
  } else {
    Fail("unknown header size " + std::to_string(headerSize));
  }
  if (h.width <= 0 || h.height <= 0 || h.width > MaxImageSide || h.height > MaxImageSide)
    Fail("width or height out of range");
  if (static_cast<int64_t>(h.width) * h.height > MaxPicturePixels) Fail("picture too large");
  if (U16(bytes, FileHeaderSize + (headerSize == CoreHeaderSize ? 8 : 12)) != 1) Fail("planes must be 1");

  const int bpp = h.bitCount;
  const bool indexed = bpp == 1 || bpp == 4 || bpp == 8;
  if (!indexed && bpp != 16 && bpp != 24 && bpp != 32) Fail("unsupported bit count " + std::to_string(bpp));
  switch (h.compression) {
  case BI_RGB: break;
  case BI_RLE8:
    if (bpp != 8) Fail("RLE8 needs 8 bits per pixel");
    break;
  case BI_RLE4:
    if (bpp != 4) Fail("RLE4 needs 4 bits per pixel");
    break;
  case BI_BITFIELDS:
  case BI_ALPHABITFIELDS:
    if (bpp != 16 && bpp != 32) Fail("bit fields need 16 or 32 bits per pixel");
    break;
  default: Fail("unsupported compression " + std::to_string(h.compression));
  }

  size_t afterHeader = FileHeaderSize + headerSize;
  if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
    // Masks follow a plain info header; later header versions carry them inside.
    const size_t at = FileHeaderSize + InfoHeaderSize;
    h.masks = {U32(bytes, at), U32(bytes, at + 4), U32(bytes, at + 8)};
    if (headerSize == InfoHeaderSize) afterHeader += h.compression == BI_BITFIELDS ? 12 : 16;
  } else if (bpp == 16) {
    h.masks = {0x7C00, 0x03E0, 0x001F};
  } else if (bpp == 32) {
    h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }

  if (indexed) {
    const size_t maxEntries = size_t{1} << bpp;
    size_t entries = maxEntries;
    if (headerSize != CoreHeaderSize) {
      const uint32_t clrUsed = U32(bytes, FileHeaderSize + 32);
      if (clrUsed != 0) entries = std::min<size_t>(clrUsed, maxEntries);
    }
    if (afterHeader > bytes.size() || (bytes.size() - afterHeader) / paletteEntry < entries) Fail("truncated palette");
    h.paletteEntries = entries;
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t *entry = &bytes[afterHeader + i * paletteEntry];
      h.palette[i] = static_cast<uint32_t>(entry[0]) | static_cast<uint32_t>(entry[1]) << 8 |
                     static_cast<uint32_t>(entry[2]) << 16;
    }
  }
  h.pixelOffset = offBits != 0 ? offBits : afterHeader + h.paletteEntries * paletteEntry;
  if (h.pixelOffset > bytes.size()) Fail("pixel data offset beyond the end of the file");
  return h;
}

// Image row that the n-th stored row becomes.
int TargetRow(const Header &h, int storedRow) { return h.topDown ? storedRow : h.height - 1 - storedRow; }

// Rows of a picture the reader writes in full: the pixels are not zeroed first, only the row padding is.
class PictureStorage final : public ImageStorage {
public:
  PictureStorage(int width, int height)
      : rowBytes_((static_cast<size_t>(width) * 3 + 3) & ~size_t{3}),
        bytes_(std::make_unique_for_overwrite<uint8_t[]>(rowBytes_ * static_cast<size_t>(height))) {
    const size_t pixelBytes = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
      std::memset(bytes_.get() + rowBytes_ * y + pixelBytes, 0, rowBytes_ - pixelBytes);
  }
  uint8_t *Row0() const override { return bytes_.get(); }
  ptrdiff_t Stride() const override { return static_cast<ptrdiff_t>(rowBytes_); }
  std::unique_ptr<ImageStorage> CreateLike(int width, int height, int bytesPerPixel) const override {
    return CreateBufferStorage(width, height, bytesPerPixel, RowOrder::TopDown);
  }

private:
  size_t rowBytes_;
  std::unique_ptr<uint8_t[]> bytes_;
};

// A top-down image whose every pixel the caller is about to write.
Image24 UnfilledImage(const Header &h) {
  return Image24(h.width, h.height, std::make_unique<PictureStorage>(h.width, h.height));
}

void PutColor(uint32_t color, uint8_t *dst) {
  dst[0] = static_cast<uint8_t>(color);
  dst[1] = static_cast<uint8_t>(color >> 8);
  dst[2] = static_cast<uint8_t>(color >> 16);
}

void PutWord(uint64_t word, uint8_t *dst) { std::memcpy(dst, &word, 8); }

// One index per byte. Eight pixels at a time go out as three whole 64-bit words; the rest one by one, so
// nothing is written past the row.
void MapRow8(const PaletteTable &palette, const uint8_t *src, int width, uint8_t *dst) {
  int x = 0;
  for (; x + 8 <= width; x += 8, src += 8, dst += 24) {
    uint64_t p[8];
    for (int i = 0; i < 8; ++i)
      p[i] = palette[src[i]];
    PutWord(p[0] | p[1] << 24 | p[2] << 48, dst);
    PutWord(p[2] >> 16 | p[3] << 8 | p[4] << 32 | p[5] << 56, dst + 8);
    PutWord(p[5] >> 8 | p[6] << 16 | p[7] << 40, dst + 16);
  }
  for (; x < width; ++x, ++src, dst += 3)
    PutColor(palette[*src], dst);
}

// 1 or 4 bits per index, the leftmost pixel in the high bits of a byte.
void MapRowPacked(const PaletteTable &palette, const uint8_t *src, int width, int bits, uint8_t *dst) {
  const int perByteShift = bits == 1 ? 3 : 1; // log2 of the pixels per byte
  const unsigned perByteMask = (1u << perByteShift) - 1;
  const unsigned mask = (1u << bits) - 1;
  for (int x = 0; x < width; ++x, dst += 3) {
    const int shift = 8 - bits * static_cast<int>((static_cast<unsigned>(x) & perByteMask) + 1);
    PutColor(palette[(src[x >> perByteShift] >> shift) & mask], dst);
  }
}

void MapIndices(const Header &h, const std::vector<uint8_t> &indices, Image24 &image) {
  for (int row = 0; row < h.height; ++row)
    MapRow8(h.palette, &indices[static_cast<size_t>(row) * h.width], h.width, image.ScanLine(TargetRow(h, row)));
}

Image24 ReadUncompressed(const Header &h, std::span<const uint8_t> data) {
  const size_t bpp = static_cast<size_t>(h.bitCount);
  const size_t rowBytes = (static_cast<size_t>(h.width) * bpp + 31) / 32 * 4;
  const size_t lastRowBytes = (static_cast<size_t>(h.width) * bpp + 7) / 8; // the final padding may be missing
  if (data.size() / rowBytes < static_cast<size_t>(h.height - 1) ||
      data.size() - rowBytes * (h.height - 1) < lastRowBytes)
    Fail("truncated pixel data");

  Image24 image = UnfilledImage(h);
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  for (int row = 0; row < h.height; ++row) {
    const uint8_t *src = data.data() + rowBytes * row;
    uint8_t *dst = image.ScanLine(TargetRow(h, row));
    switch (h.bitCount) {
    case 24: std::memcpy(dst, src, static_cast<size_t>(h.width) * 3); break;
    case 16:
    case 32:
      for (int x = 0; x < h.width; ++x, dst += 3) {
        const uint32_t pixel = h.bitCount == 16
                                   ? static_cast<uint32_t>(src[2 * x] | src[2 * x + 1] << 8)
                                   : static_cast<uint32_t>(src[4 * x]) | static_cast<uint32_t>(src[4 * x + 1]) << 8 |
                                         static_cast<uint32_t>(src[4 * x + 2]) << 16 |
                                         static_cast<uint32_t>(src[4 * x + 3]) << 24;
        dst[0] = blue.Extract(pixel);
        dst[1] = green.Extract(pixel);
        dst[2] = red.Extract(pixel);
      }
      break;
    case 8: MapRow8(h.palette, src, h.width, dst); break;
    default: MapRowPacked(h.palette, src, h.width, h.bitCount, dst);
    }
  }
  return image;
}

// Run-length encoded 8- or 4-bit data into one index per pixel, stored row order. Pixels the data
// skips (delta, end of line, end of bitmap) keep index 0.
std::vector<uint8_t> DecodeRle(const Header &h, std::span<const uint8_t> data) {
  const bool four = h.compression == BI_RLE4;
  std::vector<uint8_t> indices(static_cast<size_t>(h.width) * h.height, 0);
  int64_t x = 0, y = 0;
  auto put = [&](uint8_t index) {
    if (x < h.width && y < h.height) indices[static_cast<size_t>(y) * h.width + x] = index;
    ++x;
  };
  size_t pos = 0;
  while (y < h.height && data.size() - pos >= 2) {
    const uint8_t count = data[pos];
    const uint8_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      for (int i = 0; i < count && x < h.width; ++i)
        put(four ? static_cast<uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      continue;
    }
    switch (value) {
    case 0: // end of line
      x = 0;
      ++y;
      break;
    case 1: // end of bitmap
      return indices;
    case 2: // delta
      if (data.size() - pos < 2) Fail("truncated RLE delta");
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
      break;
    default: { // absolute run of `value` pixels, padded to a 16-bit boundary
      const size_t bytes = four ? (value + 1u) / 2 : value;
      const size_t padded = bytes + (bytes & 1);
      if (data.size() - pos < bytes) Fail("truncated RLE run");
      for (int i = 0; i < value && x < h.width; ++i)
        put(four ? static_cast<uint8_t>(i % 2 == 0 ? data[pos + i / 2] >> 4 : data[pos + i / 2] & 0x0F)
                 : data[pos + i]);
      pos += std::min(padded, data.size() - pos);
    }
    }
  }
  return indices;
}

} // namespace

Image24 ReadBitmap(std::span<const uint8_t> bytes) {
  const Header h = ReadHeader(bytes);
  const std::span<const uint8_t> data = bytes.subspan(h.pixelOffset);
  if (h.compression == BI_RLE8 || h.compression == BI_RLE4) {
    // Even a nearly empty picture needs a code per row or so; far fewer bytes than that is no picture.
    if (static_cast<int64_t>(h.width) * h.height > MaxRlePixelsPerByte * static_cast<int64_t>(data.size()))
      Fail("too little RLE data for the picture size");
    const std::vector<uint8_t> indices = DecodeRle(h, data);
    Image24 image = UnfilledImage(h);
    MapIndices(h, indices, image);
    return image;
  }
  return ReadUncompressed(h, data);
}
