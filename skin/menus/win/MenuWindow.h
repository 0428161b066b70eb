#pragma once
// The windows of popup menus (class "#32768"). A skinned menu paints its background into the whole window
// and its items over it, so the window must not erase or frame itself while a skinned menu is drawn in it,
// and its outline follows the skin's corners. TacMnuWnd does that for one window; the menus layer keeps the
// one adapter of each menu window and frees it when its window is destroyed.
//
// One owner per window: whoever meets a menu window (the skinned menus when they first draw into it, a
// hook that sees it being created) asks AdoptMenuWindow for its adapter and never makes one itself, so the
// window is subclassed once, whatever the order, and unhooked once, when it goes.

#include <windows.h>

#include "skin/adapters/win/ScrollWnd.h"
#include "skin/pixels/Image24.h"

// What a menu window shows under its items while a skinned menu is drawn in it.
class TsMenuBackdrop {
public:
  virtual ~TsMenuBackdrop() = default;
  // The background painted for the window, as large as the window; null when there is none.
  virtual const Image24 *BackgroundOf(HWND window) const = 0;
  // The window is being destroyed: what was painted for it goes too.
  virtual void WindowGone(HWND window) = 0;
};
// The skinned menus put theirs in place while they draw the program's menus; null for none.
void SetMenuBackdrop(TsMenuBackdrop *backdrop);

class TacMnuWnd final : public TacScrollWnd {
public:
  TacMnuWnd(Key key, const TacAdapterSetup &setup) : TacScrollWnd(key, setup) {}

protected:
  void WndProc(TMessage &m) override;

private:
  // The frame around the client area, from the background.
  void PaintFrame(const Image24 &background);
  // WM_PRINT: the background, then the items over it through the window's own client printing.
  void Print(TMessage &m, const Image24 &background);
};

// The adapter of a menu window, made on the first call; null for a window that is not a menu window or
// that another adapter already holds.
TacMnuWnd *AdoptMenuWindow(HWND window);
// The number of menu windows that have an adapter now.
int AdoptedMenuWindows();
// Unhooks and frees the adapters of all menu windows (the skin went).
void ReleaseMenuWindows();

// The menu window that a device context draws into: its own (from BeginPaint or GetDC), or one that is
// printing itself into it. Printing says the latter: the context's origin is the client area's.
struct TsMenuSurface {
  HWND Window = nullptr;
  bool Printing = false;
};
TsMenuSurface MenuSurfaceOf(HDC dc);

// Where a window's client area begins inside the window.
POINT ClientOriginOf(HWND window);
