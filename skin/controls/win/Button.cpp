#include "skin/controls/win/Button.h"

#include <chrono>

#include "skin/controls/win/ControlPainting.h"
#include "skin/controls/win/WindowShape.h"
#include "skin/engine/ControlKinds.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "skin/render/MaskPainting.h"
#include "skin/render/SkinText.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/ui/ErrorPath.h"

namespace {

enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

int ButtonOfMessage(UINT msg) {
  switch (msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_LBUTTONUP: return LeftButton;
  case WM_RBUTTONDOWN:
  case WM_RBUTTONDBLCLK:
  case WM_RBUTTONUP: return RightButton;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONDBLCLK:
  case WM_MBUTTONUP: return MiddleButton;
  default: return 0;
  }
}

// How long a release during a fade shows the fully pressed face.
constexpr std::chrono::milliseconds PressedFaceTime{30};

// Lets the screen show what was just painted for a while. Only paint messages are handled meanwhile:
// input, timers and posted work wait, so nothing can free the button in the middle of its own release.
void KeepPaintingFor(std::chrono::milliseconds time) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + time;
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
      DispatchMessageW(&msg);
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - now).count();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_PAINT);
  }
}

} // namespace

const TMetaClass &TsButton::StaticMetaClass() {
  return DefineClass<TsButton, TButton>("TsButton", [](TClassBuilder<TsButton> &c) {
    c.Object("SkinData", [](TsButton &b) -> TPersistent * { return &b.SkinData; });
    c.Set("DisabledKind", &TsButton::SetDisabledKind, {{"dkGrayed", dkGrayed}, {"dkBlended", dkBlended}});
    c.Set("AnimatEvents", [](TsButton &b, uint32_t events) { b.AnimatEvents = events; },
          {{"aeMouseEnter", 1 << aeMouseEnter},
           {"aeMouseLeave", 1 << aeMouseLeave},
           {"aeMouseDown", 1 << aeMouseDown},
           {"aeMouseUp", 1 << aeMouseUp},
           {"aeGlobalDef", 1 << aeGlobalDef}});
    c.Bool("Down", &TsButton::SetDown);
    c.Int("FocusMargin", [](TsButton &b, int margin) { b.FocusMargin = margin; });
    c.Bool("ShowFocus", [](TsButton &b, bool show) { b.ShowFocus = show; });
    c.Bool("WordWrap", &TsButton::SetWordWrap);
  });
}

TsButton::TsButton(TComponent *owner) : TButton(owner) {
  SkinData.ControlKind = ControlKind::Button;
  SkinData.AfterLoad();
}

TsButton::~TsButton() {
  ReleaseLinks();
  StopFade(fade_);
}

void TsButton::Loaded() {
  TButton::Loaded();
  SkinData.AfterLoad();
}

void TsButton::SetDisabledKind(unsigned kinds) {
  if (kinds == SkinData.DisabledKind) return;
  SkinData.DisabledKind = kinds;
  SkinData.RefreshControl();
}

void TsButton::SetDown(bool down) {
  if (down == down_) return;
  down_ = pressed_ = down;
  regionChanged_ = SkinData.BackgroundStale = true;
  Repaint();
}

void TsButton::SetWordWrap(bool wrap) {
  if (wrap == wordWrap_) return;
  wordWrap_ = wrap;
  SkinData.RefreshControl();
}

bool TsButton::Skinned() const { return SkinData.UsesSkin() && HandleAllocated() && Parent(); }

