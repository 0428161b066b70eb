#pragma once
// The face of a skinned push button: which state it shows, where its caption and its focus mark go, and
// the window shape its border picture gives it.

#include <cstdint>
#include <vector>

#include "skin/pixels/Geometry.h"

// What decides the state a button shows.
struct TsButtonLook {
  bool Pushed = false;        // the window reports itself pushed, or the pressed face is asked for
  bool MouseOver = false;     // the mouse is over the button
  bool LeftHeld = false;      // the left mouse button went down on the button and is still held
  bool DefaultButton = false; // the form's default button (the one Enter presses)
  bool ShowsActive = false;   // focused, or hovered (the skin data's ShowsActive)
};

// 2 pressed, unless the mouse was dragged off while the left button is held; else 1 for the default
// button or an active one; else 0.
int ButtonStateIndex(const TsButtonLook &look);

// The caption is measured in a rectangle this wide (none for an empty caption) with these flags: centred,
// tabs expanded, broken at words when wrapping, else on one line.
int CaptionMeasureWidth(int buttonWidth, bool emptyCaption);
uint32_t CaptionMeasureFlags(bool wordWrap);
// The caption is drawn centred, tabs expanded, broken at words when wrapping.
uint32_t CaptionDrawFlags(bool wordWrap);

// Where a caption of the measured size stands on the button; pressed (state 2) one pixel right and down.
TRect CaptionRect(TSize button, TSize caption, int state);
// The focus mark: the caption rectangle enlarged by margin on every side.
TRect FocusMarkRect(TRect caption, int margin);

// A window shape: the button's rectangle with the transparent runs of its border picture's corners cut
// out (each a rectangle one pixel high).
struct TsWindowShape {
  TSize Size;
  std::vector<TRect> Cuts;
  bool operator==(const TsWindowShape &) const = default;
};
