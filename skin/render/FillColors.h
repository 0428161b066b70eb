#pragma once
// The colours that stand in for a parent's background while one item is painted. Item painting works
// them out from the parent and hands them down to the painters it calls; KeyColor means none.

#include "skin/pixels/Color.h"

struct TsFillColors {
  // Replaces see-through parts of an item when no cached parent background is used.
  TColor Fill = KeyColor;
  // Replaces key-coloured pixels of a border picture when the parent has no cache.
  TColor KeyFill = KeyColor;
};
