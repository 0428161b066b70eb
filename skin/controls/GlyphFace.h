#pragma once
// The face of an edit's built-in button: a glyph picture of three frames side by side (normal, active,
// pressed), its upper half the picture and its lower half the mask, drawn centred over the button's
// background and faded or greyed while the edit is idle.

#include "skin/pixels/Geometry.h"
#include "skin/pixels/Image24.h"

// The size of one frame of a glyph picture; 16 by 16 without a picture.
struct TsGlyphFrame {
  int Width = 16;
  int Height = 16;
};
TsGlyphFrame GlyphFrameOf(const Image24 *picture);

// The button is as wide as a frame and a pixel on each side; 0 when the frame has no width.
int GlyphButtonWidth(const TsGlyphFrame &frame);

// Where the frame stands on a button of that size: centred, halves rounded toward zero.
TRect GlyphTarget(TSize button, const TsGlyphFrame &frame);

// 2 while pressed, 1 while the mouse is over the button, else 0.
int GlyphFrameIndex(bool pressed, bool mouseOver);

struct TsGlyphLook {
  int Frame = 0;
  // The edit is idle (not active, the mouse not over the button): Grayed and Blend apply.
  bool Idle = false;
  bool Grayed = false;
  // 0 to 100: how far the idle glyph fades into the background.
  int Blend = 0;
};

// The background's share (out of 255) in an idle glyph of that Blend; 100 hides the glyph entirely.
int GlyphBlendShare(int blend);

// Draws the glyph frame over the button's cache image (which holds the button's background), through the
// picture's mask, greyed or faded when idle. Works on a copy large enough for both the button and the
// picture, so a button taller or wider than the picture is drawn whole.
void PaintGlyphFace(Image24 &buttonCache, const Image24 &picture, const TsGlyphLook &look);
