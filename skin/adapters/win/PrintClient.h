#pragma once
// Printing a window's client area into a device context that holds the whole window (WM_PRINT): the
// window draws its content inside its frame, and the device context goes back as it came.

#include <windows.h>

// Moves the origin to the client area, clips to it, and lets the window erase, paint and print its
// client area there. flags: WM_PRINT's.
void PrintClientArea(HWND window, HDC dc, LPARAM flags);
