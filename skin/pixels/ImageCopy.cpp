#include "skin/pixels/ImageCopy.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/pixels/PixelAccess.h"

namespace {

// Cuts the source rectangle, placed with its top-left at (x, y), to the parts inside both images.
bool ClipCopy(const Image24 &target, int &x, int &y, const Image24 &source, TRect &r) {
  if (r.Left < 0) x -= r.Left, r.Left = 0;
  if (r.Top < 0) y -= r.Top, r.Top = 0;
  if (x < 0) r.Left -= x, x = 0;
  if (y < 0) r.Top -= y, y = 0;
  r.Right = std::min({r.Right, source.Width(), r.Left + target.Width() - x});
  r.Bottom = std::min({r.Bottom, source.Height(), r.Top + target.Height() - y});
  return r.Left < r.Right && r.Top < r.Bottom;
}

// One source pixel's share of one target pixel along an axis.
struct Share {
  int Source;
  int Weight;
};

// The source pixels each target pixel covers when n source pixels are spread over m target pixels, with
// weights in units of 1 / m of a source pixel (so the weights of one target pixel add up to n).
std::vector<std::vector<Share>> AreaShares(int n, int m) {
  std::vector<std::vector<Share>> shares(static_cast<size_t>(m));
  for (int i = 0; i < m; ++i) {
    const int64_t from = int64_t{i} * n, to = int64_t{i + 1} * n; // in units of 1 / m
    for (int64_t j = from / m; j * m < to && j < n; ++j) {
      const int64_t overlap = std::min(to, (j + 1) * m) - std::max(from, j * m);
      if (overlap > 0) shares[i].push_back({static_cast<int>(j), static_cast<int>(overlap)});
    }
  }
  return shares;
}

void StretchNearest(Image24 &target, const TRect &t, const Image24 &source, const TRect &s) {
  for (int y = std::max(t.Top, 0); y < std::min(t.Bottom, target.Height()); ++y) {
    const int sy = s.Top + static_cast<int>(int64_t{y - t.Top} * s.Height() / t.Height());
    if (sy < 0 || sy >= source.Height()) continue;
    for (int x = std::max(t.Left, 0); x < std::min(t.Right, target.Width()); ++x) {
      const int sx = s.Left + static_cast<int>(int64_t{x - t.Left} * s.Width() / t.Width());
      if (sx >= 0 && sx < source.Width()) std::memcpy(target.PixelAddress(x, y), source.PixelAddress(sx, sy), 3);
    }
  }
}

void StretchHalftone(Image24 &target, const TRect &t, const Image24 &source, const TRect &s) {
  const auto columns = AreaShares(s.Width(), t.Width());
  const auto rows = AreaShares(s.Height(), t.Height());
  const double total = double(s.Width()) * s.Height();
  std::vector<double> line(static_cast<size_t>(t.Width()) * 3);
  for (int y = std::max(t.Top, 0); y < std::min(t.Bottom, target.Height()); ++y) {
    std::fill(line.begin(), line.end(), 0.0);
    for (const Share &row : rows[y - t.Top]) {
      const int sy = s.Top + row.Source;
      if (sy < 0 || sy >= source.Height()) continue;
      for (int i = 0; i < t.Width(); ++i)
        for (const Share &column : columns[i]) {
          const int sx = s.Left + column.Source;
          if (sx < 0 || sx >= source.Width()) continue;
          const uint8_t *p = source.PixelAddress(sx, sy);
          const double w = double(row.Weight) * column.Weight;
          for (int ch = 0; ch < 3; ++ch)
            line[3 * i + ch] += w * p[ch];
        }
    }
    for (int x = std::max(t.Left, 0); x < std::min(t.Right, target.Width()); ++x) {
      uint8_t *p = target.PixelAddress(x, y);
      for (int ch = 0; ch < 3; ++ch)
        p[ch] = NearestByte(line[3 * (x - t.Left) + ch] / total);
    }
  }
}

} // namespace

void CopyRect(Image24 &target, int x, int y, const Image24 &source, TRect r) {
  if (!ClipCopy(target, x, y, source, r)) return;
  const size_t bytes = static_cast<size_t>(r.Width()) * 3;
  for (int j = 0; j < r.Height(); ++j)
    std::memmove(target.PixelAddress(x, y + j), source.PixelAddress(r.Left, r.Top + j), bytes);
}

void TileRect(Image24 &target, const TRect &t, const Image24 &source, const TRect &s) {
  ForEachTile(t, s.Width(), s.Height(), [&](const TRect &piece) {
    CopyRect(target, piece.Left, piece.Top, source,
             TRect{s.Left, s.Top, s.Left + piece.Width(), s.Top + piece.Height()});
  });
}

void StretchRect(Image24 &target, const TRect &t, const Image24 &source, const TRect &s, StretchQuality quality) {
  if (t.Width() <= 0 || t.Height() <= 0 || s.Width() <= 0 || s.Height() <= 0) return;
  if (t.Width() == s.Width() && t.Height() == s.Height()) return CopyRect(target, t.Left, t.Top, source, s);
  if (quality == StretchQuality::Nearest)
    StretchNearest(target, t, source, s);
  else
    StretchHalftone(target, t, source, s);
}

void CopyBorderStrips(Image24 &target, int x, int y, int w, int h, const Image24 &source, int sx, int sy, int b) {
  CopyRect(target, x, y, source, TRect{sx, sy, sx + b, sy + h});
  CopyRect(target, x + b, y, source, TRect{sx + b, sy, sx + b + w, sy + b});
  CopyRect(target, w - b, y + b, source, TRect{sx + w - b, sy + b, sx + 2 * w - b, sy + b + h});
  CopyRect(target, x + b, h - b, source, TRect{sx + b, sy + h - b, sx + w, sy + 2 * h - b});
}
