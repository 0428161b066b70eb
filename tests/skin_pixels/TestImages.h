#pragma once
// Images built in code for the pixel tests: plain, grey, and ones whose pixels tell where they lie.

#include "skin/pixels/Image24.h"

inline Image24 Filled(int width, int height, TColor color) {
  Image24 image(width, height);
  image.Fill(color);
  return image;
}

inline TColor Gray(int v) { return RgbColor(uint8_t(v), uint8_t(v), uint8_t(v)); }

// Every pixel tells where it lies: red = x + 100, green = y + 100, blue = 7.
inline Image24 Positional(int width, int height) {
  Image24 image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y, RgbColor(uint8_t(x + 100), uint8_t(y + 100), 7));
  return image;
}
