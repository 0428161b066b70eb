#pragma once
// Block copies between 24-bit images: the plain copy, tiling and stretching that the platform's blits do
// for the skin painters. Rectangles are right- and bottom-exclusive; everything is clipped to both images.

#include "skin/pixels/Geometry.h"
#include "skin/pixels/Image24.h"

// Calls piece(targetPiece) for the tiles of a tw x th picture laid over target from its top-left corner:
// whole tiles while one more fits before the far edge, then one cut (or whole) tile up to that edge. A
// side of 0 lays nothing.
template <class Piece> void ForEachTile(const TRect &target, int tw, int th, Piece piece) {
  if (tw <= 0 || th <= 0) return;
  for (int y = target.Top; y < target.Bottom; y += th)
    for (int x = target.Left; x < target.Right; x += tw)
      piece(
          TRect{x, y, x + tw < target.Right ? x + tw : target.Right, y + th < target.Bottom ? y + th : target.Bottom});
}

// Copies the source rectangle to (x, y).
void CopyRect(Image24 &target, int x, int y, const Image24 &source, TRect sourceRect);

// Tiles the source rectangle over the target rectangle (ForEachTile), the last row and column cut.
void TileRect(Image24 &target, const TRect &targetRect, const Image24 &source, const TRect &sourceRect);

enum class StretchQuality {
  Nearest,  // every target pixel takes the source pixel under its top-left corner
  Halftone, // every target pixel takes the average of the source area it covers
};

// Stretches (or shrinks) the source rectangle over the target rectangle.
void StretchRect(Image24 &target, const TRect &targetRect, const Image24 &source, const TRect &sourceRect,
                 StretchQuality quality);

// Copies the four edge strips, b pixels wide, of a width x height area at (sx, sy) of the source to
// (x, y) of the target. The right and bottom strips are measured from the target's origin (callers pass
// x = y = 0), so they copy from their strip to the end of the area.
void CopyBorderStrips(Image24 &target, int x, int y, int width, int height, const Image24 &source, int sx, int sy,
                      int b);
