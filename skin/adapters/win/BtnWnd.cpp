#include "skin/adapters/win/BtnWnd.h"

#include <algorithm>

#include "skin/adapters/win/RedrawOff.h"
#include "skin/adapters/win/WindowReading.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "skin/render/MaskPainting.h"
#include "skin/render/SkinText.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

TSize SizeOf(const Image24 &image) { return {image.Width(), image.Height()}; }

TacGlyphLayout GlyphLayoutOf(TButtonLayout layout) {
  switch (layout) {
  case TButtonLayout::blGlyphRight: return TacGlyphLayout::Right;
  case TButtonLayout::blGlyphTop: return TacGlyphLayout::Top;
  case TButtonLayout::blGlyphBottom: return TacGlyphLayout::Bottom;
  case TButtonLayout::blGlyphLeft: break;
  }
  return TacGlyphLayout::Left;
}

// The toolkit's bit button behind the window, when it has a picture.
TBitBtn *PictureButton(HWND window) {
  auto *button = dynamic_cast<TBitBtn *>(TWinControl::FindControl(window));
  return button && !button->Glyph().Empty() ? button : nullptr;
}

// One picture of a bit button's strip of NumGlyphs: up, disabled, down.
TSize GlyphSize(TBitBtn &button) {
  return {button.Glyph().Width() / std::max(1, button.NumGlyphs), button.Glyph().Height()};
}

} // namespace

UINT TacBtnWnd::ButtonState() const { return static_cast<UINT>(SendMessageW(Window(), BM_GETSTATE, 0, 0)); }

int TacBtnWnd::StateIndex() const {
  const HWND window = Window();
  TacPushButtonFacts facts;
  facts.Pushed = ButtonState() & BST_PUSHED;
  facts.Enabled = IsWindowEnabled(window);
  facts.Focused = SkinData().HasFocus || GetFocus() == window;
  facts.Hot = WindowUnderMouse() == window;
  facts.Default = IsDefaultPushButton(static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE)), DialogMode());
  return PushButtonStateIndex(facts);
}

void TacBtnWnd::PrepareCache() {
  TsCommonData &data = SkinData();
  const TsSkin *skin = data.Skin();
  if (!skin || !data.Section()) return;
  RECT bounds;
  GetWindowRect(Window(), &bounds);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (data.CacheImage.Width() != width || data.CacheImage.Height() != height || !data.CacheImage.NativeHandle())
    data.CacheImage = CreateDib24(width, height);
  const TCacheInfo ci = TsCommonData::ParentCacheOfWindow(Window());
  const TPoint position = PositionInParent();
  const int state = StateIndex();
  PaintSkinItem(ItemData(), ci, true, state, TRect{0, 0, width, height}, position, data.CacheImage, true);
  // Inside a system dialog the dialog's background shows through the corners already.
  if (!DialogMode() && data.BorderImageIdx >= 0 && width > 1 && height > 1)
    RestoreCorners(data.CacheImage, *skin, data.BorderImageIdx, state, ParentLink(), ci, position);
  DrawCaption(data.CacheImage, state);
  if (!IsWindowEnabled(Window())) PaintDisabled(data.CacheImage, dkBlended, ParentLink(), position, ci);
  data.BackgroundStale = false;
}

void TacBtnWnd::DrawCaption(Image24 &cache, int state) {
  const HWND window = Window();
  const std::string text = ReadWindowText(window);
  const TSize button = SizeOf(cache);
  const uint32_t flags = PushButtonTextFlags(static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE)));
  const UINT buttonState = ButtonState();
  TsItemData item = ItemData();
  item.Font = WindowFont(window);
  TSize caption;
  TRect r;
  {
    GdiTextCanvas canvas(cache);
    canvas.Font = item.Font;
    if (!text.empty()) caption = canvas.TextRectSize(text, PushButtonCaptionWidth(button.Width), flags);
    r = PushButtonCaptionRect(button, caption, buttonState & BST_PUSHED);
    const TPoint offset = CaptionOffset(button, caption);
    r = TRect{r.Left + offset.X, r.Top + offset.Y, r.Right + offset.X, r.Bottom + offset.Y};
    WriteSkinText(canvas, text, true, state > 0, item, flags, r);
  }
  const TsGeneralData *section = SkinData().Section();
  if (IsWindowEnabled(window) && (buttonState & BST_FOCUS) && !text.empty() && section && section->ShowFocus)
    DrawFocusDots(cache, TRect{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1});
  DrawGlyph(cache, caption, state);
}

void TacBtnWnd::Paint() {
  if (PaintWaits()) return;
  PrepareCache();
  const WindowDC window(Window());
  CopyCacheTo(window.Get());
}

void TacBtnWnd::Repaint() {
  SkinData().BackgroundStale = true;
  if (IsWindowVisible(Window())) Paint();
}

void TacBtnWnd::Print(HDC dc) {
  // A picture of the button is taken also while its parent repaints: with what the parent holds now.
  PrepareCache();
  CopyCacheTo(dc);
}

