// The frame provider's hook in front of the form: which skin commands and window messages it answers,
// changes or passes on, skinned and not skinned.
#include <windows.h>

#include <commctrl.h>

#include "skin/engine/win/FormShowAnimation.h"
#include "skin/frame/FrameTracking.h"
#include "skin/frame/win/Curtain.h"
#include "skin/frame/win/OutlineTracker.h"
#include "skin/frame/win/RedrawLock.h"
#include "skin/frame/win/SkinProvider.h"
#include "skin/frame/win/SystemMenu.h"
#include "skin/pixels/ImageCopy.h"
#include "skin/pixels/win/DibStorage.h"
#include "toolkit/ui/ErrorPath.h"
#include "toolkit/ui/SystemInfo.h"

namespace {

constexpr WPARAM MoveByCaption = SC_MOVE | HTCAPTION;

bool VistaOrLater() { return WindowsMajorVersion() >= 6; }

bool SameSize(const Image24 &cache, HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return cache.Width() == r.right - r.left && cache.Height() == r.bottom - r.top;
}

void Answer(TMessage &m, LPARAM lParam, LRESULT result) {
  m.LParam = lParam;
  m.Result = result;
}

} // namespace

void TsSkinProvider::HandleMessage(TMessage &m, const TWindowHookNext &next) {
  if (m.Msg == SM_TESSORACMD && HandleCommandInBothRegimes(m, next)) return;
  // A form without a window hears no skin commands: its new window takes the skin in force.
  if (m.Msg == WM_CREATE) {
    frame_.DropTitleBand();
    next(m);
    PrepareFrame();
    UpdateScrollBars();
    return;
  }
  if (!Skinned()) {
    if (m.Msg == SM_TESSORACMD && SkinCommandOf(m.WParam) == AC_SKINSET && FromMyManager(m) && !form_->IsDestroying())
      return HandleSkinSetUnskinned(m);
    return next(m);
  }
  if (m.Msg == SM_TESSORACMD) return HandleSkinnedCommand(m, next);
  HandleSkinnedMessage(m, next);
}

bool TsSkinProvider::HandleCommandInBothRegimes(TMessage &m, const TWindowHookNext &) {
  switch (SkinCommandOf(m.WParam)) {
  case AC_SKINSET:
    if (FromMyManager(m) && !form_->IsDestroying() && !systemMenu_) PrepareFrame();
    return false; // each regime goes on with it
  case AC_SKINCLEARED: HandleSkinCleared(m); return true;
  case AC_QUERYSKINNED: Answer(m, 1, 1); return true;
  case AC_QUERYPROVIDER: m.Result = reinterpret_cast<LRESULT>(static_cast<TsFrameProviderLink *>(this)); return true;
  case AC_QUERYAPPLICATION: m.Result = reinterpret_cast<LRESULT>(static_cast<TApplication *>(Application)); return true;
  case AC_QUERYOFFSET: {
    const TsFrameGeometry g = frame_.Geometry();
    m.Result = MAKELONG(g.ClientOffsetX, g.ClientOffsetY);
    return true;
  }
  default: return false;
  }
}

void TsSkinProvider::HandleSkinSetUnskinned(TMessage &m) {
  skinData_.HandleSkinCommand(m); // updating until the refresh, indexes resolved
  frame_.InvalidateCache();
  if (!skinData_.SkinManager()) return;
  frame_.ResolveTitleImages();
  if (Skinned()) RemoveSystemMenuStyle();
  ApplyFormColor();
  ScanControls();
}

