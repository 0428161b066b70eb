#include "skin/pixels/Gradient.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "skin/pixels/PixelAccess.h"
#include "toolkit/base/Text.h"

void ParseGradient(std::string_view text, TsGradArray &list) {
  list.clear();
  if (text.empty()) return;
  std::vector<std::string_view> words;
  for (size_t start = 0;;) {
    const size_t end = text.find(';', start);
    words.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  const size_t steps = words.size() / 5;
  list.resize(steps);
  for (size_t i = 0; i < steps; ++i) {
    TsGradStep &step = list[i];
    step.StartColor = text::StrToInt(words[i * 5]);
    step.EndColor = text::StrToInt(words[i * 5 + 1]);
    step.Percent = static_cast<uint8_t>(std::clamp(text::StrToInt(words[i * 5 + 2]), 0, 100));
    step.Mode = text::StrToInt(words[i * 5 + 3]);
  }
}

namespace {

// The colour running from a step's start to its end over n pixels. The running values are held in
// single precision and the steps in double precision, as the drawn pixels depend on that rounding.
class ColorRamp {
public:
  ColorRamp(const TsGradStep &step, int n) {
    const int from[3] = {BlueOf(step.StartColor), GreenOf(step.StartColor), RedOf(step.StartColor)};
    const int to[3] = {BlueOf(step.EndColor), GreenOf(step.EndColor), RedOf(step.EndColor)};
    for (int c = 0; c < 3; ++c) {
      value_[c] = static_cast<float>(from[c]);
      delta_[c] = (static_cast<double>(to[c]) - from[c]) / n;
    }
  }
  void Put(uint8_t *bgr) const {
    for (int c = 0; c < 3; ++c)
      bgr[c] = NearestByte(value_[c]);
  }
  void Advance() {
    for (int c = 0; c < 3; ++c)
      value_[c] = static_cast<float>(value_[c] + delta_[c]);
  }

private:
  std::array<float, 3> value_{};
  std::array<double, 3> delta_{};
};

void FillTopToBottom(Image24 &image, const TRect &r, const TsGradArray &list) {
  const int lastRow = r.Bottom - 1;
  int yEnd = r.Top;
  for (size_t i = 0; i < list.size(); ++i) {
    const int yStart = yEnd;
    yEnd = yStart + list[i].Percent * r.Height() / 100;
    yEnd = i + 1 == list.size() ? lastRow : std::min(yEnd, lastRow);
    if (yEnd - yStart <= 0) continue;
    ColorRamp ramp(list[i], yEnd - yStart);
    for (int y = yStart; y <= yEnd; ++y, ramp.Advance()) {
      uint8_t bgr[3];
      ramp.Put(bgr);
      uint8_t *p = image.PixelAddress(r.Left, y);
      for (int x = r.Left; x < r.Right; ++x, p += 3)
        std::copy(bgr, bgr + 3, p);
    }
  }
}

void FillLeftToRight(Image24 &image, const TRect &r, const TsGradArray &list) {
  const double k = r.Width() / 100.0;
  const int lastColumn = r.Right - 1;
  for (int y = r.Top; y < r.Bottom; ++y) {
    int xEnd = r.Left;
    for (size_t i = 0; i < list.size(); ++i) {
      const int xStart = xEnd;
      xEnd = static_cast<int>(std::nearbyint(list[i].Percent * k + xStart));
      xEnd = i + 1 == list.size() ? lastColumn : std::min(xEnd, lastColumn);
      if (xEnd - xStart <= 0) continue;
      ColorRamp ramp(list[i], xEnd - xStart);
      uint8_t *p = image.PixelAddress(xStart, y);
      for (int x = xStart; x <= xEnd; ++x, p += 3, ramp.Advance())
        ramp.Put(p);
    }
  }
}

struct Vertex {
  double x, y;
  TColor color;
};

// Barycentric weights of (x, y) in the triangle, or false when the point lies outside it.
bool Weights(const Vertex &a, const Vertex &b, const Vertex &c, double x, double y, double w[3]) {
  const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (area == 0) return false;
  w[0] = ((b.x - x) * (c.y - y) - (c.x - x) * (b.y - y)) / area;
  w[1] = ((c.x - x) * (a.y - y) - (a.x - x) * (c.y - y)) / area;
  w[2] = 1 - w[0] - w[1];
  constexpr double eps = -1e-9;
  return w[0] >= eps && w[1] >= eps && w[2] >= eps;
}

// Four triangles meeting in the centre, each shaded from its corners' colours (16-bit channels).
void FillFourCorners(Image24 &image, const TRect &r, const TsGradArray &list) {
  std::array<TColor, 5> colors{};
  colors[0] = list.empty() ? 0 : list[0].StartColor;
  for (size_t k = 1; k < 5; ++k)
    colors[k] = list.size() > k ? list[k].StartColor : colors[k - 1];
  const Vertex v[5] = {{double(r.Left), double(r.Top), colors[0]},
                       {double(r.Left + r.Width() / 2), double(r.Top + r.Height() / 2), colors[1]},
                       {double(r.Right), double(r.Top), colors[2]},
                       {double(r.Right), double(r.Bottom), colors[3]},
                       {double(r.Left), double(r.Bottom), colors[4]}};
  const int triangles[4][3] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  for (int y = r.Top; y < r.Bottom; ++y) {
    uint8_t *p = image.PixelAddress(r.Left, y);
    for (int x = r.Left; x < r.Right; ++x, p += 3) {
      for (const auto &t : triangles) {
        double w[3];
        if (!Weights(v[t[0]], v[t[1]], v[t[2]], x, y, w)) continue;
        for (int c = 0, shift = 16; c < 3; ++c, shift -= 8) {
          double channel16 = 0;
          for (int i = 0; i < 3; ++i)
            channel16 += w[i] * (((v[t[i]].color >> shift) & 0xFF) << 8);
          p[c] = ClampByte(static_cast<int>(std::lround(channel16)) >> 8);
        }
        break;
      }
    }
  }
}

} // namespace

void FillGradient(Image24 &image, TRect rect, const TsGradArray &list) {
  if (list.empty()) return;
  rect.Left = std::max(rect.Left, 0);
  rect.Top = std::max(rect.Top, 0);
  rect.Right = std::min(rect.Right, image.Width());
  rect.Bottom = std::min(rect.Bottom, image.Height());
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  switch (list[0].Mode) {
  case 0: FillTopToBottom(image, rect, list); break;
  case 1: FillLeftToRight(image, rect, list); break;
  case 2: FillFourCorners(image, rect, list); break;
  default: break;
  }
}
