#include "skin/controls/win/Edit.h"

#include "skin/adapters/win/PrintClient.h"
#include "skin/engine/FlagScope.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "skin/render/MaskPainting.h"
#include "skin/render/SkinText.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

constexpr int EditKind = 3;

} // namespace

const TMetaClass &TsEdit::StaticMetaClass() {
  return DefineClass<TsEdit, TCustomEdit>("TsEdit", [](TClassBuilder<TsEdit> &c) { DefineSkinnedEditProperties(c); });
}

TsEdit::TsEdit(TComponent *owner) : TCustomEdit(owner) {
  SkinData.ControlKind = EditKind;
  SkinData.AfterLoad();
}

TsEdit::~TsEdit() { ReleaseLinks(); }

void TsEdit::SetDisabledKind(uint32_t kinds) {
  SkinData.DisabledKind = kinds;
  SkinData.RefreshControl();
}

void TsEdit::Loaded() {
  TCustomEdit::Loaded();
  SkinData.AfterLoad();
  BoundLabel.Place();
}

TsEditFrameStyle TsEdit::FrameStyle() const {
  return TsEditFrameStyle{BorderStyle() == TBorderStyle::bsSingle, Ctl3D(), BevelKind() != TBevelKind::bkNone,
                          BevelInner() != TBevelCut::bvNone, BevelOuter() != TBevelCut::bvNone};
}

TRect TsEdit::CacheTextRect() const {
  const int inset = EditTextInset(FrameStyle());
  return TRect{inset + 1, inset + 1, Width() - inset, Height() - inset};
}

void TsEdit::RenderCache() {
  const bool active = SkinData.ShowsActive();
  SkinData.RepaintCache(active ? 1 : 0, [&](Image24 &cache) {
    const std::string text = PasswordChar() ? Narrow(std::wstring(Wide(Text()).size(), PasswordChar())) : Text();
    GdiTextCanvas canvas(cache);
    WriteSkinText(canvas, text, true, active, SkinData.ItemData(), DT_SINGLELINE | DT_NOPREFIX | DT_WORDBREAK,
                  CacheTextRect());
  });
}

void TsEdit::PaintFrame(HDC windowDc) {
  if (SkinData.BackgroundStale || SkinData.CacheImage.Empty()) RenderCache();
  if (SkinData.CacheImage.Empty() || EditFrameWidth(FrameStyle()) == 0) return;
  RestoreCorners(SkinData.CacheImage, *SkinData.Skin(), SkinData.BorderImageIdx, 0, SkinData.ParentLink(),
                 SkinData.ParentCache(), SkinData.Position());
  const DcStateScope state(windowDc);
  POINT client{0, 0};
  ::ClientToScreen(Handle(), &client);
  RECT window;
  GetWindowRect(Handle(), &window);
  const RECT inside = ClientRect();
  const int x = client.x - window.left, y = client.y - window.top;
  // Only the frame: the system draws the client area.
  ExcludeClipRect(windowDc, x, y, x + inside.right, y + inside.bottom);
  const ImageSurface surface(SkinData.CacheImage);
  BitBlt(windowDc, 0, 0, SkinData.CacheImage.Width(), SkinData.CacheImage.Height(), surface.Handle(), 0, 0, SRCCOPY);
}

void TsEdit::RepaintFrame() {
  if (HandleAllocated() && IsWindowVisible(Handle())) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
}

void TsEdit::Print(HDC dc, LPARAM flags) {
  const DcStateScope state(dc);
  SkinData.PaintLocked = false;
  RenderCache();
  RestoreCorners(SkinData.CacheImage, *SkinData.Skin(), SkinData.BorderImageIdx, 0, SkinData.ParentLink(),
                 SkinData.ParentCache(), SkinData.Position());
  {
    const ImageSurface surface(SkinData.CacheImage);
    BitBlt(dc, 0, 0, SkinData.CacheImage.Width(), SkinData.CacheImage.Height(), surface.Handle(), 0, 0, SRCCOPY);
  }
  PrintClientArea(Handle(), dc, flags);
}