template <class Pass> void TacBtnWnd::Unpainted(TMessage &m, Pass pass) {
  const std::shared_ptr<const bool> alive = AliveFlag();
  {
    const RedrawOff off(Window());
    pass();
  }
  if (!*alive) return;
  if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) SkinData().HasFocus = m.Msg == WM_SETFOCUS;
  Repaint();
}

void TacBtnWnd::TrackMouse(LPARAM point) {
  const HWND window = Window();
  if (!DefaultManager() || !IsWindowEnabled(window)) return;
  RECT client;
  GetClientRect(window, &client);
  const POINT cursor{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  const bool inside = PtInRect(&client, cursor);
  if (inside && WindowUnderMouse() != window) {
    SetWindowUnderMouse(window);
    // Told when the cursor leaves the button straight out of its parent too.
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window, 0};
    TrackMouseEvent(&leave);
  } else if (!inside && WindowUnderMouse() == window) {
    SetWindowUnderMouse(nullptr);
  }
}

bool TacBtnWnd::HandleSkinCommand(TMessage &m) {
  const uint16_t command = SkinCommandOf(m.WParam);
  if (command != AC_MOUSEENTER && command != AC_MOUSELEAVE) return TacMainWnd::HandleSkinCommand(m);
  if (!SkinActive()) return false;
  TsCommonData &data = SkinData();
  const bool over = command == AC_MOUSEENTER;
  if (data.MouseOver != over) {
    data.MouseOver = over;
    Repaint();
  }
  return true;
}

void TacBtnWnd::WndProc(TMessage &m) {
  if (!SkinActive()) {
    TacMainWnd::WndProc(m);
    return;
  }
  const HWND window = Window();
  auto baseHandling = [this, &m] { TacMainWnd::WndProc(m); };
  switch (m.Msg) {
  case WM_MOVE:
    if (const TsGeneralData *section = SkinData().Section();
        section && (section->Transparency > 0 || (section->HotTransparency > 0 && StateIndex() > 0)))
      Repaint();
    break;
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    if (!IsWindowEnabled(window)) {
      // A disabled button takes no focus look; the focus it is given is refused.
      if (m.Msg == WM_SETFOCUS) {
        m.Result = 0;
        return;
      }
      break;
    }
    Unpainted(m, baseHandling);
    return;
  case WM_ENABLE:
  case WM_SETTEXT:
    if (!IsWindowVisible(window)) break;
    Unpainted(m, baseHandling);
    return;
  case BM_SETSTATE:
  case BM_SETSTYLE:
    if (!IsWindowVisible(window)) break;
    Unpainted(m, [this, &m] { CallPrevious(m); });
    return;
  case WM_PAINT:
    if (m.WParam) {
      Print(reinterpret_cast<HDC>(m.WParam));
    } else {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      Paint();
      EndPaint(window, &paint);
    }
    m.Result = 0;
    return;
  case WM_PRINT:
    if (!(m.LParam & PRF_CHECKVISIBLE) || IsWindowVisible(window)) Print(reinterpret_cast<HDC>(m.WParam));
    m.Result = 0;
    return;
  case WM_ERASEBKGND:
  case WM_NCPAINT:
  case WM_UPDATEUISTATE: m.Result = 1; return;
  case WM_MOUSEMOVE:
    if (!CallPrevious(m)) return;
    TrackMouse(m.LParam);
    return;
  case WM_MOUSELEAVE:
    if (!CallPrevious(m)) return;
    if (WindowUnderMouse() == window) SetWindowUnderMouse(nullptr);
    return;
  }
  TacMainWnd::WndProc(m);
}

TPoint TacBitBtnWnd::CaptionOffset(TSize button, TSize caption) const {
  TBitBtn *picture = PictureButton(Window());
  if (!picture) return {};
  return PlaceButtonGlyph(button, GlyphSize(*picture), caption, GlyphLayoutOf(picture->Layout), picture->Margin,
                          picture->Spacing)
      .TextOffset;
}

void TacBitBtnWnd::DrawGlyph(Image24 &cache, TSize caption, int) {
  TBitBtn *picture = PictureButton(Window());
  if (!picture) return;
  TBitmap &glyph = picture->Glyph();
  const TSize size = GlyphSize(*picture);
  TPoint at =
      PlaceButtonGlyph(SizeOf(cache), size, caption, GlyphLayoutOf(picture->Layout), picture->Margin, picture->Spacing)
          .Glyph;
  const bool pushed = ButtonState() & BST_PUSHED;
  if (pushed) at = TPoint{at.X + 1, at.Y + 1};
  // The strip holds the pictures for up, disabled and down, as many as it has.
  int frame = 0;
  if (!IsWindowEnabled(Window()) && picture->NumGlyphs > 1)
    frame = 1;
  else if (pushed && picture->NumGlyphs > 2)
    frame = 2;
  // The bitmap stays selected in its own canvas: drawn from there.
  const ImageSurface surface(cache);
  TransparentBlt(surface.Handle(), at.X, at.Y, size.Width, size.Height, glyph.Canvas().Handle(), frame * size.Width, 0,
                 size.Width, size.Height, ColorToRgb(glyph.TransparentColor()));
}
