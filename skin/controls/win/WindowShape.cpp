#include "skin/controls/win/WindowShape.h"

#include "toolkit/ui/Graphics.h"

bool SetWindowShape(HWND window, const TsWindowShape &shape, bool redraw) {
  GdiObject region(CreateRectRgn(0, 0, shape.Size.Width, shape.Size.Height));
  if (!region.Get()) return false;
  for (const TRect &cut : shape.Cuts) {
    const GdiObject run(CreateRectRgn(cut.Left, cut.Top, cut.Right, cut.Bottom));
    if (run.Get())
      CombineRgn(static_cast<HRGN>(region.Get()), static_cast<HRGN>(region.Get()), static_cast<HRGN>(run.Get()),
                 RGN_DIFF);
  }
  if (!SetWindowRgn(window, static_cast<HRGN>(region.Get()), redraw)) return false;
  region.Release(); // the window's now: the system deletes it with the next shape or the window
  return true;
}

void RemoveWindowShape(HWND window, bool redraw) { SetWindowRgn(window, nullptr, redraw); }
