// Width and height of a JPEG picture from its frame header, without decoding.

#include "skin/pixels/PictureReader.h"

PictureSize JpegSize(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) throw EPictureError("Invalid JPEG: no start marker");
  size_t pos = 2;
  while (pos + 4 <= bytes.size()) {
    if (bytes[pos] != 0xFF) throw EPictureError("Invalid JPEG: marker expected");
    const uint8_t marker = bytes[pos + 1];
    if (marker == 0xFF) { // fill byte
      ++pos;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a length
      pos += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) break; // end of image or start of scan before any frame header
    const size_t length = static_cast<size_t>(bytes[pos + 2] << 8 | bytes[pos + 3]);
    if (length < 2) throw EPictureError("Invalid JPEG: bad segment length");
    const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frameHeader) {
      if (length < 7 || pos + 9 > bytes.size()) break;
      PictureSize size;
      size.height = bytes[pos + 5] << 8 | bytes[pos + 6];
      size.width = bytes[pos + 7] << 8 | bytes[pos + 8];
      return size;
    }
    pos += 2 + length;
  }
  throw EPictureError("Invalid JPEG: no frame header");
}
