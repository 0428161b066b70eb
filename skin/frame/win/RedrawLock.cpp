#include "skin/frame/win/RedrawLock.h"

TsChildRedrawLock::TsChildRedrawLock(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) locked_.push_back(child);
  for (HWND child : locked_)
    SendMessageW(child, WM_SETREDRAW, FALSE, 0);
}

TsChildRedrawLock::~TsChildRedrawLock() {
  for (HWND child : locked_)
    if (IsWindow(child)) SendMessageW(child, WM_SETREDRAW, TRUE, 0);
}
