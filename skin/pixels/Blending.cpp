#include "skin/pixels/Blending.h"

#include <algorithm>
#include <array>
#include <vector>

#include "skin/pixels/PixelAccess.h"

namespace {

struct Bgr {
  uint8_t b, g, r;
  explicit Bgr(TColor c) : b(BlueOf(c)), g(GreenOf(c)), r(RedOf(c)) {}
  bool Matches(const uint8_t *p) const { return p[0] == b && p[1] == g && p[2] == r; }
};

// Cuts an inclusive source rectangle to the source; a negative left or top moves the target point with it,
// so every source pixel that remains lands where it would have landed.
bool ClipInclusive(TRect &r, TPoint &at, const Image24 &source) {
  if (r.Left < 0) {
    at.X -= r.Left;
    r.Left = 0;
  }
  if (r.Top < 0) {
    at.Y -= r.Top;
    r.Top = 0;
  }
  r.Right = std::min(r.Right, source.Width() - 1);
  r.Bottom = std::min(r.Bottom, source.Height() - 1);
  return r.Left <= r.Right && r.Top <= r.Bottom;
}

// Visits every pixel of the inclusive source rectangle (clipped as above) whose target position lies
// inside the target: visit(source pixel, target pixel, tx, ty) returns false to skip the rest of the row.
template <class Visit>
void ForEachTargetPixel(Image24 &target, const Image24 &source, TRect r, TPoint at, Visit visit) {
  if (!ClipInclusive(r, at, source)) return;
  for (int j = 0; j <= r.Bottom - r.Top; ++j) {
    const int ty = at.Y + j;
    if (ty < 0 || ty >= target.Height()) continue;
    const uint8_t *s = source.PixelAddress(r.Left, r.Top + j);
    uint8_t *row = target.ScanLine(ty);
    for (int c = 0; c <= r.Right - r.Left; ++c, s += 3) {
      const int tx = at.X + c;
      if (tx < 0) continue;
      if (tx >= target.Width() || !visit(s, row + 3 * tx, tx, ty)) break;
    }
  }
}

// out = ((a - b) * v + b * 256) shr 8 for each byte, v being weightOf(byte index). For v up to 255 the result
// lies within 0..255 * 256, so 16-bit lanes that wrap on the way still end with the exact value.
template <class Weight>
void FadeBytes(uint8_t *__restrict out, const uint8_t *__restrict a, const uint8_t *__restrict b, size_t bytes,
               Weight weightOf) {
  for (size_t i = 0; i < bytes; ++i) {
    const uint16_t sum =
        static_cast<uint16_t>(static_cast<uint16_t>(a[i] - b[i]) * weightOf(i)) + static_cast<uint16_t>(b[i] << 8);
    out[i] = static_cast<uint8_t>(sum >> 8);
  }
}

void GrayPixels(Image24 &image, const Bgr *keep) {
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t *p = image.ScanLine(y);
    for (int x = 0; x < image.Width(); ++x, p += 3) {
      if (keep && keep->Matches(p)) continue;
      p[0] = p[1] = p[2] = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
    }
  }
}

} // namespace

void FillRectColor(Image24 &image, TRect rect, TColor color) {
  rect.Left = std::max(rect.Left, 0);
  rect.Top = std::max(rect.Top, 0);
  rect.Right = std::min(rect.Right, image.Width());
  rect.Bottom = std::min(rect.Bottom, image.Height());
  for (int y = rect.Top; y < rect.Bottom; ++y)
    for (int x = rect.Left; x < rect.Right; ++x)
      image.SetPixel(x, y, color);
}

void BlendRectColor(Image24 &image, TRect r, int percent, TColor color) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, image.Width() - 1);
  r.Bottom = std::min(r.Bottom, image.Height() - 1);
  // A channel's new value depends on its old value alone: the formula is worked out once for each of the 256
  // values of each channel, and the rows are looked up.
  const double k = percent / 100.0;
  const double m = 1 - k;
  const uint8_t channels[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
  std::array<std::array<uint8_t, 256>, 3> mixed;
  for (int ch = 0; ch < 3; ++ch) {
    const double c = channels[ch] * m;
    for (int v = 0; v < 256; ++v)
      mixed[ch][v] = NearestByte(v * k + c);
  }
  for (int y = r.Top; y <= r.Bottom; ++y) {
    uint8_t *p = image.PixelAddress(r.Left, y);
    for (int x = r.Left; x <= r.Right; ++x, p += 3) {
      p[0] = mixed[0][p[0]];
      p[1] = mixed[1][p[1]];
      p[2] = mixed[2][p[2]];
    }
  }
}

void BlendImage(Image24 &target, const Image24 &source, uint8_t weight) {
  if (target.Width() != source.Width() || target.Height() != source.Height()) return;
  TacFastSum24 sum;
  if (!sum.Attach(source, target)) return;
  sum.Weight = weight;
  sum.TargetLeft = sum.SourceLeft = 0;
  sum.TargetTop = sum.SourceTop = 0;
  sum.TargetRight = sum.SourceRight = source.Width();
  sum.TargetBottom = sum.SourceBottom = source.Height();
  sum.Blend();
}

