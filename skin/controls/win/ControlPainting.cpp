#include "skin/controls/win/ControlPainting.h"

#include "skin/engine/win/SkinDelivery.h"
#include "toolkit/ui/SystemInfo.h"

void PaintOnce(HWND window, HDC given, bool wholeWindow, const std::function<void(HDC)> &paint) {
  if (given) {
    ValidateRect(window, nullptr);
    const DcStateScope state(given);
    paint(given);
    return;
  }
  PAINTSTRUCT ps;
  const HDC own = BeginPaint(window, &ps);
  if (wholeWindow) {
    const WindowDC whole(window, true);
    paint(whole.Get());
  } else if (own) {
    const DcStateScope state(own);
    paint(own);
  }
  EndPaint(window, &ps);
}

void NoteVisibility(TsCommonData &data, TControl &control) {
  TWinControl *parent = control.Parent();
  if (data.PartlyVisible || (parent && PerformSkinCommand(*parent, AC_QUERYHALFVISIBLE).LParam == 1))
    data.BackgroundStale = true;
  if (!parent) return;
  // Right and bottom edges may lie on the parent's client edge.
  const RECT client = parent->ClientRect(), bounds = control.BoundsRect();
  data.PartlyVisible = bounds.left < client.left || bounds.top < client.top || bounds.right > client.right ||
                       bounds.bottom > client.bottom;
}

void TakeThemeOff(TWinControl &control, const TsCommonData &data) {
  if (data.UsesSkin() && ThemesInUse()) RemoveWindowTheme(control.Handle());
}
