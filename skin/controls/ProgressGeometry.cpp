#include "skin/controls/ProgressGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Rounds to the nearest integer, halves to the even neighbour (the default rounding mode).
int Nearest(double value) { return static_cast<int>(std::nearbyint(value)); }

bool IsEmpty(const TRect &r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

// Measures along and across the bar, so one rule serves both orientations.
struct Axes {
  bool horizontal;
  int along(TSize s) const { return horizontal ? s.Width : s.Height; }
  int across(TSize s) const { return horizontal ? s.Height : s.Width; }
  // A piece from offset to offset + length along the bar, thickness across it, from the area's start
  // (its left edge, or for a vertical bar its bottom edge, growing upward).
  TRect Piece(const TRect &area, int offset, int length, int thickness) const {
    if (horizontal) return TRect{area.Left + offset, area.Top, area.Left + offset + length, area.Top + thickness};
    return TRect{area.Left, area.Bottom - offset - length, area.Left + thickness, area.Bottom - offset};
  }
};

} // namespace

TsProgressLayout LayOutProgress(const TsProgressBarShape &bar) {
  TsProgressLayout layout;
  const int64_t range = int64_t{bar.Max} - bar.Min;
  if (range <= 0) return layout;
  const Axes axes{bar.Orientation == TsBarOrientation::Horizontal};
  const int k = bar.BorderWidth, m = k + 1;
  const int thickness = axes.across(bar.Client) - 1 - k;
  const int available = axes.along(bar.Client) - 2;
  layout.Thickness = thickness;
  layout.BlockLength = Nearest(thickness * 0.66) - 2;

  const bool atMax = bar.Position >= bar.Max;
  const int room = axes.along(bar.Bar) - 2 * m;
  // Positions outside the range (which the bar does not take) count as its ends.
  const double done = std::clamp(static_cast<double>(int64_t{bar.Position} - bar.Min), 0.0, static_cast<double>(range));
  const int filled = atMax ? room : Nearest(static_cast<double>(room) / static_cast<double>(range) * done);
  layout.Area = axes.horizontal ? TRect{m, m, m + filled, bar.Bar.Height - m}
                                : TRect{m, bar.Bar.Height - m - filled, bar.Bar.Width - m, bar.Bar.Height - m};
  if (IsEmpty(layout.Area)) return layout;

  if (bar.Smooth) {
    // The length checked is the one to the area's far edge, from the bar's own edge.
    const int length = (axes.horizontal ? layout.Area.Right : layout.Area.Bottom) - 1 - k;
    if (length < 2 || thickness < 2) return layout;
    layout.Pieces.push_back(
        axes.horizontal ? TRect{layout.Area.Left, layout.Area.Top, layout.Area.Right, layout.Area.Top + thickness}
                        : TRect{layout.Area.Left, layout.Area.Top, layout.Area.Left + thickness, layout.Area.Bottom});
    return layout;
  }

  const int l = layout.BlockLength;
  if (l < 2 || thickness < 2) return layout;
  const int n = available / (l + 2);
  layout.BlockCount = std::max(n, 0);
  if (n <= 1) return layout;
  layout.Gap = (available - l * n) / (n - 1);
  const int step = layout.Gap + l;
  const int count = atMax ? n : std::clamp(Nearest(done * (n / static_cast<double>(range))), 0, n);
  for (int i = 0; i < count; ++i)
    layout.Pieces.push_back(axes.Piece(layout.Area, i * step, l, thickness));
  // The remainder at the maximum: what the last block leaves of the available length.
  const int remainder = available - (count - 1) * step - l;
  if (!atMax || count == 0 || remainder <= 3) return layout;
  if (axes.horizontal) {
    layout.Pieces.push_back(axes.Piece(layout.Area, count * step, remainder, thickness));
  } else if (const int length = axes.along(bar.Client) - step * count; length > 0) {
    // A vertical bar tops its column up from the area's top edge.
    layout.Pieces.push_back(
        TRect{layout.Area.Left, layout.Area.Top, layout.Area.Left + thickness, layout.Area.Top + length});
  }
  return layout;
}

TRect VisiblePart(const TRect &piece, const TRect &area) {
  TRect r{std::max(piece.Left, area.Left), std::max(piece.Top, area.Top), std::min(piece.Right, area.Right),
          std::min(piece.Bottom, area.Bottom)};
  if (IsEmpty(r)) return TRect{};
  return r;
}
