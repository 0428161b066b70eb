#include "skin/dialogs/win/DialogWnd.h"

#include "skin/adapters/win/RedrawOff.h"
#include "skin/adapters/win/WindowReading.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/win/DibStorage.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

// Sent by some system dialogs when their content changed: the children are adapted again.
constexpr UINT ChildrenChanged = 0x52E;

bool IsCaptionElement(LRESULT hit) {
  return hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTHELP || hit == HTSYSMENU;
}

} // namespace

TacDialogWnd::TacDialogWnd(Key key, const TacAdapterSetup &setup)
    : TacScrollWnd(key, setup), style_(static_cast<DWORD>(GetWindowLongW(setup.Window, GWL_STYLE))),
      exStyle_(static_cast<DWORD>(GetWindowLongW(setup.Window, GWL_EXSTYLE))), frame_(*this, SkinData()),
      children_(setup.Window), systemMenu_(std::make_unique<TacSystemMenu>(setup.Window, style_)) {
  frame_.ResolveTitleImages();
}

TacDialogWnd::~TacDialogWnd() {
  children_.Clear();
  Detach();
  if (WindowGoing()) return;
  frame_.RemoveRegion(false);
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TacDialogWnd::TakeSkin() {
  if (TsSkinManager *manager = Manager()) SendSkinCommand(Window(), AC_SKINSET, 0, ManagerParam(*manager));
  if (Visible())
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::string TacDialogWnd::CaptionText() const { return ReadWindowText(Window()); }

TsFont TacDialogWnd::CaptionFont() const {
  TsFont font;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font.Name = Narrow(metrics.lfCaptionFont.lfFaceName);
    font.Charset = metrics.lfCaptionFont.lfCharSet;
  }
  return font;
}

HICON TacDialogWnd::Icon() const {
  const HWND window = Window();
  for (const WPARAM size : {ICON_SMALL, ICON_BIG})
    if (auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, size, 0))) return icon;
  if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM))) return icon;
  return reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
}

TSize TacDialogWnd::TitleIconSize(int autoSide) const { return Icon() ? TSize{autoSide, autoSide} : TSize{}; }

void TacDialogWnd::DrawTitleIcon(Image24 &cache, const TRect &r) {
  const HICON icon = Icon();
  if (!icon) return;
  const ImageSurface surface(cache);
  DrawIconEx(surface.Handle(), r.Left, r.Top, icon, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

TSize TacDialogWnd::ScrollBarSizes() const {
  return {BarVisible(SB_VERT) ? BarThickness(SB_VERT) : 0, BarVisible(SB_HORZ) ? BarThickness(SB_HORZ) : 0};
}

bool TacDialogWnd::InScrollBarCorner(TPoint point) const {
  const RECT box = InWindow(BoxRect());
  return !IsRectEmpty(&box) && PtInRect(&box, POINT{point.X, point.Y});
}

void TacDialogWnd::PopupSystemMenu(TPoint screen) {
  frame_.ClearHot();
  systemMenu_->PopupAt(POINT{screen.X, screen.Y});
}

void TacDialogWnd::SetShownState(TsWindowState state) {
  SendMessageW(Window(), WM_SYSCOMMAND, state == TsWindowState::Maximized ? SC_MAXIMIZE : SC_RESTORE, 0);
  if (IsWindow(Window())) systemMenu_->UpdateItems();
}

void TacDialogWnd::PrepareCache() { frame_.Render(); }

void TacDialogWnd::PaintFrame() {
  frame_.PaintToWindow();
  RepaintBars();
}

void TacDialogWnd::EraseBackground(HDC dc) {
  if (!frame_.CacheValid()) frame_.Render();
  const TsFrameGeometry g = frame_.Geometry();
  RECT client;
  GetClientRect(Window(), &client);
  SkinData().CopyCacheToDCWindows(Window(), TPoint{g.ClientOffsetX, g.ClientOffsetY}, 0, 0, false, dc, client);
  children_.Send(AC_PARENTREPAINT);
}

void TacDialogWnd::Activate(TMessage &m) {
  if (!Visible()) {
    CallPrevious(m);
    return;
  }
  const std::shared_ptr<const bool> alive = AliveFlag();
  {
    // The system would draw its own caption for the new state.
    const RedrawOff off(Window());
    CallPrevious(m);
  }
  if (!*alive) return;
  frame_.Active = LOWORD(m.WParam) != 0;
  frame_.InvalidateCache();
  PaintFrame();
}

void TacDialogWnd::HitTest(TMessage &m) {
  int code = TitleHit::Nowhere;
  if (frame_.Geometry().CaptionBarHeight > 0) code = frame_.HitTest(MousePoint(m.LParam));
  if (code != TitleHit::Nowhere && code != TitleHit::Caption) {
    m.Result = code;
    return;
  }
  frame_.ClearHot();
  if (!CallPrevious(m)) return;
  // The system's caption buttons are not where the skin draws its own: their places are caption.
  if (IsCaptionElement(m.Result)) m.Result = HTCAPTION;
}

HBRUSH TacDialogWnd::Brush() {
  const TColor color = ColorToRgb(Manager()->GlobalColor());
  if (!brush_.Get() || color != brushColor_) {
    brush_ = GdiObject(CreateSolidBrush(color));
    brushColor_ = color;
  }
  return static_cast<HBRUSH>(brush_.Get());
}

void TacDialogWnd::ControlColors(TMessage &m) {
  if (!CallPrevious(m)) return;
  if (m.Result != reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE))) return; // the dialog's own colours
  const auto dc = reinterpret_cast<HDC>(m.WParam);
  SetBkColor(dc, ColorToRgb(Manager()->GlobalColor()));
  if (const TColor font = Manager()->GlobalFontColor(); font != KeyColor) SetTextColor(dc, ColorToRgb(font));
  m.Result = reinterpret_cast<LRESULT>(Brush());
}

