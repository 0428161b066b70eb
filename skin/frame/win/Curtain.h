#pragma once
// A window laid over the top band of a skinned frame while the system paints its own caption there
// (WM_SETTEXT, and WM_NCACTIVATE before Vista): it shows the frame cache instead, so the system's caption
// never reaches the screen. Removing it uncovers the band, and the frame repaints it from the cache.

#include <windows.h>

#include "skin/pixels/Image24.h"

class TsCurtain {
public:
  // Covers the band (rows 0 to height of the window, screen coordinates) with the cache's top rows;
  // shown without activation, above the window (topmost when the window is).
  TsCurtain(HWND window, const Image24 &cache, int height);
  ~TsCurtain();
  TsCurtain(const TsCurtain &) = delete;
  TsCurtain &operator=(const TsCurtain &) = delete;

  HWND Handle() const { return handle_; }

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  const Image24 &cache_;
};
