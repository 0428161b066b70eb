#include "skin/frame/win/Glyphs.h"

#include "skin/pixels/Blending.h"
#include "skin/pixels/ImageCopy.h"

Image24 BitmapPixels(TBitmap &bitmap) {
  Image24 image(bitmap.Width(), bitmap.Height());
  const int bytes = bitmap.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t *row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const uint8_t *p = row + x * bytes;
      image.SetPixel(x, y, static_cast<TColor>(p[2] | p[1] << 8 | p[0] << 16));
    }
  }
  return image;
}

void DrawGlyphKeyed(Image24 &target, TBitmap &glyph, const TRect &dest, TColor key) {
  if (glyph.Empty() || dest.Width() <= 0 || dest.Height() <= 0) return;
  Image24 pixels = BitmapPixels(glyph);
  if (dest.Width() != pixels.Width() || dest.Height() != pixels.Height()) {
    Image24 stretched(dest.Width(), dest.Height());
    StretchRect(stretched, {0, 0, dest.Width(), dest.Height()}, pixels, {0, 0, pixels.Width(), pixels.Height()},
                StretchQuality::Nearest);
    pixels = std::move(stretched);
  }
  CopyKeyed(target, pixels, dest.Left, dest.Top, key);
}
