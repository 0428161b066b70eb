#include "tools/skingen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace skingen {

TColor Rgb::Value() const {
  auto byte = [](double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
  return RgbColor(byte(r), byte(g), byte(b));
}

Rgb Rgb::Mix(const Rgb &o, double t) const { return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t}; }

double RoundRect::Coverage(int x, int y) const {
  int inside = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) {
      const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
      if (px < left || px > right || py < top || py > bottom) continue;
      const double cx = std::clamp(px, left + radius, right - radius);
      const double cy = std::clamp(py, top + radius, bottom - radius);
      if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius) ++inside;
    }
  return inside / 16.0;
}

MaskedPainter::MaskedPainter(Image24 &image, TPoint at, int maskOffset, int width, int height)
    : image_(image), at_(at), maskOffset_(maskOffset), width_(width), height_(height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      image_.SetPixel(at_.X + x, at_.Y + y, KeyColor);
      image_.SetPixel(at_.X + x, at_.Y + maskOffset_ + y, 0xFFFFFF);
    }
}

void MaskedPainter::Blend(int x, int y, const Rgb &c, double a) {
  if (a <= 0 || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const int px = at_.X + x, py = at_.Y + y;
  const double oldAlpha = 1 - RedOf(image_.Pixel(px, py + maskOffset_)) / 255.0;
  const TColor old = image_.Pixel(px, py);
  const Rgb below = old == KeyColor ? c : Rgb::Of(RedOf(old), GreenOf(old), BlueOf(old));
  const double alpha = a + oldAlpha * (1 - a);
  // Premultiplied "over": the colour is what the new and old layers give together.
  const Rgb color = alpha > 0 ? below.Mix(c, a / alpha) : c;
  image_.SetPixel(px, py, color.Value());
  const auto mask = static_cast<uint8_t>(std::lround(255 * (1 - alpha)));
  image_.SetPixel(px, py + maskOffset_, RgbColor(mask, mask, mask));
}

void MaskedPainter::Shape(const RoundRect &shape, const Rgb &outline, const Ramp &fill, double fillOpacity, double line,
                          double outlineOpacity) {
  const RoundRect inner = shape.Inset(line);
  const int x0 = static_cast<int>(std::floor(shape.left)), x1 = static_cast<int>(std::ceil(shape.right));
  const int y0 = static_cast<int>(std::floor(shape.top)), y1 = static_cast<int>(std::ceil(shape.bottom));
  const double height = std::max(1.0, shape.bottom - shape.top - 1);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const double outer = shape.Coverage(x, y);
      if (outer <= 0) continue;
      const double in = inner.Coverage(x, y);
      Blend(x, y, outline, (outer - in) * outlineOpacity);
      Blend(x, y, fill.At((y - shape.top) / height), in * fillOpacity);
    }
}

void MaskedPainter::Glyph(int x, int y, const std::vector<std::string_view> &rows, std::string_view inks,
                          const std::vector<Rgb> &colors, double opacity) {
  for (size_t j = 0; j < rows.size(); ++j)
    for (size_t i = 0; i < rows[j].size(); ++i) {
      const size_t ink = inks.find(rows[j][i]);
      if (ink != std::string_view::npos) Blend(x + int(i), y + int(j), colors[ink], opacity);
    }
}

void PutGlyph(Image24 &image, int x, int y, const std::vector<std::string_view> &rows, std::string_view inks,
              const std::vector<Rgb> &colors) {
  for (size_t j = 0; j < rows.size(); ++j)
    for (size_t i = 0; i < rows[j].size(); ++i) {
      const size_t ink = inks.find(rows[j][i]);
      if (ink != std::string_view::npos) image.SetPixel(x + int(i), y + int(j), colors[ink].Value());
    }
}

void FillRect(Image24 &image, TRect rect, TColor color) {
  for (int y = rect.Top; y < rect.Bottom; ++y)
    for (int x = rect.Left; x < rect.Right; ++x)
      image.SetPixel(x, y, color);
}

namespace {

struct Box {
  std::vector<std::pair<TColor, int>> colors; // colour and pixel count
  int Spread(int shift) const {
    int lo = 255, hi = 0;
    for (const auto &[c, n] : colors) {
      lo = std::min(lo, (c >> shift) & 0xFF);
      hi = std::max(hi, (c >> shift) & 0xFF);
    }
    return hi - lo;
  }
};

TColor Average(const Box &box) {
  double r = 0, g = 0, b = 0, n = 0;
  for (const auto &[c, count] : box.colors) {
    r += RedOf(c) * double(count);
    g += GreenOf(c) * double(count);
    b += BlueOf(c) * double(count);
    n += count;
  }
  return Rgb{r / n, g / n, b / n}.Value();
}

} // namespace

void ReduceColors(Image24 &image, int maxColors) {
  std::map<TColor, int> histogram;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      ++histogram[image.Pixel(x, y)];
  // The key colour and pure black and white (the ends of every mask) stay exact.
  const TColor reserved[] = {KeyColor, 0x000000, 0xFFFFFF};
  size_t kept = 0;
  for (TColor c : reserved)
    kept += histogram.erase(c);
  const size_t budget = static_cast<size_t>(maxColors) - kept;
  if (histogram.size() <= budget) return;

  std::vector<Box> boxes(1);
  boxes[0].colors.assign(histogram.begin(), histogram.end());
  while (boxes.size() < budget) {
    // Split the box with the widest channel spread at its median pixel.
    size_t widest = 0;
    int widestSpread = -1, widestShift = 0;
    for (size_t i = 0; i < boxes.size(); ++i)
      for (int shift : {0, 8, 16})
        if (boxes[i].colors.size() > 1 && boxes[i].Spread(shift) > widestSpread) {
          widest = i;
          widestSpread = boxes[i].Spread(shift);
          widestShift = shift;
        }
    if (widestSpread <= 0) break;
    auto &colors = boxes[widest].colors;
    std::sort(colors.begin(), colors.end(), [&](const auto &a, const auto &b) {
      return ((a.first >> widestShift) & 0xFF) < ((b.first >> widestShift) & 0xFF);
    });
    long total = 0, half = 0;
    for (const auto &[c, n] : colors)
      total += n;
    size_t split = 1;
    for (; split < colors.size() - 1; ++split) {
      half += colors[split - 1].second;
      if (half * 2 >= total) break;
    }
    Box upper;
    upper.colors.assign(colors.begin() + long(split), colors.end());
    colors.resize(split);
    boxes.push_back(std::move(upper));
  }
  std::map<TColor, TColor> replacement;
  for (const Box &box : boxes) {
    TColor average = Average(box);
    if (std::find(std::begin(reserved), std::end(reserved), average) != std::end(reserved)) average ^= 1;
    for (const auto &[c, n] : box.colors)
      replacement[c] = average;
  }
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const auto found = replacement.find(image.Pixel(x, y));
      if (found != replacement.end()) image.SetPixel(x, y, found->second);
    }
}

} // namespace skingen
