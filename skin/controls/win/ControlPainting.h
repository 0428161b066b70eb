#pragma once
// What the skinned controls' window handling shares: the device context a paint goes to, the notes a
// control takes of how much of it its parent shows, and the themed look taken off.

#include <windows.h>

#include <functional>

#include "skin/engine/win/CommonData.h"

// Runs paint once on the device context that came with WM_PAINT or WM_PRINT, else on the window's own
// (its whole window, frame included, with wholeWindow). The window's update area is validated either way,
// and a lent context goes back as it came.
void PaintOnce(HWND window, HDC given, bool wholeWindow, const std::function<void(HDC)> &paint);

// Before a control repaints: its cache is stale when it or its parent is only partly visible, and it is
// partly visible when it does not lie wholly inside its parent's client area.
void NoteVisibility(TsCommonData &data, TControl &control);

// A window made while its control is skinned loses its themed look: the skin paints it, and a themed
// progress bar would go on animating (and repainting) on a timer of its own.
void TakeThemeOff(TWinControl &control, const TsCommonData &data);
