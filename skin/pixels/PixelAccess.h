#pragma once
// Row access to 24- and 32-bit images and the blend of one 24-bit image into another. Rows are reached
// through Row0 and the signed Stride only, so top-down and bottom-up images are handled alike.

#include <cstddef>
#include <cstdint>

#include "skin/pixels/Image24.h"

constexpr uint8_t ClampByte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Nearest integer (ties to even) limited to a byte; the floating-point formulas store their results so.
uint8_t NearestByte(double v);

template <int N> struct TacFastN {
  const BasicImage<N> *Surface = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  ptrdiff_t Stride = 0;
  uint8_t *Row0 = nullptr;

  // False (and Width 0) for an image less than 2 pixels wide or high.
  bool Attach(const BasicImage<N> &image) {
    if (image.Width() < 2 || image.Height() < 2) {
      Width = 0;
      return false;
    }
    Surface = &image;
    Width = image.Width();
    Height = image.Height();
    Row0 = image.Row0();
    Stride = image.Stride();
    return true;
  }
  uint8_t *Address(int x, int y) const { return Row0 + static_cast<ptrdiff_t>(y) * Stride + ptrdiff_t{N} * x; }
  // 0x00BBGGRR; a fourth byte plays no part.
  TColor Pixel(int x, int y) const {
    const uint8_t *p = Address(x, y);
    return RgbColor(p[2], p[1], p[0]);
  }
};

using TacFast24 = TacFastN<3>;
using TacFast32 = TacFastN<4>;

// Blends a source rectangle of one 24-bit image into a target rectangle of another of the same size.
struct TacFastSum24 {
  const Image24 *Source = nullptr;
  const Image24 *Target = nullptr;
  int32_t Width = 0; // the smaller width and height of the two images
  int32_t Height = 0;
  uint8_t *SourceRow0 = nullptr;
  uint8_t *TargetRow0 = nullptr;
  ptrdiff_t SourceStride = 0;
  ptrdiff_t TargetStride = 0;
  uint8_t Weight = 0; // share of the target, out of 255
  int32_t TargetLeft = 0, TargetTop = 0, TargetRight = 0, TargetBottom = 0;
  int32_t SourceLeft = 0, SourceTop = 0, SourceRight = 0, SourceBottom = 0;

  // False when either image is less than 2 pixels wide or high.
  bool Attach(const Image24 &source, const Image24 &target);
  // Every byte: target = (target * Weight + source * (255 - Weight) + 127) shr 8. Rows outside either
  // image are left out.
  void Blend();
};
