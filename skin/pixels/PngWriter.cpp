#include "skin/pixels/PngWriter.h"

#include <zlib.h>

#include <string_view>

#include "skin/pixels/PictureReader.h"

namespace {

void PutBig32(std::vector<uint8_t> &out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<uint8_t>(v >> shift));
}

// Length, type, data and the CRC-32 of type and data.
void PutChunk(std::vector<uint8_t> &out, std::string_view type, const std::vector<uint8_t> &data) {
  PutBig32(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  PutBig32(out, static_cast<uint32_t>(crc));
}

// Every row as filter type 0 (none) followed by red, green and blue bytes.
std::vector<uint8_t> RawRows(const Image24 &image) {
  const size_t rowBytes = static_cast<size_t>(image.Width()) * 3;
  std::vector<uint8_t> raw;
  raw.reserve((rowBytes + 1) * static_cast<size_t>(image.Height()));
  for (int y = 0; y < image.Height(); ++y) {
    raw.push_back(0);
    const uint8_t *p = image.ScanLine(y);
    for (int x = 0; x < image.Width(); ++x, p += 3)
      raw.insert(raw.end(), {p[2], p[1], p[0]});
  }
  return raw;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t> &raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
    throw EPictureError("The picture cannot be compressed");
  packed.resize(size);
  return packed;
}

} // namespace

std::vector<uint8_t> WritePng(const Image24 &image) {
  if (image.Empty()) throw EPictureError("An empty picture cannot be written as PNG");
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBig32(header, static_cast<uint32_t>(image.Width()));
  PutBig32(header, static_cast<uint32_t>(image.Height()));
  header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits per channel, RGB, deflate, adaptive filters, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", Deflate(RawRows(image)));
  PutChunk(out, "IEND", {});
  return out;
}
