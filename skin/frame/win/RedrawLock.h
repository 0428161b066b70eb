#pragma once
// Switches redraw off for the visible child windows of a window and, when it ends, back on for exactly
// those: switching redraw off hides a window, so asking which are visible afterwards finds none.

#include <windows.h>

#include <vector>

class TsChildRedrawLock {
public:
  explicit TsChildRedrawLock(HWND parent);
  ~TsChildRedrawLock();
  TsChildRedrawLock(const TsChildRedrawLock &) = delete;
  TsChildRedrawLock &operator=(const TsChildRedrawLock &) = delete;

private:
  std::vector<HWND> locked_;
};
