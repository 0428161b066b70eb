#pragma once
// How the push-button adapter draws a standard push button from the skin: which state it shows, how its
// caption is laid out, and where a bit button's picture stands beside the caption.

#include <cstdint>

#include "skin/pixels/Geometry.h"

// What the button and the mouse say at the moment of painting.
struct TacPushButtonFacts {
  bool Pushed = false; // BM_GETSTATE reports BST_PUSHED
  bool Enabled = true;
  bool Focused = false; // keyboard focus
  bool Hot = false;     // the window under the mouse
  bool Default = false; // a default push button
};

// 2 pushed, 0 disabled, 1 focused or hot, else 1 for a default button and 0 for any other.
int PushButtonStateIndex(const TacPushButtonFacts &facts);

// A button of a system dialog counts as default with style bit 1 set (default push, split and command
// link buttons alike); a control's button when its type bits are BS_DEFPUSHBUTTON.
bool IsDefaultPushButton(uint32_t style, bool dialogMode);

// Centred, tabs expanded; the caption wraps only when the style asks for several lines (BS_MULTILINE).
uint32_t PushButtonTextFlags(uint32_t style);

// Where the caption goes in a button of that size, for a caption that measured text (0 x 0 when empty):
// centred, one pixel more room on the left and two on the right, one pixel lower and to the right while
// pushed.
TRect PushButtonCaptionRect(TSize button, TSize text, bool pushed);

// The width the caption is measured in: the button's less a pixel on each side.
inline int PushButtonCaptionWidth(int buttonWidth) { return buttonWidth - 2; }

// Where a picture stands in a bit button and how far the caption moves to make room for it.
enum class TacGlyphLayout { Left, Right, Top, Bottom };
struct TacGlyphPlacement {
  TPoint Glyph;      // the picture's top-left corner
  TPoint TextOffset; // added to the centred caption's place
};
// margin: the picture's distance from the button's edge, -1 to centre picture and caption together;
// spacing: between picture and caption (none for an empty caption).
TacGlyphPlacement PlaceButtonGlyph(TSize button, TSize glyph, TSize text, TacGlyphLayout layout, int margin,
                                   int spacing);