void TsButton::CreateParams(TCreateParams &params) {
  TButton::CreateParams(params);
  if (SkinData.UsesSkin()) params.style = (params.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TsButton::CreateHandleDone() {
  TButton::CreateHandleDone();
  TakeThemeOff(*this, SkinData);
  firstShape_ = true;
  appliedShape_.reset();
}

void TsButton::SetButtonStyle(bool isDefault) {
  // A skinned button stays drawn by its owner; the default look is its own.
  if (!Skinned()) TButton::SetButtonStyle(isDefault);
  if (isDefault == defaultLook_) return;
  defaultLook_ = isDefault;
  SkinData.RefreshControl();
}

void TsButton::Normal(TMessage &m) {
  if (!SkinData.HandleMessage(m)) TButton::WndProc(m);
}

bool TsButton::Pushed() { return HandleAllocated() && (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED); }

int TsButton::StateIndex() {
  TsButtonLook look;
  look.Pushed = Pushed() || showPressed_ || down_;
  look.MouseOver = SkinData.MouseOver;
  look.LeftHeld = ControlState() & csLButtonDown;
  look.DefaultButton =
      defaultLook_ || (HandleAllocated() && (GetWindowLongW(Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
  look.ShowsActive = SkinData.ShowsActive();
  return ButtonStateIndex(look);
}

TsButton::Face TsButton::CurrentFace() {
  return Face{StateIndex(), TSize{Width(), Height()}, SkinData.Position(), Caption(), Enabled(), Focused()};
}

void TsButton::ShowLook(LookChange change) {
  const bool half = change.event == beMouseDown || change.event == beMouseUp;
  const FadeMode mode = change.event == beMouseLeave || change.event == beMouseUp ? FadeMode::Back : FadeMode::Towards;
  const bool animate = change.event && EventAnimates(*change.event, AnimatEvents);
  SkinData.BackgroundStale = false; // the face on the screen is the one to fade from
  Quietly([&] { RequestFade(fade_, SkinData, half, mode, animate); });
}

void TsButton::NormalWithLook(TMessage &m, LookChange change) {
  pendingLook_ = change;
  Normal(m);
  if (pendingLook_) ShowLook(*std::exchange(pendingLook_, std::nullopt));
}

void TsButton::Press(TMessage &m, int button) {
  SkinData.PaintLocked = false;
  if (button == LeftButton) hints_.Begin();
  clickFlags_ |= button;
  if (button != LeftButton || pressed_ || down_) return Normal(m);
  pressed_ = regionChanged_ = true;
  SkinData.PaintLocked = SkinData.PaintSuspended();
  // The system takes the capture and the focus and pushes the button, which shows the pressed look.
  NormalWithLook(m, LookChange{beMouseDown});
}

void TsButton::Release(TMessage &m, int button) {
  if (!pressed_) return Normal(m);
  if (!(clickFlags_ & button) || IsDestroying()) return;
  clickFlags_ &= ~button;
  if (button != LeftButton || !Enabled()) return Normal(m);
  if (fade_ && fade_->StepNo <= fade_->StepTotal) HoldPressedFace();
  SkinData.PaintLocked = pressed_ = false;
  regionChanged_ = true;
  // The system lets go of the button (the release look shows), then clicks when the mouse is over it.
  NormalWithLook(m, LookChange{beMouseUp});
}

void TsButton::HoldPressedFace() {
  StopFade(fade_);
  SkinData.BackgroundStale = showPressed_ = true;
  Repaint();
  showPressed_ = false;
  KeepPaintingFor(PressedFaceTime);
}

void TsButton::FocusGained(TMessage &m) {
  if (!Visible()) return Normal(m);
  if (!Enabled()) return;
  Normal(m);
  if (fade_)
    fade_->Tick();
  else
    SkinData.RefreshControl();
}

void TsButton::FocusLost(TMessage &m) {
  if (IsDestroying()) return TButton::WndProc(m);
  if (!Visible()) return Normal(m);
  pressed_ = false;
  if (!Enabled()) return;
  StopFade(fade_);
  Normal(m);
  SkinData.HasFocus = false;
  regionChanged_ = true;
  SkinData.RefreshControl();
}

// The manager's announcements reach the button whether it shows the skin or not yet (or not any more).
bool TsButton::Announcement(TMessage &m) {
  switch (SkinCommandOf(m.WParam)) {
  case AC_SKINSET:
    regionChanged_ = true;
    StopFade(fade_);
    return SkinData.HandleSkinCommand(m);
  case AC_SKINREFRESH:
    StopFade(fade_);
    if (!SkinData.HandleSkinCommand(m)) return false;
    regionChanged_ = true;
    if (!paintingLent_) Repaint();
    return true;
  case AC_SKINCLEARED:
    StopFade(fade_);
    if (!SkinData.HandleSkinCommand(m)) return false;
    ForgetSkin();
    return true;
  default: return false;
  }
}

void TsButton::ForgetSkin() {
  pendingShape_.reset();
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), BM_SETSTYLE, defaultLook_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  RemoveWindowShape(Handle(), false);
  appliedShape_.reset();
  Repaint();
}

bool TsButton::SkinQuery(TMessage &m) {
  switch (SkinCommandOf(m.WParam)) {
  case AC_STOPFADE:
    // The face a fade ends on was rendered without reshaping the window.
    if (fade_) regionChanged_ = true;
    StopFade(fade_);
    return true;
  case AC_PREPAREPAINT: RenderCache(); return false;
  case AC_PAINTFADE:
    pendingShape_.reset(); // the fade shows the frame; the window keeps its shape
    return false;
  case AC_QUERYAPPLICATION: m.Result = reinterpret_cast<LRESULT>(static_cast<TApplication *>(Application)); return true;
  case AC_PARENTREPAINT:
    if (SkinData.PaintLocked) {
      SkinData.PaintLocked = false;
      Repaint();
    }
    return true;
  case AC_SETPARENTMODE:
    if (SkinData.ParentMode) RenderCache();
    SkinData.HandleSkinCommand(m);
    return true;
  default: return false;
  }
}

void TsButton::SkinCommand(TMessage &m) {
  if (Announcement(m) || (Skinned() && SkinQuery(m))) return;
  Normal(m); // the skin data answers the common queries, AC_QUERYSKINNED among them
}

void TsButton::WndProc(TMessage &m) {
  if (m.Msg == SM_TESSORACMD) return SkinCommand(m);
  // However a press ends (let go, focus or capture lost), skinned or not, the hints come back.
  if (m.Msg == WM_LBUTTONUP || m.Msg == WM_KILLFOCUS || m.Msg == WM_CAPTURECHANGED) hints_.End();
  if (!Skinned()) return TButton::WndProc(m);
  switch (m.Msg) {
  case WM_LBUTTONDBLCLK:
    // An owner-drawn button takes a double click for a notice only: here it is a second press.
    m.Msg = WM_LBUTTONDOWN;
    [[fallthrough]];
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDBLCLK: return Press(m, ButtonOfMessage(m.Msg));
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP: return Release(m, ButtonOfMessage(m.Msg));
  case BM_SETSTATE: {
    const bool was = Pushed();
    Normal(m);
    if (Pushed() != was) ShowLook(pendingLook_ ? *std::exchange(pendingLook_, std::nullopt) : LookChange{});
    return;
  }
  case CM_DIALOGCHAR:
    if (m.WParam == VK_SPACE && Focused()) {
      StopFade(fade_);
      pressed_ = regionChanged_ = SkinData.BackgroundStale = true;
      Repaint();
    }
    break;
  case WM_KEYUP:
    if (m.WParam != VK_SPACE) break;
    pressed_ = false;
    regionChanged_ = SkinData.BackgroundStale = true;
    return NormalWithLook(m, LookChange{});
  case CM_MOUSEENTER:
  case CM_MOUSELEAVE: {
    const bool entering = m.Msg == CM_MOUSEENTER, wasOver = SkinData.MouseOver;
    Normal(m);
    if (m.LParam == reinterpret_cast<LPARAM>(this) && Enabled() && (!entering || !wasOver))
      ShowLook(LookChange{entering ? beMouseEnter : beMouseLeave});
    return;
  }
  case WM_MOVE:
    if (const TsGeneralData *section = SkinData.Section();
        section->Transparency > 0 || (section->HotTransparency > 0 && SkinData.ShowsActive())) {
      SkinData.BackgroundStale = true;
      Repaint();
    }
    break;
  case WM_SIZE:
  case WM_WINDOWPOSCHANGING: regionChanged_ = true; break;
  case WM_WINDOWPOSCHANGED: regionChanged_ = SkinData.BackgroundStale = true; break;
  case WM_SETFOCUS:
  case CM_ENTER: return FocusGained(m);
  case WM_KILLFOCUS:
  case CM_EXIT: return FocusLost(m);
  case WM_ENABLE: return;
  case WM_PAINT: MakeOwnerDrawn(); return Paint(reinterpret_cast<HDC>(m.WParam));
  case WM_PRINT: regionChanged_ = true; return Paint(reinterpret_cast<HDC>(m.WParam));
  case CM_TEXTCHANGED: SkinData.RefreshControl(); return;
  case CN_DRAWITEM:
    m.WParam = m.LParam = 0;
    m.Result = 1;
    return;
  case WM_ERASEBKGND:
  case WM_UPDATEUISTATE: m.Result = 1; return;
  case CM_UIACTIVATE: SkinData.PaintLocked = false; break;
  case CM_FONTCHANGED:
  case CM_ENABLEDCHANGED:
    Normal(m);
    if (Visible()) {
      SkinData.PaintLocked = false;
      SkinData.RefreshControl();
    }
    return;
  case CM_VISIBLECHANGED:
    Normal(m);
    SkinData.BackgroundStale = true;
    SkinData.PaintLocked = false;
    if (Visible()) Repaint();
    return;
  default: break;
  }
  Normal(m);
}

void TsButton::MakeOwnerDrawn() {
  // Without a redraw: the paint under way shows the button, and asking for another from inside a paint
  // could repaint it for ever.
  if ((GetWindowLongW(Handle(), GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW)
    SendMessageW(Handle(), BM_SETSTYLE, BS_OWNERDRAW, FALSE);
}

void TsButton::Paint(HDC given) {
  paintingLent_ = given != nullptr;
  PaintOnce(Handle(), given, false, [this](HDC dc) {
    SkinData.PaintLocked = SkinData.PaintSuspended();
    if (SkinData.PaintLocked || fade_) return; // a running fade paints the button itself
    NoteVisibility(SkinData, *this);
    const bool redrawShape = std::exchange(firstShape_, false) || SkinChanging();
    pendingShape_.reset();
    if (regionChanged_ || SkinData.BackgroundStale || CurrentFace() != renderedFace_) {
      RenderCache();
      if (const TsSkin *skin = SkinData.Skin())
        RestoreCorners(SkinData.CacheImage, *skin, SkinData.BorderImageIdx, renderedFace_.State, SkinData.ParentLink(),
                       SkinData.ParentCache(), SkinData.Position());
      if (!(ControlState() & csAlignmentNeeded)) {
        ApplyShape(redrawShape);
        regionChanged_ = false;
      }
    }
    SkinData.CopyCacheToDC(*this, TPoint{}, 0, 0, false, dc, RECT{0, 0, Width(), Height()});
  });
  paintingLent_ = false;
}

void TsButton::ApplyShape(bool redraw) {
  std::optional<TsWindowShape> shape = std::exchange(pendingShape_, std::nullopt);
  // The same shape again needs no reshaping of the window.
  if (!shape || (shape == appliedShape_ && !redraw)) return;
  if (SetWindowShape(Handle(), *shape, redraw)) appliedShape_ = std::move(shape);
}

void TsButton::RenderCache() {
  const TsSkin *skin = SkinData.Skin();
  if (!skin) return;
  const TCacheInfo ci = SkinData.ParentCache();
  SkinData.PrepareCacheImage();
  Image24 &cache = SkinData.CacheImage;
  const TsItemData data = SkinData.ItemData();
  renderedFace_ = CurrentFace();
  const int state = renderedFace_.State;
  const TPoint position = renderedFace_.Position;
  PaintControlBackground(data, ci, state, cache, position, TRect{0, 0, cache.Width(), cache.Height()},
                         ItemFillColors(data, ci));
  // The shape starts as the whole button; the border's transparent corner runs are cut out of it.
  TsWindowShape shape{TSize{cache.Width(), cache.Height()}, {}};
  if (skin->IsValidImageIndex(SkinData.BorderImageIdx))
    DrawBorderShaped(cache, shape.Cuts, true, state, *skin, SkinData.BorderImageIdx);
  pendingShape_ = std::move(shape);
  if (!cache.Empty()) DrawCaption(cache, data, state);
  if (!Enabled()) PaintDisabled(cache, SkinData.DisabledKind, data.Parent, position, SkinData.ParentCache());
  SkinData.BackgroundStale = false;
}

void TsButton::DrawCaption(Image24 &cache, const TsItemData &data, int state) {
  const std::string caption = Caption();
  TRect captionRect;
  {
    GdiTextCanvas canvas(cache);
    canvas.Font = data.Font;
    const TSize size =
        canvas.TextRectSize(caption, CaptionMeasureWidth(Width(), caption.empty()), CaptionMeasureFlags(wordWrap_));
    captionRect = CaptionRect(TSize{Width(), Height()}, size, state);
    WriteSkinText(canvas, caption, true, state > 0, data, CaptionDrawFlags(wordWrap_), captionRect);
  } // the text is in the pixels once the canvas lets go of the image
  const TsGeneralData *section = SkinData.Section();
  if (ShowFocus && Enabled() && Focused() && !caption.empty() && section && section->ShowFocus)
    DrawFocusDots(cache, FocusMarkRect(captionRect, FocusMargin));
}
