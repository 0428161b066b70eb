#include "skin/frame/FrameTracking.h"

#include <algorithm>
#include <cstdlib>

TPoint SnapToWorkArea(TPoint p, TSize size, const TRect &work, TPoint monitor, int buffer) {
  if (std::abs(p.X + size.Width - work.Right) < buffer) p.X = work.Right - size.Width;
  if (std::abs(p.Y + size.Height - work.Bottom) < buffer) p.Y = work.Bottom - size.Height;
  if (std::abs(p.X + monitor.X - work.Left) < buffer) p.X = work.Left - monitor.X;
  if (std::abs(p.Y + monitor.Y - work.Top) < buffer) p.Y = work.Top - monitor.Y;
  return p;
}

bool IsSizingDrag(int kind) { return kind >= DragKind::Left && kind <= DragKind::BottomRight; }

TRect TrackOutline(const TRect &start, int kind, TPoint delta, TSize minimum) {
  TRect r = start;
  if (kind == DragKind::Move) {
    r.Left += delta.X;
    r.Right += delta.X;
    r.Top += delta.Y;
    r.Bottom += delta.Y;
    return r;
  }
  const bool left = kind == DragKind::Left || kind == DragKind::TopLeft || kind == DragKind::BottomLeft;
  const bool right = kind == DragKind::Right || kind == DragKind::TopRight || kind == DragKind::BottomRight;
  const bool top = kind == DragKind::Top || kind == DragKind::TopLeft || kind == DragKind::TopRight;
  const bool bottom = kind == DragKind::Bottom || kind == DragKind::BottomLeft || kind == DragKind::BottomRight;
  if (left) r.Left = std::min(start.Left + delta.X, start.Right - minimum.Width);
  if (right) r.Right = std::max(start.Right + delta.X, start.Left + minimum.Width);
  if (top) r.Top = std::min(start.Top + delta.Y, start.Bottom - minimum.Height);
  if (bottom) r.Bottom = std::max(start.Bottom + delta.Y, start.Top + minimum.Height);
  return r;
}