void TsSkinProvider::HandleSkinCleared(TMessage &m) {
  if (!FromMyManager(m)) return;
  scrollBars_.reset();
  if (controlAdapter_) {
    controlAdapter_->Forward(m);
    controlAdapter_.reset();
  }
  skinData_.HandleSkinCommand(m);
  if (!form_->IsDestroying()) {
    GiveSystemMenuStyleBack();
    if (form_->BorderStyle() != TFormBorderStyle::bsNone && form_->HandleAllocated()) frame_.RemoveRegion(true);
    if (useGlobalColor_ && !skinData_.CustomColor())
      form_->SetColor(clBtnFace);
    else if (form_->HandleAllocated())
      RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  frame_.DropCache();
  frame_.MarkRegionStale();
  frame_.FullRender = true;
}

void TsSkinProvider::HandleSkinnedCommand(TMessage &m, const TWindowHookNext &next) {
  const uint16_t param = SkinParamOf(m.WParam);
  switch (SkinCommandOf(m.WParam)) {
  case AC_SKINSET:
    if (!FromMyManager(m)) return next(m);
    skinData_.HandleSkinCommand(m);
    frame_.InvalidateCache();
    frame_.FullRender = true;
    frame_.ResolveTitleImages();
    RemoveSystemMenuStyle();
    if (Showing()) SendMessageW(form_->Handle(), WM_NCPAINT, 1, 0);
    return;
  case AC_SKINREFRESH:
    if (!FromMyManager(m)) return next(m);
    ScanControls();
    UpdateScrollBars();
    skinData_.HandleSkinCommand(m);
    frame_.InvalidateCache();
    frame_.FullRender = true;
    frame_.DropTitleBand();
    if (form_->BorderStyle() != TFormBorderStyle::bsNone) frame_.MarkRegionStale();
    if (Showing()) {
      SendMessageW(form_->Handle(), WM_NCPAINT, 1, 0);
      InvalidateRect(form_->Handle(), nullptr, FALSE);
      UpdateWindow(form_->Handle());
      ApplyFormColor();
      skinData_.PaintLocked = false;
    }
    return;
  case AC_QUERYCACHE:
    if (Loading() || !m.LParam) return;
    if (!frame_.CacheValid() && Showing()) frame_.Render();
    {
      const TsFrameGeometry g = frame_.Geometry();
      *reinterpret_cast<TCacheInfo *>(m.LParam) =
          TCacheInfo{&skinData_.CacheImage, g.ClientOffsetX, g.ClientOffsetY, !skinData_.CacheImage.Empty()};
    }
    m.Result = 1;
    return;
  case AC_SETUPDATING:
    skinData_.PaintLocked = param == 1;
    if (skinData_.PaintLocked) frame_.InvalidateCache();
    return;
  case AC_SETPARENTMODE:
    skinData_.HandleSkinCommand(m);
    if (skinData_.ParentMode) frame_.Render();
    return;
  case AC_QUERYBGCHANGED: Answer(m, skinData_.PaintLocked, skinData_.PaintLocked); return;
  case AC_SETPARENTLINK: skinData_.LinkedObject = m.LParam; return;
  case AC_QUERYOWNBG: {
    const TsGeneralData *section = skinData_.Section();
    const LPARAM own = section && section->GradientPercent + section->ImagePercent > 0;
    Answer(m, own, own);
    return;
  }
  case AC_QUERYCOLOR: {
    if (!m.LParam) return;
    const TsGeneralData *section = skinData_.Section();
    *reinterpret_cast<TColor *>(m.LParam) =
        ColorToRgb(section && !skinData_.CustomColor() ? section->HotColor : form_->Color());
    m.Result = 1;
    return;
  }
  case AC_CONTROLADDED:
    if (!Loading() && controlAdapter_ && m.LParam)
      if (auto *control = dynamic_cast<TWinControl *>(reinterpret_cast<TControl *>(m.LParam)))
        controlAdapter_->AddAllItems(control);
    return;
  case AC_LOCKREDRAW:
    if (skinData_.ParentMode) SendMessageW(form_->Handle(), WM_SETREDRAW, FALSE, 0);
    return;
  case AC_UNLOCKREDRAW:
    if (!skinData_.ParentMode) return;
    SendMessageW(form_->Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(form_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    return;
  default: return next(m);
  }
}

void TsSkinProvider::HandleSkinnedMessage(TMessage &m, const TWindowHookNext &next) {
  const bool creating = form_->ControlState() & csCreating;
  switch (m.Msg) {
  case WM_SIZE: {
    frame_.InvalidateCache();
    frame_.MarkRegionStale();
    next(m);
    const TsGeneralData *section = skinData_.Section();
    if (Showing() && section && section->GradientPercent > 0)
      for (int i = 0; i < form_->ControlCount(); ++i)
        if (TControl *child = form_->Controls(i); !child->IsDestroying())
          PerformSkinCommand(*child, AC_BGCHANGEDTREE, 1);
    if (form_->BorderStyle() == TFormBorderStyle::bsNone)
      RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    return;
  }
  case WM_ACTIVATE:
    next(m);
    if (creating) return;
    frame_.Active = LOWORD(m.WParam) != WA_INACTIVE;
    RepaintFrame();
    if (systemMenu_) systemMenu_->UpdateItems();
    return;
  case WM_SETTEXT:
  case WM_SETICON:
    // The system draws its own caption with the new text or icon.
    if (!Showing() || creating) return next(m);
    UnderCurtain([&] {
      next(m);
      frame_.InvalidateCache();
    });
    return;
  case WM_PAINT: return HandlePaint(m, next);
  case WM_ERASEBKGND: m.Result = 0; return;
  case WM_SETTINGCHANGE:
    frame_.InvalidateCache();
    frame_.DropTitleBand();
    return next(m);
  case WM_WINDOWPOSCHANGING: Snap(*reinterpret_cast<WINDOWPOS *>(m.LParam)); return next(m);
  case WM_WINDOWPOSCHANGED:
    next(m);
    if (Showing() && !frame_.RegionBusy && !SkinChanging() && !creating &&
        !SameSize(skinData_.CacheImage, form_->Handle())) {
      frame_.MarkRegionStale();
      RepaintFrame();
    }
    return;
  case WM_SIZING:
    next(m);
    if (!SameSize(skinData_.CacheImage, form_->Handle())) frame_.InvalidateCache();
    return;
  case WM_NCHITTEST: {
    if (frame_.Geometry().CaptionBarHeight <= 0) return next(m);
    const int code = frame_.HitTest(MousePoint(m.LParam));
    if (code == TitleHit::Nowhere || code == TitleHit::Caption) {
      next(m);
      frame_.ClearHot();
    } else {
      m.Result = code;
    }
    if (ResizeMode == TsResizeMode::rmBorder && !dragKind_ &&
        (m.Result == HTCAPTION || IsSizingDrag(static_cast<int>(m.Result))))
      dragKind_ = static_cast<int>(m.Result);
    return;
  }
  case WM_NCPAINT:
    HandleNonClientPaint();
    m.Result = 0;
    return;
  case WM_NCACTIVATE: return HandleNonClientActivate(m, next);
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
  case WM_LBUTTONUP:
  case WM_NCLBUTTONDBLCLK:
  case WM_NCRBUTTONDOWN:
  case WM_NCRBUTTONUP:
  case WM_MOUSELEAVE:
  case CM_MOUSELEAVE:
  case WM_MOUSEMOVE:
  case WM_CAPTURECHANGED: return HandleMouse(m, next);
  case WM_SYSCOMMAND: return HandleSystemCommand(m, next);
  case WM_ENTERIDLE: m.Result = 0; return;
  case WM_PRINT: return HandlePrint(m);
  case WM_PRINTCLIENT: return;
  case CM_VISIBLECHANGED:
    next(m);
    if (!m.WParam && !form_->IsDestroying()) frame_.DropCache();
    return;
  case CM_ENABLEDCHANGED:
    next(m);
    RepaintFrame();
    return;
  case CM_COLORCHANGED:
    // The skin gives the colour; only a custom-coloured section shows the form's own.
    if (!skinData_.CustomColor()) return;
    if (!creating) frame_.InvalidateCache();
    return next(m);
  case CM_MENUCHANGED:
    if (!creating && form_->Visible()) frame_.FullRender = true;
    return next(m);
  case CM_SHOWINGCHANGED: return HandleShowingChanged(m, next);
  case WM_PARENTNOTIFY:
    next(m);
    if (Loading() || form_->IsDestroying() || (LOWORD(m.WParam) != WM_CREATE && LOWORD(m.WParam) != WM_DESTROY)) return;
    if (LOWORD(m.WParam) == WM_CREATE) ScanControls();
    if (scrollBars_) scrollBars_->UpdateBars();
    return;
  case WM_NOTIFY:
    next(m);
    if (reinterpret_cast<const NMHDR *>(m.LParam)->code == TCN_SELCHANGE) ScanControls();
    return;
  case CM_CONTROLLISTCHANGE:
    next(m);
    // A control inserted (not one leaving) is taken with the default section.
    if (auto *control = dynamic_cast<TWinControl *>(reinterpret_cast<TControl *>(m.WParam));
        control && m.LParam && controlAdapter_)
      controlAdapter_->AddItem(*control, controlAdapter_->DefaultSection);
    return;
  case CM_FLOAT:
    next(m);
    scrollBars_.reset();
    return;
  default: return next(m);
  }
}

void TsSkinProvider::HandleNonClientPaint() {
  if (showAnimating_ || !Showing() || Loading() || (form_->ControlState() & csCreating)) return;
  // Dragging an outline on the desktop does not work with the desktop composed: the window moves itself.
  if (VistaOrLater()) ResizeMode = TsResizeMode::rmStandard;
  frame_.PaintToWindow();
}

void TsSkinProvider::HandleNonClientActivate(TMessage &m, const TWindowHookNext &next) {
  const bool active = m.WParam != 0;
  if (Showing()) {
    if (active != frame_.Active) frame_.InvalidateCache();
    if (showAnimating_ || VistaOrLater()) {
      SendMessageW(form_->Handle(), WM_SETREDRAW, FALSE, 0);
      next(m);
      SendMessageW(form_->Handle(), WM_SETREDRAW, TRUE, 0);
      if (VistaOrLater())
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    } else {
      UnderCurtain([&] { next(m); });
    }
  } else {
    next(m);
  }
  if (form_->ControlState() & csCreating) return;
  if (form_->BorderStyle() != TFormBorderStyle::bsNone) frame_.Active = active;
  if (!controlAdapter_) ScanControls();
  for (int i = 0; i < form_->ControlCount(); ++i)
    if (auto *child = dynamic_cast<TWinControl *>(form_->Controls(i)); child && child->Showing())
      PerformSkinCommand(*child, AC_PARENTREPAINT);
}

void TsSkinProvider::UnderCurtain(const std::function<void()> &work) {
  if (!frame_.CacheValid()) frame_.Render();
  const TsCurtain curtain(form_->Handle(), skinData_.CacheImage, frame_.Geometry().TopBand);
  work();
  // Uncovering the band repaints nothing where windows keep their own surfaces (a composed desktop): the
  // frame goes over the system's caption before the curtain goes.
  frame_.PaintToWindow();
}

void TsSkinProvider::HandlePaint(TMessage &m, const TWindowHookNext &next) {
  // Not shown yet: the form's own handling validates the window.
  if (!Showing() || (form_->ControlState() & csCreating)) return next(m);
  if (m.WParam) { // painting into a device context given
    PaintClientArea(reinterpret_cast<HDC>(m.WParam), false);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(form_->Handle(), &ps);
  skinData_.PaintLocked = false;
  if (!showAnimating_ && !form_->IsDestroying()) PaintClientArea(dc, true);
  EndPaint(form_->Handle(), &ps);
  m.Result = 0;
}

void TsSkinProvider::HandlePrint(TMessage &m) {
  const bool creating = form_->ControlState() & csCreating;
  if (!form_->Visible() || Loading() || creating || form_->IsDestroying()) return;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  // The caller's device context goes back as it came.
  DcStateScope state(dc);
  skinData_.PaintLocked = false;
  frame_.Blit(dc);
  const TsFrameGeometry g = frame_.Geometry();
  OffsetViewportOrgEx(dc, g.ClientOffsetX, g.ClientOffsetY, nullptr);
  const RECT client = form_->ClientRect();
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  PaintClientArea(dc, true);
  PaintClientContent(dc);
}

void TsSkinProvider::PaintClientArea(HDC dc, bool notify) {
  if (!PaintLinkedControl(dc)) {
    if (!frame_.CacheValid() && !skinData_.ParentMode) frame_.Render();
    const TsFrameGeometry g = frame_.Geometry();
    const RECT client = form_->ClientRect();
    const TPoint origin = ClientOrigin(g);
    skinData_.CopyCacheToDC(*form_, origin, 0, 0, false, dc, client);
    RECT inWindow = client;
    OffsetRect(&inWindow, origin.X, origin.Y);
    NoteCopyToWindow(form_->Handle(), inWindow);
    form_->PaintControls(dc, nullptr);
  }
  if (!notify) return;
  for (int i = 0; i < form_->ControlCount(); ++i)
    if (auto *child = dynamic_cast<TWinControl *>(form_->Controls(i)); child && child->Showing())
      Quietly([&] { PerformSkinCommand(*child, AC_PARENTREPAINT); });
  if (controlAdapter_) controlAdapter_->Forward(SkinCommand(AC_PARENTREPAINT));
}

bool TsSkinProvider::PaintLinkedControl(HDC dc) {
  TControl *linked = nullptr;
  for (int i = 0; i < form_->ControlCount(); ++i)
    if (reinterpret_cast<LPARAM>(form_->Controls(i)) == skinData_.LinkedObject) linked = form_->Controls(i);
  if (!linked) return false;
  DcStateScope state(dc);
  OffsetViewportOrgEx(dc, linked->Left(), linked->Top(), nullptr);
  IntersectClipRect(dc, 0, 0, linked->Width(), linked->Height());
  if (linked->ControlStyle() & csOpaque) {
    linked->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    return true;
  }
  const TsFrameGeometry g = frame_.Geometry();
  Image24 under = CreateDib24(linked->Width(), linked->Height());
  CopyRect(under, 0, 0, skinData_.CacheImage,
           {linked->Left() + g.ClientOffsetX, linked->Top() + g.ClientOffsetY,
            linked->Left() + g.ClientOffsetX + under.Width(), linked->Top() + g.ClientOffsetY + under.Height()});
  ImageSurface surface(under);
  linked->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.Handle()), 0);
  BitBlt(dc, 0, 0, under.Width(), under.Height(), surface.Handle(), 0, 0, SRCCOPY);
  return true;
}

void TsSkinProvider::HandleShowingChanged(TMessage &m, const TWindowHookNext &next) {
  if (VistaOrLater() || frame_.CacheValid() || !form_->Visible()) return next(m);
  skinData_.PaintLocked = true;
  TsSkinManager *manager = skinData_.SkinManager();
  const auto &effects = manager->AnimEffects();
  const bool dialog = form_->BorderStyle() == TFormBorderStyle::bsDialog;
  showAnimating_ = form_->FormStyle() != TFormStyle::fsMDIChild && !form_->Parent() &&
                   (dialog ? effects.DialogShow.Active : effects.FormShow.Active);
  if (!showAnimating_) return next(m);
  {
    const TsChildRedrawLock lock(form_->Handle());
    next(m);
  }
  showAnimating_ = false;
  AnimShowForm(*form_, dialog ? effects.DialogShow.Time : effects.FormShow.Time);
  frame_.ApplyRegion(false);
  RedrawWindow(form_->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  frame_.RegionBusy = false;
}

void TsSkinProvider::HandleSystemCommand(TMessage &m, const TWindowHookNext &next) {
  const WPARAM command = m.WParam & 0xFFF0;
  const bool hasBorder = form_->BorderStyle() != TFormBorderStyle::bsNone;
  if (command == SC_KEYMENU && m.LParam == ' ' && (form_->BorderIcons() & biSystemMenu) && hasBorder) {
    PopupSystemMenu(frame_.BelowIcon());
    return;
  }
  if (ResizeMode == TsResizeMode::rmBorder && (command == SC_MOVE || command == SC_SIZE) && !outline_) {
    StartOutline(command == SC_MOVE ? DragKind::Move : (dragKind_ ? dragKind_ : DragKind::BottomRight));
    return;
  }
  if (m.WParam == MoveByCaption) RepaintFrame();
  next(m);
  if (command == SC_MINIMIZE) frame_.DropCache();
  if (command == SC_MAXIMIZE || command == SC_RESTORE) {
    if (frame_.Rules().MaxVisible && frame_.CurrentElement() == TitleHit::MaxButton) frame_.ClearHot();
    if (command == SC_RESTORE && !hasBorder) {
      frame_.InvalidateCache();
      frame_.RemoveRegion(true);
    }
  }
}

void TsSkinProvider::StartOutline(int dragKind) {
  POINT anchor;
  GetCursorPos(&anchor);
  const TSizeConstraints &limits = form_->Constraints();
  outline_ =
      std::make_unique<TsOutlineTracker>(form_->Handle(), dragKind, anchor, SIZE{limits.MinWidth, limits.MinHeight});
}

bool TsSkinProvider::TrackOutline(TMessage &m) {
  if (!outline_) return false;
  switch (m.Msg) {
  case WM_MOUSEMOVE: {
    POINT p;
    GetCursorPos(&p);
    outline_->MoveTo(p);
    return true;
  }
  case WM_LBUTTONUP:
  case WM_NCLBUTTONUP:
  case WM_NCLBUTTONDBLCLK: {
    const std::unique_ptr<TsOutlineTracker> ending = std::move(outline_);
    dragKind_ = 0;
    ending->Finish();
    return true;
  }
  case WM_CAPTURECHANGED:
    outline_.reset();
    dragKind_ = 0;
    return false;
  default: return false;
  }
}

void TsSkinProvider::HandleMouse(TMessage &m, const TWindowHookNext &next) {
  if (TrackOutline(m)) return;
  if (m.Msg == WM_MOUSEMOVE) {
    next(m);
    if (DefaultManager()) SetWindowUnderMouse(nullptr);
    return;
  }
  if (frame_.HandleTitleMouse(m)) return;
  if (m.Msg != WM_NCLBUTTONDOWN) return next(m);
  const HWND window = form_->Handle();
  if (IsIconic(window)) {
    form_->Perform(WM_SYSCOMMAND, MoveByCaption, 0);
    return;
  }
  frame_.ClearHot();
  const int code = static_cast<int>(m.WParam);
  if (IsZoomed(window)) {
    RECT outer;
    GetWindowRect(window, &outer);
    const TsFrameGeometry g = frame_.Geometry();
    if (MousePoint(m.LParam).Y - outer.top <= g.FrameY + g.CaptionBarHeight) {
      if (!form_->Active()) SetForegroundWindow(window);
      return;
    }
  }
  if (ResizeMode == TsResizeMode::rmBorder && (code == HTCAPTION || IsSizingDrag(code))) {
    SetForegroundWindow(window);
    form_->Perform(WM_SYSCOMMAND, code == HTCAPTION ? SC_MOVE : SC_SIZE, 0);
    return;
  }
  next(m);
}

void TsSkinProvider::Snap(WINDOWPOS &position) {
  if (!ScreenSnap || IsZoomed(form_->Handle()) || frame_.RegionBusy || (position.flags & SWP_NOMOVE) ||
      (position.x == 0 && position.y == 0))
    return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(form_->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const TPoint snapped = SnapToWorkArea({position.x, position.y}, {form_->Width(), form_->Height()},
                                        {work.left, work.top, work.right, work.bottom},
                                        {monitor.rcMonitor.left, monitor.rcMonitor.top}, SnapBuffer);
  position.x = snapped.X;
  position.y = snapped.Y;
}
