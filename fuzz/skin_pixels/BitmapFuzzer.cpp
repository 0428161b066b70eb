// Feeds arbitrary bytes to the bitmap reader and the JPEG size query: either a picture or
// EPictureError, never a crash, an overflow or a leak.

#include <cstddef>
#include <cstdint>

#include "skin/pixels/PictureReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  try {
    const Image24 image = ReadBitmap(bytes);
    // Touch the corners so that a wrong size or stride shows up under AddressSanitizer.
    (void)image.Pixel(0, 0);
    (void)image.Pixel(image.Width() - 1, image.Height() - 1);
  } catch (const EPictureError &) {
  }
  try {
    (void)JpegSize(bytes);
  } catch (const EPictureError &) {
  }
  return 0;
}