bool TacDialogWnd::HandleMenuMessage(TMessage &m) {
  switch (m.Msg) {
  case WM_COMMAND: return m.LParam == 0 && HIWORD(m.WParam) == 0 && systemMenu_->Dispatch(LOWORD(m.WParam));
  case WM_MEASUREITEM: {
    auto &measure = *reinterpret_cast<MEASUREITEMSTRUCT *>(m.LParam);
    if (m.WParam || measure.CtlType != ODT_MENU || !systemMenu_->Owns(measure.itemID)) return false;
    m.Result = DispatchMeasureItem(measure);
    return true;
  }
  case WM_DRAWITEM: {
    const auto &draw = *reinterpret_cast<const DRAWITEMSTRUCT *>(m.LParam);
    if (m.WParam || draw.CtlType != ODT_MENU || !systemMenu_->Owns(draw.itemID)) return false;
    m.Result = DispatchDrawItem(draw);
    return true;
  }
  case WM_SYSCOMMAND:
    // Alt+Space opens the skin's system menu, not the system's.
    if ((m.WParam & 0xFFF0) != SC_KEYMENU || LOWORD(m.LParam) != ' ' || !(style_ & WS_SYSMENU)) return false;
    PopupSystemMenu(frame_.BelowIcon());
    return true;
  default: return false;
  }
}

