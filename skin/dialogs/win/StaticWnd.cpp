#include "skin/dialogs/win/StaticWnd.h"

#include "skin/adapters/win/RedrawOff.h"
#include "skin/adapters/win/WindowReading.h"
#include "skin/dialogs/DialogRules.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "skin/render/SkinText.h"
#include "toolkit/ui/Graphics.h"

namespace {

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }

// The icon's own size; its bitmaps, which the system copies for the question, are freed again.
SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return SIZE{0, 0};
  const GdiObject mask(info.hbmMask), color(info.hbmColor);
  BITMAP bitmap{};
  GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
  // Without a colour bitmap the mask holds the icon's two halves one above the other.
  return SIZE{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// Where a picture of that size goes in the client area: its centre with SS_CENTERIMAGE, else the whole area.
RECT PictureRect(HWND window, SIZE size) {
  RECT client;
  GetClientRect(window, &client);
  if (!(StyleOf(window) & SS_CENTERIMAGE)) return client;
  const int x = (client.right - size.cx) / 2, y = (client.bottom - size.cy) / 2;
  return RECT{x, y, x + size.cx, y + size.cy};
}

} // namespace

bool TacStaticWnd::PaintsWindow() const {
  switch (StyleOf(Window()) & SS_TYPEMASK) {
  case SS_LEFT:
  case SS_CENTER:
  case SS_RIGHT:
  case SS_LEFTNOWORDWRAP: return true;
  default: return false;
  }
}

void TacStaticWnd::PrepareCache() {
  TsCommonData &data = SkinData();
  if (!data.Skin() || !data.Section()) return;
  RECT client;
  GetClientRect(Window(), &client);
  if (data.CacheImage.Width() != client.right || data.CacheImage.Height() != client.bottom ||
      !data.CacheImage.NativeHandle())
    data.CacheImage = CreateDib24(client.right, client.bottom);
  PaintSkinItem(ItemData(), TsCommonData::ParentCacheOfWindow(Window()), true, 0,
                TRect{0, 0, client.right, client.bottom}, PositionInParent(), data.CacheImage, true);
  DrawContent(data.CacheImage);
  data.BackgroundStale = false;
}

void TacStaticWnd::DrawContent(Image24 &cache) {
  const HWND window = Window();
  const std::string text = ReadWindowText(window);
  if (text.empty()) return;
  TsItemData item = ItemData();
  item.Font = WindowFont(window);
  GdiTextCanvas canvas(cache);
  canvas.Font = item.Font;
  WriteSkinText(canvas, text, IsWindowEnabled(window), false, item, StaticTextFlags(StyleOf(window)),
                TRect{0, 0, cache.Width(), cache.Height()});
}

void TacIconWnd::DrawContent(Image24 &cache) {
  const HWND window = Window();
  const ImageSurface surface(cache);
  if ((StyleOf(window) & SS_TYPEMASK) == SS_ICON) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, STM_GETICON, 0, 0));
    if (!icon) return;
    const RECT r = PictureRect(window, IconSize(icon));
    DrawIconEx(surface.Handle(), r.left, r.top, icon, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
    return;
  }
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return;
  const RECT r = PictureRect(window, SIZE{info.bmWidth, info.bmHeight});
  const MemoryDC source;
  const SelectionScope selected(source.Get(), bitmap);
  BitBlt(surface.Handle(), r.left, r.top, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
}

void TacStaticWnd::Paint(HDC dc) {
  if (PaintWaits()) return;
  PrepareCache();
  CopyCacheTo(dc);
}

void TacStaticWnd::Repaint() {
  if (!IsWindowVisible(Window())) return;
  const WindowDC dc(Window());
  Paint(dc.Get());
}

void TacStaticWnd::WndProc(TMessage &m) {
  if (!SkinActive() || !PaintsWindow()) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
  case WM_PAINT:
    if (m.WParam) {
      PrepareCache();
      CopyCacheTo(reinterpret_cast<HDC>(m.WParam));
    } else {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(Window(), &paint);
      Paint(dc);
      EndPaint(Window(), &paint);
    }
    m.Result = 0;
    return;
  case WM_PRINTCLIENT:
    PrepareCache();
    CopyCacheTo(reinterpret_cast<HDC>(m.WParam));
    return;
  case WM_ERASEBKGND: m.Result = 1; return;
  case WM_SETTEXT:
  case WM_ENABLE:
  case STM_SETICON:
  case STM_SETIMAGE: {
    const std::shared_ptr<const bool> alive = AliveFlag();
    {
      const RedrawOff off(Window());
      TacMainWnd::WndProc(m);
    }
    if (*alive) Repaint();
    return;
  }
  }
  TacMainWnd::WndProc(m);
}
