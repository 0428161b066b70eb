#pragma once
// Where a skinned window goes while it is moved or sized: snapping to the edges of the work area, and
// the outline that follows the mouse when moving and sizing drag an outline instead of the window.

#include "skin/pixels/Geometry.h"

// The position of a window size wide and high, moved onto the edges of the work area that lie closer
// than buffer pixels: right and bottom first, then left and top (measured from the monitor's origin).
TPoint SnapToWorkArea(TPoint position, TSize size, const TRect &work, TPoint monitorOrigin, int buffer);

// The drag kinds: the system's hit codes of the caption and the sizing borders.
namespace DragKind {
constexpr int Move = 2; // HTCAPTION
constexpr int Left = 10, Right = 11, Top = 12, TopLeft = 13, TopRight = 14, Bottom = 15, BottomLeft = 16,
              BottomRight = 17;
} // namespace DragKind
bool IsSizingDrag(int kind);

// The outline after the mouse moved by delta from where the drag began: moved whole, or with the edges
// the drag kind names following the mouse, each held where the rectangle would get smaller than minimum.
TRect TrackOutline(const TRect &start, int dragKind, TPoint delta, TSize minimum);
