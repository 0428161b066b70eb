#pragma once
// Two process-wide colours that stand in for a parent's background while one item is painted (GUI
// thread only). Both are KeyColor ("none") when nothing is set; every item painter resets them.

#include "skin/pixels/Color.h"

// Replaces see-through parts of an item when no cached parent background is used.
inline TColor FillColor = KeyColor;
// Replaces key-coloured pixels of a border picture when the parent has no cache.
inline TColor KeyFillColor = KeyColor;
