#pragma once
// Small pictures of the program drawn into a frame cache: title button glyphs and the title icon's
// bitmap, each with one transparent colour.

#include "skin/pixels/Image24.h"
#include "skin/pixels/Geometry.h"
#include "toolkit/ui/Graphics.h"

// The bitmap's pixels as a 24-bit image (the fourth byte of 32-bit pixels dropped).
Image24 BitmapPixels(TBitmap &bitmap);

// Draws the glyph into dest of target, stretched when the sizes differ, leaving out pixels of the key
// colour.
void DrawGlyphKeyed(Image24 &target, TBitmap &glyph, const TRect &dest, TColor key);
