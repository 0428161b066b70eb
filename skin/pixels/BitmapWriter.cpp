#include "skin/pixels/BitmapWriter.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "skin/pixels/PictureReader.h"

namespace {

void Put16(std::vector<uint8_t> &out, size_t at, uint16_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t> &out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// File and info headers of a bottom-up BI_RGB bitmap; the palette and pixels follow.
std::vector<uint8_t> Headers(const Image24 &image, int bitCount, uint32_t paletteEntries) {
  const size_t rowBytes = (static_cast<size_t>(image.Width()) * bitCount + 31) / 32 * 4;
  const size_t offBits = 14 + 40 + paletteEntries * 4;
  std::vector<uint8_t> out(offBits + rowBytes * image.Height(), 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<uint32_t>(out.size()));
  Put32(out, 10, static_cast<uint32_t>(offBits));
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<uint32_t>(image.Width()));
  Put32(out, 22, static_cast<uint32_t>(image.Height()));
  Put16(out, 26, 1);
  Put16(out, 28, static_cast<uint16_t>(bitCount));
  Put32(out, 34, static_cast<uint32_t>(rowBytes * image.Height()));
  Put32(out, 38, 2835); // 72 dots per inch
  Put32(out, 42, 2835);
  Put32(out, 46, paletteEntries);
  return out;
}

uint8_t *StoredRow(std::vector<uint8_t> &out, const Image24 &image, int bitCount, size_t offBits, int y) {
  const size_t rowBytes = (static_cast<size_t>(image.Width()) * bitCount + 31) / 32 * 4;
  return out.data() + offBits + rowBytes * (image.Height() - 1 - y);
}

} // namespace

std::vector<uint8_t> WriteBitmap24(const Image24 &image) {
  std::vector<uint8_t> out = Headers(image, 24, 0);
  for (int y = 0; y < image.Height(); ++y)
    std::memcpy(StoredRow(out, image, 24, 54, y), image.ScanLine(y), static_cast<size_t>(image.Width()) * 3);
  return out;
}

std::vector<uint8_t> WriteBitmap8(const Image24 &image) {
  std::map<TColor, uint8_t> palette;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      palette.emplace(image.Pixel(x, y), 0);
      if (palette.size() > 256) throw EPictureError("An 8-bit bitmap holds at most 256 colours");
    }
  uint8_t next = 0;
  for (auto &[color, index] : palette)
    index = next++;

  // Always a full palette of 256 entries (unused ones black), as 8-bit bitmaps usually carry.
  std::vector<uint8_t> out = Headers(image, 8, 256);
  size_t at = 54;
  for (const auto &entry : palette) {
    out[at++] = BlueOf(entry.first);
    out[at++] = GreenOf(entry.first);
    out[at++] = RedOf(entry.first);
    out[at++] = 0;
  }
  const size_t offBits = 54 + 256 * 4;
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t *row = StoredRow(out, image, 8, offBits, y);
    for (int x = 0; x < image.Width(); ++x)
      row[x] = palette.at(image.Pixel(x, y));
  }
  return out;
}
