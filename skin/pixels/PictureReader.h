#pragma once
// Reading skin pictures: Windows bitmaps by our own reader, JPEG through the platform's decoder
// (libjpeg-turbo natively, the Windows imaging component on Windows). Every picture comes back as a
// 24-bit image.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "skin/pixels/Image24.h"
#include "toolkit/base/Exceptions.h"

// A picture that cannot be read: malformed, truncated, of an unsupported kind, or too large.
class EPictureError : public Exception {
  using Exception::Exception;
};

enum class PictureKind { Bitmap, Jpeg };

// Largest picture accepted, in pixels (48 MB as a 24-bit image); also bounded by MaxImageSide per side.
constexpr int64_t MaxPicturePixels = 16 * 1024 * 1024;

// Chooses the reader by the file name's extension (".jpg", ".jpeg" → JPEG; anything else → bitmap);
// raises EPictureError for malformed input.
Image24 ReadPicture(std::span<const uint8_t> bytes, std::string_view fileName);
PictureKind PictureKindOf(std::string_view fileName);

// A Windows bitmap file ("BM" header): 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed, RLE8, RLE4 or
// with bit fields, bottom-up or top-down.
Image24 ReadBitmap(std::span<const uint8_t> bytes);
Image24 ReadJpeg(std::span<const uint8_t> bytes);

struct PictureSize {
  int width = 0;
  int height = 0;
};

// Width and height from the headers only, without decoding; raises EPictureError when they cannot be found.
PictureSize JpegSize(std::span<const uint8_t> bytes);
