#pragma once
// A window's redraw off for the lifetime of the object, so the system's own handling of a message does not
// paint the unskinned look between two skinned paints; on again afterwards, also when that handling raised
// or freed the adapter. Only a window with the visible style is switched: redraw on gives a window that
// style, which would show a hidden window.

#include <windows.h>

class RedrawOff {
public:
  explicit RedrawOff(HWND window) : window_(window), switched_(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) {
    if (switched_) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawOff() {
    if (switched_ && IsWindow(window_)) SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
  }
  RedrawOff(const RedrawOff &) = delete;
  RedrawOff &operator=(const RedrawOff &) = delete;

private:
  HWND window_;
  bool switched_;
};