void BlendImageAt(Image24 &target, const Image24 &source, uint8_t weight, TPoint p, TRect r) {
  if (p.X < 0) {
    r.Left -= p.X;
    p.X = 0;
  }
  if (p.Y < 0) {
    r.Top -= p.Y;
    p.Y = 0;
  }
  if (r.Left < 0) {
    p.X -= r.Left;
    r.Left = 0;
  }
  if (r.Top < 0) {
    p.Y -= r.Top;
    r.Top = 0;
  }
  r.Right = std::min({r.Right, source.Width(), r.Left + target.Width() - p.X});
  r.Bottom = std::min({r.Bottom, source.Height(), r.Top + target.Height() - p.Y});
  if (r.Width() <= 0 || r.Height() <= 0) return;
  TacFastSum24 sum;
  if (!sum.Attach(source, target)) return;
  sum.Weight = weight;
  sum.TargetLeft = p.X;
  sum.TargetTop = p.Y;
  sum.TargetRight = p.X + r.Width();
  sum.TargetBottom = p.Y + r.Height();
  sum.SourceLeft = r.Left;
  sum.SourceTop = r.Top;
  sum.SourceRight = r.Right;
  sum.SourceBottom = r.Bottom;
  sum.Blend();
}

void TintByMask(Image24 &target, const Image24 &mask, TColor color) {
  if (target.Width() != mask.Width() || target.Height() != mask.Height()) return;
  // ((t - c) * m + c * 256) shr 8 equals (t * m + c * (256 - m)) shr 8, which stays within 16 bits;
  // with the colour repeated along a row the loop runs over plain bytes.
  const size_t bytes = static_cast<size_t>(target.Width()) * 3;
  std::vector<uint8_t> colorRow(bytes);
  for (size_t i = 0; i < bytes; i += 3) {
    colorRow[i] = BlueOf(color);
    colorRow[i + 1] = GreenOf(color);
    colorRow[i + 2] = RedOf(color);
  }
  const uint8_t *c = colorRow.data();
  for (int y = 0; y < target.Height(); ++y) {
    uint8_t *t = target.ScanLine(y);
    const uint8_t *m = mask.ScanLine(y);
    for (size_t i = 0; i < bytes; ++i)
      t[i] = static_cast<uint8_t>(static_cast<uint16_t>(t[i] * m[i] + c[i] * (256 - m[i])) >> 8);
  }
}

void CopyKeyed(Image24 &target, const Image24 &source, int x, int y, TColor key) {
  CopyRectKeyed(target, source, x, key, TRect{0, 0, source.Width() - 1, source.Height() - 1}, y);
}

void CopyRectKeyed(Image24 &target, const Image24 &source, int x, TColor key, TRect r, int y) {
  CopyRectKeyedParent(target, source, x, false, TCacheInfo{}, key, r, y);
}

void CopyRectKeyedParent(Image24 &target, const Image24 &source, int x, bool useParent, const TCacheInfo &parent,
                         TColor key, TRect r, int y) {
  TacFast24 back;
  const bool withParent = useParent && parent.Valid && parent.Bitmap && back.Attach(*parent.Bitmap);
  const Bgr k(key);
  ForEachTargetPixel(target, source, r, TPoint{x, y}, [&](const uint8_t *s, uint8_t *t, int tx, int ty) {
    if (!k.Matches(s)) {
      t[0] = s[0];
      t[1] = s[1];
      t[2] = s[2];
      return true;
    }
    if (!withParent) return true;
    const int px = parent.OffsetX + tx;
    const int py = parent.OffsetY + ty;
    if (py >= back.Height) return true;
    if (px >= back.Width || py < 0) return false; // the rest of the row lies outside the parent
    if (px >= 0) std::copy_n(back.Address(px, py), 3, t);
    return true;
  });
}

void BlendKeyed(Image24 &target, int x, int y, TColor key, double ratio, TRect r, const Image24 &source) {
  const bool everyPixel = static_cast<uint32_t>(key) >> 24 == 0xFF;
  const Bgr k(key);
  ForEachTargetPixel(target, source, r, TPoint{x, y}, [&](const uint8_t *s, uint8_t *t, int, int) {
    if (everyPixel || !k.Matches(s))
      for (int ch = 0; ch < 3; ++ch)
        t[ch] = NearestByte(s[ch] - ratio * (s[ch] - t[ch]));
    return true;
  });
}

void MakeGray(Image24 &image) { GrayPixels(image, nullptr); }

void MakeGrayExceptKey(Image24 &image, TColor key) {
  const Bgr k(key);
  GrayPixels(image, &k);
}

TColor ColorBetween(TColor a, TColor b, double ratio) {
  uint32_t result = static_cast<uint32_t>(a) & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = (a >> shift) & 0xFF;
    const int cb = (b >> shift) & 0xFF;
    result |= static_cast<uint32_t>(NearestByte(ratio * (ca - cb) + cb)) << shift;
  }
  return static_cast<TColor>(result);
}

void CrossFade32(Image32 &target, const Image24 &a, const Image24 &b, uint8_t weight, const Image24 *weights) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return;
  int width = std::min(a.Width(), target.Width());
  int height = std::min(a.Height(), target.Height());
  if (weights) {
    width = std::min(width, weights->Width());
    height = std::min(height, weights->Height());
  }
  // A row is blended a stretch at a time as plain bytes, then spread over the 32-bit pixels.
  constexpr int kStretch = 128;
  uint8_t faded[3 * kStretch];
  for (int y = 0; y < height; ++y) {
    uint8_t *t = target.ScanLine(y);
    const uint8_t *pa = a.ScanLine(y), *pb = b.ScanLine(y), *pw = weights ? weights->ScanLine(y) : nullptr;
    for (int x = 0; x < width; x += kStretch) {
      const int pixels = std::min(kStretch, width - x);
      const size_t from = 3 * static_cast<size_t>(x), bytes = 3 * static_cast<size_t>(pixels);
      if (pw)
        FadeBytes(faded, pa + from, pb + from, bytes, [pw = pw + from](size_t i) { return pw[i]; });
      else
        FadeBytes(faded, pa + from, pb + from, bytes, [weight](size_t) { return weight; });
      for (int i = 0; i < pixels; ++i)
        std::copy_n(faded + 3 * i, 3, t + 4 * (x + i));
    }
  }
}