void TsEdit::TakeStateColors() {
  const TsGeneralData *section = SkinData.Section();
  if (!section || takingColors_) return;
  const FlagScope taking(takingColors_);
  const bool active = SkinData.ShowsActive();
  if (!SkinData.CustomColor()) SetColor(active ? section->HotColor : section->Color);
  if (!SkinData.CustomFont()) Font().SetColor(active ? section->HotFontColor[0] : section->FontColor[0]);
}

void TsEdit::ActiveChanged() {
  SkinData.BackgroundStale = true;
  if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
  TakeStateColors();
  ::InvalidateRect(Handle(), nullptr, TRUE);
  RepaintFrame();
}

bool TsEdit::HandleSkinNotice(TMessage &m) {
  const uint16_t command = SkinCommandOf(m.WParam);
  switch (command) {
  case AC_SKINSET:
  case AC_SKINCLEARED:
  case AC_SKINREFRESH:
    if (!SkinData.HandleSkinCommand(m)) return false;
    if (command == AC_SKINREFRESH) TakeStateColors();
    // Refreshed: the skin's look; cleared: the system's.
    if (command != AC_SKINSET && HandleAllocated())
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return true;
  case AC_QUERYOWNBG: m.LParam = m.Result = 0; return true;
  default: return AnswerSkinQuery(m);
  }
}

bool TsEdit::PaintMessage(TMessage &m) {
  switch (m.Msg) {
  case WM_NCPAINT:
    SkinData.PaintLocked = SkinData.PaintSuspended();
    if (!SkinData.PaintLocked) {
      const WindowDC dc(Handle(), true);
      PaintFrame(dc.Get());
    }
    return true;
  case WM_PAINT:
    SkinData.PaintLocked = SkinData.PaintSuspended();
    if (!SkinData.PaintLocked) {
      TakeStateColors();
      return false;
    }
    if (!m.WParam) ValidateRect(Handle(), nullptr);
    return true;
  case WM_PRINT: Print(reinterpret_cast<HDC>(m.WParam), m.LParam); return true;
  case WM_ERASEBKGND:
  case CN_DRAWITEM: SkinData.PaintLocked = SkinData.PaintSuspended(); return SkinData.PaintLocked;
  case CM_COLORCHANGED:
    if (SkinData.CustomColor()) SkinData.BackgroundStale = true;
    return false;
  default: return false;
  }
}

void TsEdit::AfterMessage(const TMessage &m) {
  switch (m.Msg) {
  case SM_TESSORACMD:
    if (SkinCommandOf(m.WParam) == AC_PARENTREPAINT && SkinData.PaintLocked) {
      SkinData.PaintLocked = false;
      Repaint();
      RepaintFrame();
    } else if (SkinCommandOf(m.WParam) == AC_SETPARENTMODE && SkinData.ParentMode) {
      RenderCache();
    }
    break;
  case WM_SIZE: RepaintFrame(); break;
  case WM_KILLFOCUS:
  case CM_EXIT:
    SkinData.HasFocus = SkinData.MouseOver = false;
    ActiveChanged();
    break;
  case WM_SETFOCUS:
  case CM_MOUSEENTER:
  case CM_MOUSELEAVE: ActiveChanged(); break;
  case CM_TEXTCHANGED:
  case CM_FONTCHANGED:
  case CM_VISIBLECHANGED:
  case CM_ENABLEDCHANGED:
    if (IsLoading() || IsReading() || takingColors_) break;
    SkinData.RefreshControl();
    RepaintFrame();
    break;
  }
}

void TsEdit::WndProc(TMessage &m) {
  if (m.Msg == SM_TESSORACMD && HandleSkinNotice(m)) return;
  if (SkinData.UsesSkin()) {
    if (SkinData.HandleMessage(m) || PaintMessage(m)) return;
    TCustomEdit::WndProc(m);
    AfterMessage(m);
  } else {
    TCustomEdit::WndProc(m);
  }
  KeepBoundLabelInStep(*this, BoundLabel, m);
}
