#pragma once
// Points and rectangles of the painting core: 32-bit signed, right and bottom exclusive unless an
// operation says otherwise.

#include <cstdint>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint &) const = default;
};

struct TSize {
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const TSize &) const = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRect &) const = default;
};
