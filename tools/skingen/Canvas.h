#pragma once
// Drawing helpers of the skin generator: anti-aliased rounded shapes, gradients and pixel-art glyphs
// over 24-bit images, and the picture/mask pairs that masked skin pictures are made of.

#include <string_view>
#include <vector>

#include "skin/pixels/Geometry.h"
#include "skin/pixels/Image24.h"

namespace skingen {

struct Rgb {
  double r = 0, g = 0, b = 0;
  static Rgb Of(int red, int green, int blue) { return Rgb{double(red), double(green), double(blue)}; }
  TColor Value() const;
  Rgb Mix(const Rgb &other, double t) const; // t = 0 gives this, 1 gives other
};

// A rounded rectangle in pixel coordinates (edges between pixels), for coverage tests.
struct RoundRect {
  double left, top, right, bottom, radius;
  RoundRect Inset(double d) const { return {left + d, top + d, right - d, bottom - d, radius > d ? radius - d : 0}; }
  // Share of the pixel (x, y) that the shape covers, 0 to 1, from 4 x 4 samples.
  double Coverage(int x, int y) const;
};

// A vertical colour ramp across a shape's height.
struct Ramp {
  Rgb top, bottom;
  Rgb At(double t) const { return top.Mix(bottom, t); }
};

// One frame of a masked picture: width x height pixels at `at` and its mask `maskOffset` rows below
// (mask 0 shows the picture, 255 keeps the background). Starts fully transparent: key-coloured picture,
// white mask. Drawing is clipped to the frame.
class MaskedPainter {
public:
  MaskedPainter(Image24 &image, TPoint at, int maskOffset, int width, int height);
  // Lays a pixel of colour c with opacity a (0..1) over what the picture already holds.
  void Blend(int x, int y, const Rgb &c, double a);
  // A rounded shape: an outline `line` pixels wide at outlineOpacity, the inside filled at fillOpacity.
  void Shape(const RoundRect &shape, const Rgb &outline, const Ramp &fill, double fillOpacity, double line = 1,
             double outlineOpacity = 1);
  // Pixel art: each character of the rows that appears in `inks` paints that ink's colour.
  void Glyph(int x, int y, const std::vector<std::string_view> &rows, std::string_view inks,
             const std::vector<Rgb> &colors, double opacity = 1);

private:
  Image24 &image_;
  TPoint at_;
  int maskOffset_;
  int width_, height_;
};

// Pixel art straight into an image (no mask): inks as above, every other character leaves the pixel.
void PutGlyph(Image24 &image, int x, int y, const std::vector<std::string_view> &rows, std::string_view inks,
              const std::vector<Rgb> &colors);
void FillRect(Image24 &image, TRect rect, TColor color);

// Reduces an image to at most 256 colours by median cut, keeping the key colour exact.
void ReduceColors(Image24 &image, int maxColors = 256);

} // namespace skingen
