#include "skin/adapters/ScrollBarGeometry.h"

#include <algorithm>
#include <cstdint>

int MulDivRounded(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t n = static_cast<int64_t>(a) * b, d = c;
  if (d < 0) n = -n, d = -d;
  return static_cast<int>(n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d));
}

namespace {
int RangeSize(const TacScrollRange &range) { return range.Max - range.Min + 1; }
} // namespace

int ThumbLength(const TacScrollRange &range, int trackLength, int arrowLength) {
  const int size = RangeSize(range);
  if (size <= 0) return 0;
  const int length = range.Page == 0 ? arrowLength : MulDivRounded(range.Page, trackLength, size);
  return std::max(length, MinThumbLength);
}

TacThumb ThumbOf(const TacScrollRange &range, int barLength, int arrowLength) {
  const int track = TrackLength(barLength, arrowLength);
  const int length = ThumbLength(range, track, arrowLength);
  const int room = track - length;
  const int steps = RangeSize(range) - std::max(range.Page, 1);
  const int offset = steps > 0 && room > 0 ? std::clamp(MulDivRounded(range.Pos - range.Min, room, steps), 0, room) : 0;
  return TacThumb{arrowLength + offset, length};
}

bool HasThumb(const TacThumb &thumb, int barLength, int arrowLength) {
  return ArrowsFit(barLength, arrowLength) && thumb.Length > 0 && thumb.Length < TrackLength(barLength, arrowLength);
}

TacScrollPart PartAt(int at, const TacScrollRange &range, int barLength, int arrowLength) {
  if (at < 0 || at >= barLength) return spNone;
  const int arrow = ArrowsFit(barLength, arrowLength) ? arrowLength : barLength / 2;
  if (at < arrow) return spLineUp;
  if (at >= barLength - arrow) return spLineDown;
  const TacThumb thumb = ThumbOf(range, barLength, arrowLength);
  if (!HasThumb(thumb, barLength, arrowLength)) return spNone;
  if (at < thumb.Start) return spPageUp;
  if (at < thumb.Start + thumb.Length) return spThumb;
  return spPageDown;
}

int ThumbDragPosition(const TacScrollRange &range, int offset, int trackLength, int thumbLength) {
  if (range.Max - range.Min < 1) return offset;
  // The last position a whole page can start at; with a page of 0 that is Max itself, never Max + 1.
  const int steps = RangeSize(range) - std::max(range.Page, 1);
  const int room = trackLength - thumbLength;
  if (room <= 0 || steps <= 0) return range.Min;
  return range.Min + MulDivRounded(std::clamp(offset, 0, room), steps, room);
}

TacBarLayout LayOutBars(const TacBarLayoutInput &in) {
  TacBarLayout layout;
  layout.EdgeLeft = in.Client.Left - in.Window.Left;
  layout.EdgeTop = in.Client.Top - in.Window.Top;
  layout.EdgeRight = in.Window.Right - in.Client.Right;
  layout.EdgeBottom = in.Window.Bottom - in.Client.Bottom;
  layout.Client = in.Client;
  layout.HorzVisible = in.HorzPresent && in.Client.Height() >= in.HorzThickness;
  layout.VertVisible = in.VertPresent && in.Client.Width() >= in.VertThickness;
  if (layout.HorzVisible) layout.Client.Bottom -= in.HorzThickness;
  if (layout.VertVisible) {
    if (in.LeftScrollBar)
      layout.Client.Left += in.VertThickness;
    else
      layout.Client.Right -= in.VertThickness;
  }
  return layout;
}

TRect HorzBarRect(const TRect &w, const TacBarLayout &l, int horzThickness, int vertThickness, bool leftScrollBar) {
  if (!l.HorzVisible) return {};
  TRect r{w.Left + l.EdgeLeft, w.Bottom - l.EdgeBottom - horzThickness, w.Right - l.EdgeRight, w.Bottom - l.EdgeBottom};
  if (l.VertVisible && leftScrollBar) r.Left += vertThickness;
  if (l.VertVisible && !leftScrollBar) r.Right -= vertThickness;
  return r;
}

TRect VertBarRect(const TRect &w, const TacBarLayout &l, int horzThickness, int vertThickness, bool leftScrollBar) {
  if (!l.VertVisible) return {};
  const int bottom = w.Bottom - l.EdgeBottom - (l.HorzVisible ? horzThickness : 0);
  if (leftScrollBar) return TRect{w.Left + l.EdgeLeft, w.Top + l.EdgeTop, w.Left + l.EdgeLeft + vertThickness, bottom};
  return TRect{w.Right - l.EdgeRight - vertThickness, w.Top + l.EdgeTop, w.Right - l.EdgeRight, bottom};
}

TRect BarBoxRect(const TRect &w, const TacBarLayout &l, int horzThickness, int vertThickness, bool leftScrollBar) {
  if (!l.HorzVisible || !l.VertVisible) return {};
  const TRect vert = VertBarRect(w, l, horzThickness, vertThickness, leftScrollBar);
  return TRect{vert.Left, w.Bottom - l.EdgeBottom - horzThickness, vert.Right, w.Bottom - l.EdgeBottom};
}