bool TacDialogWnd::HandleSkinCommand(TMessage &m) {
  const uint16_t command = SkinCommandOf(m.WParam);
  if (command != AC_SKINCLEARED && !SkinActive()) return TacScrollWnd::HandleSkinCommand(m);
  TsCommonData &data = SkinData();
  switch (command) {
  case AC_SKINSET:
  case AC_SKINREFRESH:
    if (!FromOwnManager(m)) return false;
    data.ResolveIndexes();
    frame_.ResolveTitleImages();
    frame_.FullRender = true;
    frame_.MarkRegionStale();
    if (command == AC_SKINREFRESH && Visible())
      RedrawWindow(Window(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    return true;
  case AC_QUERYCACHE: {
    if (!m.LParam) return true;
    if (!frame_.CacheValid() && Visible()) frame_.Render();
    const TsFrameGeometry g = frame_.Geometry();
    *reinterpret_cast<TCacheInfo *>(m.LParam) =
        TCacheInfo{&data.CacheImage, g.ClientOffsetX, g.ClientOffsetY, !data.CacheImage.Empty()};
    m.Result = 1;
    return true;
  }
  case AC_SETUPDATING:
    data.PaintLocked = SkinParamOf(m.WParam) == 1;
    if (data.PaintLocked) frame_.InvalidateCache();
    return true;
  case AC_QUERYBGCHANGED: return AnswerQuery(m, data.PaintLocked);
  case AC_QUERYOWNBG: {
    const TsGeneralData *section = data.Section();
    return AnswerQuery(m, section && section->GradientPercent + section->ImagePercent > 0);
  }
  case AC_QUERYCOLOR:
    if (const TsGeneralData *section = data.Section(); section && m.LParam) {
      *reinterpret_cast<TColor *>(m.LParam) = ColorToRgb(section->HotColor);
      m.Result = 1;
    }
    return true;
  case AC_ADAPTCHILDREN: AdaptChildren(); return true;
  // The mouse over the dialog itself changes nothing of its look.
  case AC_MOUSEENTER:
  case AC_MOUSELEAVE: return true;
  default: return TacScrollWnd::HandleSkinCommand(m);
  }
}

void TacDialogWnd::WndProc(TMessage &m) {
  if (m.Msg == WM_DESTROY) {
    const std::shared_ptr<const bool> alive = AliveFlag();
    const std::function<void()> gone = OnGone;
    TacScrollWnd::WndProc(m);
    if (*alive && gone) gone();
    return;
  }
  if (!SkinActive()) {
    TacScrollWnd::WndProc(m);
    return;
  }
  if (HandleMenuMessage(m)) return;
  switch (m.Msg) {
  case WM_ERASEBKGND:
    EraseBackground(reinterpret_cast<HDC>(m.WParam));
    m.Result = 1;
    return;
  case WM_CTLCOLORDLG: m.Result = reinterpret_cast<LRESULT>(Brush()); return;
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN: ControlColors(m); return;
  case WM_SIZE:
    frame_.InvalidateCache();
    frame_.MarkRegionStale();
    if (!CallPrevious(m)) return;
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return;
  case WM_ENABLE:
  case WM_SETTEXT: {
    if (!Visible()) break;
    const std::shared_ptr<const bool> alive = AliveFlag();
    {
      const RedrawOff off(Window());
      CallPrevious(m);
    }
    if (!*alive) return;
    frame_.InvalidateCache();
    SendMessageW(Window(), WM_NCPAINT, 1, 0);
    return;
  }
  case WM_WINDOWPOSCHANGED:
    frame_.InvalidateCache();
    frame_.MarkRegionStale();
    break;
  case WM_NCPAINT:
    if (!Visible()) break;
    PaintFrame();
    m.Result = 1;
    return;
  case WM_NCACTIVATE: Activate(m); return;
  case WM_NCHITTEST: HitTest(m); return;
  case WM_NCMOUSEMOVE: {
    // Told when the mouse leaves the title, so its hot button goes back to normal.
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE | TME_NONCLIENT, Window(), 0};
    TrackMouseEvent(&leave);
    break;
  }
  case WM_NCMOUSELEAVE: frame_.ClearHot(); break;
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
  case WM_LBUTTONUP:
  case WM_NCLBUTTONDBLCLK:
  case WM_NCRBUTTONDOWN:
  case WM_NCRBUTTONUP:
  case WM_MOUSELEAVE:
    if (frame_.HandleTitleMouse(m)) return;
    break;
  case WM_MOUSEMOVE:
    if (IsWindowEnabled(Window())) SetWindowUnderMouse(nullptr);
    break;
  case WM_PRINT: {
    // The system prints the window, client and children included; the skinned frame goes over its frame.
    const auto dc = reinterpret_cast<HDC>(m.WParam);
    const DcStateScope state(dc);
    if (!CallPrevious(m)) return;
    frame_.Blit(dc);
    PaintBars(dc);
    return;
  }
  case ChildrenChanged: {
    if (!CallPrevious(m)) return;
    AdaptChildren();
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return;
  }
  }
  TacScrollWnd::WndProc(m);
}
