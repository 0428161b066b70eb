#pragma once
// Where a skinned progress bar shows its progress: the progress rectangle inside the trough and the
// pieces that fill it, one smooth strip or a row of blocks (with a shorter remainder block at the
// maximum). Horizontal bars fill from the left, vertical ones from the bottom.

#include <vector>

#include "skin/pixels/Geometry.h"

enum class TsBarOrientation { Horizontal, Vertical };

struct TsProgressBarShape {
  TSize Bar;           // the whole bar
  TSize Client;        // its client area
  int BorderWidth = 0; // the frame's width
  int Min = 0;
  int Max = 100;
  int Position = 0;
  bool Smooth = false;
  TsBarOrientation Orientation = TsBarOrientation::Horizontal;
  bool operator==(const TsProgressBarShape &) const = default;
};

struct TsProgressLayout {
  // The progress rectangle; nothing is shown when it is empty.
  TRect Area;
  // Pieces are Thickness across the bar; blocks BlockLength along it, Gap apart; the bar holds BlockCount.
  int Thickness = 0;
  int BlockLength = 0;
  int Gap = 0;
  int BlockCount = 0;
  // Where each piece goes, as laid out: a piece may reach past Area (see VisiblePart).
  std::vector<TRect> Pieces;
};

// The layout for the bar's position; without a range (Min not below Max) the trough alone. The position
// counts from Min, so the share shown is (Position - Min) / (Max - Min).
TsProgressLayout LayOutProgress(const TsProgressBarShape &bar);

// The part of a piece that is painted: pieces are laid out one row thicker than the progress rectangle,
// and the remainder block by its gap longer, so they are cut to it and leave the trough's edge showing.
TRect VisiblePart(const TRect &piece, const TRect &area);
