#include "skin/pixels/PictureReader.h"

#include "skin/pixels/JpegDecoder.h"
#include "toolkit/base/Text.h"

PictureKind PictureKindOf(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return PictureKind::Bitmap;
  const std::string extension = text::UpperCase(fileName.substr(dot));
  return extension == ".JPG" || extension == ".JPEG" ? PictureKind::Jpeg : PictureKind::Bitmap;
}

Image24 ReadPicture(std::span<const uint8_t> bytes, std::string_view fileName) {
  return PictureKindOf(fileName) == PictureKind::Jpeg ? ReadJpeg(bytes) : ReadBitmap(bytes);
}

void CheckJpegSize(int width, int height) {
  if (width <= 0 || height <= 0 || width > MaxImageSide || height > MaxImageSide ||
      static_cast<int64_t>(width) * height > MaxPicturePixels)
    throw EPictureError("JPEG picture of " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels is too large");
}
