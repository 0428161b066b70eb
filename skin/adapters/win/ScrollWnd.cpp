#include "skin/adapters/win/ScrollWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/adapters/ScrollBarPainter.h"
#include "skin/adapters/win/ScrollInput.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/win/DibStorage.h"

namespace {

constexpr DWORD ScrollStyles = WS_HSCROLL | WS_VSCROLL;
// The system command its own bars would start a scroll loop with.
constexpr WPARAM VerticalScrollCommand = 0xF077;

TRect ToRect(const RECT &r) { return TRect{r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const TRect &r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

int BarIndex(int bar) { return bar == SB_VERT ? 1 : 0; }

} // namespace

TacScrollWnd::TacScrollWnd(Key key, const TacAdapterSetup &setup)
    : TacMainWnd(key, setup), repaintNow_(setup.RepaintNow) {
  bars_[1].Vertical = true;
}

TacScrollWnd::~TacScrollWnd() {
  TacScrollInput::Forget(*this);
  Detach();
  // The system lays out its own bars again.
  if (!WindowGoing())
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TacScrollWnd::Started() {
  UpdateBars();
  if (repaintNow_)
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TacScrollWnd::CleanUp() { TacScrollInput::Forget(*this); }

int TacScrollWnd::BarThickness(int bar) const {
  const int override = ThicknessOverride[BarIndex(bar)];
  if (override >= 0) return override;
  return GetSystemMetrics(bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
}

int TacScrollWnd::ArrowLength(int bar) const {
  const int override = ArrowOverride[BarIndex(bar)];
  return override >= 0 ? override : GetSystemMetrics(SM_CXHSCROLL);
}

int TacScrollWnd::PictureArrowLength(int bar) const {
  const int plain = ArrowLength(bar);
  const TsSkinManager *manager = Manager();
  const TsSkin *skin = manager ? manager->Skin() : nullptr;
  if (!skin || ArrowOverride[BarIndex(bar)] >= 0) return plain;
  // Arrows drawn from pictures are as long as their pictures, at least.
  const int left = skin->SectionIndex("SCROLLBTNLEFT");
  if (left < 0 || !skin->GeneralData[static_cast<size_t>(left)].ReservedBoolean ||
      !skin->IsValidImageIndex(skin->ImageIndex(left, "SCROLLBTNLEFT", "BORDERSMASK")))
    return plain;
  const char *section = bar == SB_VERT ? "SCROLLBTNTOP" : "SCROLLBTNLEFT";
  const TPoint frame = skin->ImageFrameSize(skin->ImageIndex(skin->SectionIndex(section), section, "BORDERSMASK"));
  return std::max(plain, bar == SB_VERT ? frame.Y : frame.X);
}

TacScrollRange TacScrollWnd::RangeOf(int bar) const {
  const SCROLLINFO &info = Bar(bar).Info;
  return TacScrollRange{info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

void TacScrollWnd::ReadBar(ScrollBar &bar) {
  const int code = bar.Vertical ? SB_VERT : SB_HORZ;
  bar.Info = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(Window(), code, &bar.Info)) bar.Info = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  bar.DisabledArrows = 0;
  bar.Available = GetScrollBarInfo(Window(), bar.Vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info) != 0;
  if (!bar.Available) return;
  if (info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) bar.DisabledArrows |= ESB_DISABLE_LTUP;
  if (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) bar.DisabledArrows |= ESB_DISABLE_RTDN;
  bar.Available = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && bar.DisabledArrows != ESB_DISABLE_BOTH;
}

void TacScrollWnd::UpdateBars() {
  ReadBar(bars_[0]);
  ReadBar(bars_[1]);
  RepaintBars();
}

void TacScrollWnd::CalcSize(TMessage &m) {
  RECT &rect = *reinterpret_cast<RECT *>(m.LParam); // the first rectangle in both forms of the message
  const RECT proposed = rect;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(Window(), GWL_STYLE));
  const DWORD scrollStyles = style & ScrollStyles;
  // Without its scroll-bar styles the window leaves no room for bars of the system's own, and the system
  // never draws them; the adapter keeps that room for its bars.
  if (scrollStyles) {
    styleGuard_ = true;
    SetWindowLongW(Window(), GWL_STYLE, static_cast<LONG>(style & ~ScrollStyles));
  }
  const bool alive = CallPrevious(m);
  if (scrollStyles)
    SetWindowLongW(Window(), GWL_STYLE, GetWindowLongW(Window(), GWL_STYLE) | static_cast<LONG>(scrollStyles));
  if (!alive) return;
  styleGuard_ = false;
  leftScrollBar_ = GetWindowLongW(Window(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  bars_[0].Present = style & WS_HSCROLL;
  bars_[1].Present = style & WS_VSCROLL;
  layout_ = LayOutBars({ToRect(proposed), ToRect(rect), bars_[0].Present, bars_[1].Present, leftScrollBar_,
                        BarThickness(SB_HORZ), BarThickness(SB_VERT)});
  bars_[0].Visible = layout_.HorzVisible;
  bars_[1].Visible = layout_.VertVisible;
  rect = ToRECT(layout_.Client);
  rect.right = std::max(rect.right, rect.left);
  rect.bottom = std::max(rect.bottom, rect.top);
}

RECT TacScrollWnd::BarRect(int bar) const {
  RECT window;
  GetWindowRect(Window(), &window);
  const auto rect = bar == SB_VERT ? VertBarRect : HorzBarRect;
  return ToRECT(rect(ToRect(window), layout_, BarThickness(SB_HORZ), BarThickness(SB_VERT), leftScrollBar_));
}

RECT TacScrollWnd::BoxRect() const {
  RECT window;
  GetWindowRect(Window(), &window);
  return ToRECT(BarBoxRect(ToRect(window), layout_, BarThickness(SB_HORZ), BarThickness(SB_VERT), leftScrollBar_));
}

RECT TacScrollWnd::InWindow(RECT screen) const {
  RECT window;
  GetWindowRect(Window(), &window);
  OffsetRect(&screen, -window.left, -window.top);
  return screen;
}

bool TacScrollWnd::BoxIsParentCorner() const {
  const HWND parent = GetParent(Window());
  if (!parent || (GetWindowLongW(parent, GWL_STYLE) & WS_CHILD)) return false;
  RECT window, client;
  GetWindowRect(Window(), &window);
  GetClientRect(parent, &client);
  POINT corner{leftScrollBar_ ? window.left : window.right, window.bottom};
  ScreenToClient(parent, &corner);
  return corner.y == client.bottom && corner.x == (leftScrollBar_ ? client.left : client.right);
}

TacScrollPart TacScrollWnd::PartAtPoint(int bar, POINT screen) const {
  const RECT r = BarRect(bar);
  const bool vertical = bar == SB_VERT;
  if (vertical ? (screen.x < r.left || screen.x >= r.right) : (screen.y < r.top || screen.y >= r.bottom)) return spNone;
  const int along = vertical ? screen.y - r.top : screen.x - r.left;
  return PartAt(along, RangeOf(bar), vertical ? r.bottom - r.top : r.right - r.left, ArrowLength(bar));
}

bool TacScrollWnd::HitTest(TMessage &m) {
  const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  for (const int bar : {SB_HORZ, SB_VERT}) {
    const RECT r = BarRect(bar);
    if (!Bar(bar).Visible || !PtInRect(&r, p)) continue;
    ReadBar(Bar(bar));
    m.Result = Bar(bar).Available ? (bar == SB_VERT ? HTVSCROLL : HTHSCROLL) : HTNOWHERE;
    return true;
  }
  const RECT box = BoxRect();
  if (PtInRect(&box, p) && BoxIsParentCorner()) {
    m.Result = leftScrollBar_ ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
    return true;
  }
  return false;
}

void TacScrollWnd::PaintBar(HDC windowDc, int bar) {
  const RECT r = InWindow(BarRect(bar));
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  const TsSkinManager &manager = *Manager();
  TCacheInfo background;
  SendSkinCommand(Window(), AC_QUERYCACHE, 0, reinterpret_cast<LPARAM>(&background));
  const POINT client = ClientOffset();
  TacBarLook look;
  look.Vertical = bar == SB_VERT;
  look.Range = RangeOf(bar);
  look.ArrowLength = ArrowLength(bar);
  look.PictureArrowLength = PictureArrowLength(bar);
  look.Enabled = Bar(bar).Available && IsWindowEnabled(Window());
  look.Pressed = TacScrollInput::DrawnPressed(*this, bar);
  look.Hot = TacScrollInput::Hot(*this, bar);
  look.DraggedThumbStart = TacScrollInput::DraggedThumbStart(*this, bar);
  look.Background = background;
  look.Position = TPoint{r.left - client.x, r.top - client.y};
  Image24 image = CreateDib24(width, height);
  PaintScrollBar(image, *manager.Skin(), manager.QuickIndexes(), look);
  const ImageSurface surface(image);
  BitBlt(windowDc, r.left, r.top, width, height, surface.Handle(), 0, 0, SRCCOPY);
}

void TacScrollWnd::PaintBox(HDC windowDc) {
  const RECT r = InWindow(BoxRect());
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  TCacheInfo background;
  SendSkinCommand(Window(), AC_QUERYCACHE, 0, reinterpret_cast<LPARAM>(&background));
  const POINT client = ClientOffset();
  Image24 image = CreateDib24(width, height);
  PaintBarBox(image, *Manager()->Skin(), background, TPoint{r.left - client.x, r.top - client.y}, BoxIsParentCorner());
  const ImageSurface surface(image);
  BitBlt(windowDc, r.left, r.top, width, height, surface.Handle(), 0, 0, SRCCOPY);
}

void TacScrollWnd::PaintBars(HDC windowDc) {
  if (!SkinActive()) return;
  if (SkinData().BackgroundStale) SendSkinCommand(Window(), AC_PREPAREPAINT);
  for (const int bar : {SB_HORZ, SB_VERT}) {
    if (!Bar(bar).Visible) continue;
    ReadBar(Bar(bar));
    PaintBar(windowDc, bar);
  }
  if (bars_[0].Visible && bars_[1].Visible) PaintBox(windowDc);
}

void TacScrollWnd::RepaintBars() {
  if (busy_ || !IsWindowVisible(Window()) || PaintSuspended()) return;
  const TControl *control = SkinData().HostControl();
  if (control && (control->ControlState() & csCreating)) return;
  const WindowDC dc(Window(), true);
  PaintBars(dc.Get());
}

void TacScrollWnd::SendScroll(int bar, int code, int position) {
  SendSkinCommand(Window(), AC_LOCKREDRAW);
  if (code == SB_THUMBTRACK) SetScrollPos(Window(), bar, position, FALSE);
  SendMessageW(Window(), bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position), 0);
  SendSkinCommand(Window(), AC_UNLOCKREDRAW);
}

void TacScrollWnd::WndProc(TMessage &m) {
  switch (m.Msg) {
  case WM_NCCALCSIZE: CalcSize(m); return;
  case WM_STYLECHANGING:
  case WM_STYLECHANGED:
    if (styleGuard_) return;
    break;
  case WM_NCHITTEST:
    if (HitTest(m)) return;
    break;
  case WM_NCPAINT:
    if (!CallPrevious(m)) return;
    RepaintBars();
    return;
  case WM_PRINT: {
    // The window (or the frame provider in front of it) prints itself, the bars go over that.
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    const DcStateScope state(dc);
    if (!CallPrevious(m)) return;
    if (!PaintSuspended()) PaintBars(dc);
    return;
  }
  case WM_MOUSEWHEEL:
  case CM_MOUSEWHEEL:
  case CM_FOCUSCHANGED:
    if (!CallPrevious(m)) return;
    if (!busy_) UpdateBars();
    return;
  case WM_SYSCOMMAND:
    if (m.WParam == VerticalScrollCommand) return;
    break;
  }
  if (TacScrollInput::Handle(*this, m)) return;
  TacMainWnd::WndProc(m);
}
