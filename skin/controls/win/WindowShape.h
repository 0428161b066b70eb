#pragma once
// A window's shape from a button face's shape (its rectangle less the transparent corner runs).

#include <windows.h>

#include "skin/controls/ButtonFace.h"

// Gives the window the shape; the system takes the region over. False when the system refused it.
bool SetWindowShape(HWND window, const TsWindowShape &shape, bool redraw);
// Takes the window's shape off: the whole window shows again.
void RemoveWindowShape(HWND window, bool redraw);
