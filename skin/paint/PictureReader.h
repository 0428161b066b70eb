#pragma once
// Reading skin pictures: Windows bitmaps by our own reader, JPEG through the platform's decoder
// (libjpeg-turbo natively, the Windows imaging component on Windows). Every picture comes back as a
// 24-bit image.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "skin/paint/Image24.h"
#include "toolkit/base/Exceptions.h"

// A picture that cannot be read: malformed, truncated, of an unsupported kind, or too large.
class EPictureError : public Exception {
  using Exception::Exception;
};

enum class PictureKind { Bitmap, Jpeg };

// Chooses the reader by the file name's extension (".jpg", ".jpeg" → JPEG; anything else → bitmap);
// raises EPictureError for malformed input.
Image24 ReadPicture(std::span<const uint8_t> bytes, std::string_view fileName);
PictureKind PictureKindOf(std::string_view fileName);

Image24 ReadBitmap(std::span<const uint8_t> bytes);
Image24 ReadJpeg(std::span<const uint8_t> bytes);

struct PictureSize {
  int width = 0;
  int height = 0;
};

// Width and height from the headers only, without decoding; raises EPictureError when they cannot be found.
PictureSize JpegSize(std::span<const uint8_t> bytes);
