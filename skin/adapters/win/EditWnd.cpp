#include "skin/adapters/win/EditWnd.h"

#include "skin/adapters/win/PrintClient.h"

#include <commctrl.h>

#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/Blending.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/render/MaskPainting.h"

namespace {

bool IsKeyOrButton(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP ||
         msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP;
}

} // namespace

bool TacEditWnd::ChangesView(const TMessage &m) const {
  if (IsKeyOrButton(m.Msg)) return true;
  switch (m.Msg) {
  case WM_MOUSEMOVE: return (m.WParam & MK_LBUTTON) != 0; // selecting with the mouse scrolls
  case WM_PAINT: return m.WParam == 0;                    // not while printing
  case WM_SETTEXT:
  case WM_CUT:
  case WM_PASTE:
  case WM_CLEAR:
  case WM_UNDO:
  case WM_SETFONT:
  case EM_REPLACESEL:
  case EM_SETSEL:
  case EM_SCROLL:
  case EM_LINESCROLL:
  case EM_SCROLLCARET:
  case EM_UNDO:
  case LB_ADDSTRING:
  case LB_INSERTSTRING:
  case LB_DELETESTRING:
  case LB_RESETCONTENT:
  case LB_SETTOPINDEX:
  case LB_SETCURSEL: return true;
  default: return false;
  }
}

bool TacListViewWnd::ChangesView(const TMessage &m) const {
  switch (m.Msg) {
  case LVM_INSERTITEMW:
  case LVM_DELETEITEM:
  case LVM_DELETEALLITEMS:
  case LVM_ENSUREVISIBLE:
  case LVM_SCROLL:
  case LVM_SETITEMCOUNT: return true;
  default: return TacEditWnd::ChangesView(m);
  }
}

bool TacTreeViewWnd::ChangesView(const TMessage &m) const {
  switch (m.Msg) {
  case TVM_INSERTITEMW:
  case TVM_DELETEITEM:
  case TVM_EXPAND:
  case TVM_ENSUREVISIBLE:
  case TVM_SELECTITEM: return true;
  default: return TacEditWnd::ChangesView(m);
  }
}

void TacEditWnd::PrepareCache() {
  const TsSkinManager *manager = Manager();
  const TsSkin *skin = manager ? manager->Skin() : nullptr;
  if (!skin) return;
  RECT window;
  GetWindowRect(Window(), &window);
  TsCommonData &data = SkinData();
  const int width = window.right - window.left, height = window.bottom - window.top;
  if (data.CacheImage.Width() != width || data.CacheImage.Height() != height || !data.CacheImage.NativeHandle())
    data.CacheImage = CreateDib24(width, height);
  const TColor border = skin->SkinData.BorderColor;
  if (DialogMode() && border != KeyColor) {
    // Inside a system dialog an edit is a plain window-coloured box with the skin's border colour.
    FillRectColor(data.CacheImage, TRect{0, 0, width, height}, ColorToRgb(clWindow));
    FillRectColor(data.CacheImage, TRect{0, 0, width, 1}, border);
    FillRectColor(data.CacheImage, TRect{0, height - 1, width, height}, border);
    FillRectColor(data.CacheImage, TRect{0, 0, 1, height}, border);
    FillRectColor(data.CacheImage, TRect{width - 1, 0, width, height}, border);
  } else {
    const TCacheInfo ci = TsCommonData::ParentCacheOfWindow(Window());
    PaintSkinItem(ItemData(), ci, true, 0, TRect{0, 0, width, height}, PositionInParent(), data.CacheImage, true);
    if (!IsWindowEnabled(Window()))
      PaintDisabled(data.CacheImage, data.DisabledKind, ParentLink(), PositionInParent(), ci);
  }
  data.BackgroundStale = false;
}

void TacEditWnd::PaintFrame(HDC windowDc) {
  TsCommonData &data = SkinData();
  if (data.BackgroundStale || data.CacheImage.Empty()) PrepareCache();
  if (data.CacheImage.Empty()) return;
  if (!DialogMode())
    RestoreCorners(data.CacheImage, *Manager()->Skin(), data.BorderImageIdx, 0, ParentLink(),
                   TsCommonData::ParentCacheOfWindow(Window()), PositionInParent());
  {
    const DcStateScope state(windowDc);
    const POINT offset = ClientOffset();
    RECT client;
    GetClientRect(Window(), &client);
    ExcludeClipRect(windowDc, offset.x, offset.y, offset.x + client.right, offset.y + client.bottom);
    for (const RECT &bar : {InWindow(BarRect(SB_HORZ)), InWindow(BarRect(SB_VERT)), InWindow(BoxRect())})
      if (!IsRectEmpty(&bar)) ExcludeClipRect(windowDc, bar.left, bar.top, bar.right, bar.bottom);
    const ImageSurface surface(data.CacheImage);
    BitBlt(windowDc, 0, 0, data.CacheImage.Width(), data.CacheImage.Height(), surface.Handle(), 0, 0, SRCCOPY);
  }
  PaintBars(windowDc);
}

void TacEditWnd::Print(HDC dc, LPARAM flags) {
  const DcStateScope state(dc);
  if (SkinActive() && !PaintSuspended()) PaintFrame(dc);
  PrintClientArea(Window(), dc, flags);
}

void TacEditWnd::WndProc(TMessage &m) {
  switch (m.Msg) {
  case WM_NCPAINT:
    if (!SkinActive()) break;
    if (IsWindowVisible(Window()) && !PaintSuspended()) {
      const WindowDC dc(Window(), true);
      PaintFrame(dc.Get());
    }
    return;
  case WM_PRINT: Print(reinterpret_cast<HDC>(m.WParam), m.LParam); return;
  case WM_PAINT:
    if (SkinActive() && PaintSuspended() && !m.WParam) {
      ValidateRect(Window(), nullptr);
      return;
    }
    break;
  }
  TacBaseWnd::WndProc(m);
}
