#pragma once
// What adapters read of a window to draw it themselves: its text and the font it would draw it in, as
// the skin's text canvas takes them.

#include <windows.h>

#include <string>

#include "skin/pixels/TextCanvas.h"

// The window text, UTF-8.
std::string ReadWindowText(HWND window);
// The window's font (WM_GETFONT), or the system font when it names none.
TsFont WindowFont(HWND window);
