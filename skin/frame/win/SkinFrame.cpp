#include "skin/frame/win/SkinFrame.h"

#include <algorithm>

#include "skin/frame/win/Glyphs.h"
#include "skin/pixels/ImageCopy.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "skin/render/MaskPainting.h"
#include "skin/render/SkinText.h"

namespace {

constexpr int MissingPictureSide = 21;
// DrawText's flag that ends a caption too long for its room in "...".
constexpr uint32_t EndEllipsis = 0x8000;
// Asked before a window first gets its outline: a window that answers OtherOutlineAnswer has another
// component drawing its outline.
constexpr UINT OtherOutlineQuery = 0xBC4D;
constexpr WPARAM OtherOutlineAnswer = 0x41A2;

TsFrameCopyWatch copyWatch;
// A title element was pressed and the mouse has not left it since; one mouse for all frames.
bool titleMouseDown = false;

bool IsSystemElement(int code) {
  return code == TitleHit::MinButton || code == TitleHit::MaxButton || code == TitleHit::Close ||
         code == TitleHit::Help;
}

TsFrameMetrics SystemFrameMetrics() {
  return {GetSystemMetrics(SM_CYCAPTION),  GetSystemMetrics(SM_CYSMCAPTION), GetSystemMetrics(SM_CXDLGFRAME),
          GetSystemMetrics(SM_CYDLGFRAME), GetSystemMetrics(SM_CXFRAME),     GetSystemMetrics(SM_CYFRAME)};
}

// The height of the system's caption font; 0 (the font's own) when the system does not tell.
int CaptionFontHeight() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) ? metrics.lfCaptionFont.lfHeight
                                                                                     : 0;
}

TRect Intersection(const TRect &a, const TRect &b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

} // namespace

void SetFrameCopyWatch(TsFrameCopyWatch watch) { copyWatch = std::move(watch); }

void NoteCopyToWindow(HWND window, const RECT &target) {
  if (copyWatch) copyWatch(window, target);
}

void CopyCacheToWindow(HWND window, HDC dc, const Image24 &cache, const RECT &r, POINT from) {
  if (cache.Empty() || r.right <= r.left || r.bottom <= r.top) return;
  ImageSurface surface(cache);
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, surface.Handle(), from.x, from.y, SRCCOPY);
  NoteCopyToWindow(window, r);
}

TsSkinFrame::TsSkinFrame(TsFrameSubject &subject, TsCommonData &skinData)
    : subject_(subject), skinData_(skinData), cache_(skinData.CacheImage) {}

TsFrameGeometry TsSkinFrame::Geometry() const {
  const HWND window = subject_.FrameHandle();
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  TsFrameShape shape;
  shape.Border = subject_.BorderKind();
  shape.FullCaption = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  shape.Iconic = IsIconic(window);
  shape.Window = {outer.right - outer.left, outer.bottom - outer.top};
  shape.Client = {client.right, client.bottom};
  const TSize bars = subject_.ScrollBarSizes();
  shape.HorzScrollHeight = bars.Height;
  shape.VertScrollWidth = bars.Width;
  return ComputeFrameGeometry(shape, SystemFrameMetrics());
}

TsTitleState TsSkinFrame::TitleState() const {
  const HWND window = subject_.FrameHandle();
  TsTitleState state;
  state.Border = subject_.BorderKind();
  state.BorderIcons = subject_.BorderIcons();
  state.Iconic = IsIconic(window);
  state.State = state.Iconic       ? TsWindowState::Minimized
                : IsZoomed(window) ? TsWindowState::Maximized
                                   : TsWindowState::Normal;
  return state;
}

TSize TsSkinFrame::IconSize(const TsFrameGeometry &g) const {
  if (!IconShows(subject_.BorderKind(), ShowAppIcon)) return {};
  return subject_.TitleIconSize(AutoIconSide(g.CaptionBarHeight));
}

TRect TsSkinFrame::IconRect() const {
  const TsFrameGeometry g = Geometry();
  const TSize size = IconSize(g);
  if (size.Width <= 0 || size.Height <= 0) return {g.FrameX, 0, g.FrameX, 0};
  return TitleIconRect(g, size);
}

TPoint TsSkinFrame::BelowIcon() const {
  RECT outer;
  GetWindowRect(subject_.FrameHandle(), &outer);
  const TsFrameGeometry g = Geometry();
  return {outer.left + g.FrameX, outer.top + g.FrameY + g.BorderWidth + IconRect().Height()};
}

int TsSkinFrame::GlobalInfo() const {
  const TsSkin *skin = Skin();
  return skin ? skin->SectionIndex("GLOBALINFO") : -1;
}

std::string TsSkinFrame::TitleSectionName() const { return TitleSkin.empty() ? "FORMTITLE" : TitleSkin; }

int TsSkinFrame::TitleSectionIndex() const {
  const TsSkin *skin = Skin();
  return skin ? skin->SectionIndex(TitleSectionName()) : -1;
}

int TsSkinFrame::Space() const {
  const TsSkin *skin = Skin();
  return skin ? skin->SkinData.BISpace : 0;
}

void TsSkinFrame::ResolveTitleImages() {
  images_ = Images{};
  const TsSkin *skin = Skin();
  if (!skin) return;
  const int global = GlobalInfo();
  auto global_ = [&](std::string_view key) { return skin->ImageIndex(global, "GLOBALINFO", key); };
  auto big = [&] {
    images_.Minimize = global_("BICONMIN");
    images_.Maximize = global_("BICONMAX");
    images_.Close = global_("BICONCLOSE");
    images_.Help = global_("BICONHELP");
  };
  if (global_("BICONCLOSE") < 0) {
    const int own = skinData_.SectionIdx;
    images_.Minimize = skin->ImageIndex(own, "FORM", "BICONMIN");
    images_.Maximize = skin->ImageIndex(own, "FORM", "BICONMAX");
    images_.Close = skin->ImageIndex(own, "FORM", "BICONCLOSE");
    images_.Help = skin->ImageIndex(own, "FORM", "BICONHELP");
  } else if (const TsBorderKind border = subject_.BorderKind();
             border == TsBorderKind::bsSingle || border == TsBorderKind::bsSizeable) {
    big();
  } else {
    images_.Close = global_("SICONCLOSE");
    images_.Minimize = global_("SICONMIN");
    images_.Maximize = global_("SICONMAX");
    images_.Help = global_("SICONHELP");
    if (images_.Help < 0) images_.Help = global_("BICONHELP");
    if (images_.Close < 0) big(); // a skin without small pictures
  }
  images_.Restore = global_("BICONNORM");
  if (images_.Restore < 0)
    images_.Restore = skin->ImageIndex(skinData_.SectionIdx, skinData_.SkinSection(), "BICONNORM");
  images_.TitleButton = global_("TITLEBUTTON");
  if (images_.TitleButton < 0)
    images_.TitleButton = skin->ImageIndex(skinData_.SectionIdx, skinData_.SkinSection(), "TITLEBUTTON");
}

int TsSkinFrame::ElementImage(int code) const {
  const HWND window = subject_.FrameHandle();
  switch (code) {
  case TitleHit::Close: return images_.Close;
  case TitleHit::MaxButton: return IsZoomed(window) ? images_.Restore : images_.Maximize;
  case TitleHit::MinButton: return IsIconic(window) ? images_.Restore : images_.Minimize;
  case TitleHit::Help: return images_.Help;
  default: {
    TsTitleButton *button = IsUserButtonCode(code) ? subject_.UserButton(code - TitleHit::FirstUserButton) : nullptr;
    return button && button->UseSkinData() ? images_.TitleButton : -1;
  }
  }
}

TsTitleElement *TsSkinFrame::Element(int code) {
  switch (code) {
  case TitleHit::MinButton: return &system_[0];
  case TitleHit::MaxButton: return &system_[1];
  case TitleHit::Close: return &system_[2];
  case TitleHit::Help: return &system_[3];
  default: {
    TsTitleButton *button = IsUserButtonCode(code) ? subject_.UserButton(code - TitleHit::FirstUserButton) : nullptr;
    return button ? &button->Element : nullptr;
  }
  }
}

int TsSkinFrame::ButtonHeight() const {
  const TsSkin *skin = Skin();
  return skin && skin->IsValidImageIndex(images_.Close) ? skin->ImageFrameSize(images_.Close).Y : MissingPictureSide;
}

int TsSkinFrame::SlotWidth(int code) const {
  const TsSkin *skin = Skin();
  if (IsUserButtonCode(code)) {
    const int picture = skin && skin->IsValidImageIndex(images_.TitleButton)
                            ? skin->ImageFrameSize(images_.TitleButton).X
                            : MissingPictureSide;
    TsTitleButton *button = subject_.UserButton(code - TitleHit::FirstUserButton);
    return std::max(button ? button->Glyph().Width() + 2 : 0, picture);
  }
  const int image = ElementImage(code);
  return skin && skin->IsValidImageIndex(image) ? skin->ImageFrameSize(image).X : MissingPictureSide;
}

std::vector<TsTitleSlot> TsSkinFrame::Slots() const {
  const TsTitleState state = TitleState();
  std::vector<TsTitleSlot> slots = TitleSlots(state, TitleRules(state), subject_.UserButtonCount());
  for (TsTitleSlot &slot : slots) {
    slot.Width = SlotWidth(slot.Element);
    if (IsUserButtonCode(slot.Element))
      if (TsTitleButton *button = subject_.UserButton(slot.Element - TitleHit::FirstUserButton))
        slot.Enabled = button->Enabled();
  }
  return slots;
}

int TsSkinFrame::TitleButtonsWidth() const { return ::TitleButtonsWidth(Slots(), Space()); }

void TsSkinFrame::Render() {
  const TsSkin *skin = Skin();
  if (subject_.Creating() || !skin) return;
  if (!CacheValid()) {
    const TsFrameGeometry g = Geometry();
    const bool iconic = IsIconic(subject_.FrameHandle());
    const TRect target = FrameTarget(g, iconic);
    const int state = Active ? 1 : 0;
    const TsGeneralData *section = skinData_.Section();
    const bool reservedBand = section && section->ReservedBoolean;
    if (!FullRender && reservedBand && titleBand_.Width() == g.FrameWidth && cache_.Width() == g.FrameWidth &&
        cache_.Height() == g.FrameHeight && g.CaptionBarHeight > 0) {
      CopyRect(cache_, 0, 0, titleBand_, {0, 0, titleBand_.Width(), titleBand_.Height()});
      PaintTitle(g, state);
    } else {
      regionStale_ = true;
      if (cache_.Width() != target.Width() || cache_.Height() != target.Height())
        cache_ = CreateDib24(target.Width(), target.Height());
      if (section) {
        if (g.CaptionBarHeight > 0)
          PaintSkinItem(skinData_.ItemData(), {}, true, state, target, {}, cache_, true);
        else
          PaintControlBackground(skinData_.ItemData(), {}, state, cache_, {}, target);
      }
      if (const int grip = skin->ImageIndex(GlobalInfo(), "GLOBALINFO", "GRIPIMAGE"); Grip && grip >= 0) {
        const TPoint size = skin->ImageFrameSize(grip);
        DrawStateImage(cache_, {cache_.Width() - size.X - g.FrameX, cache_.Height() - size.Y - g.FrameY}, 0, *skin,
                       grip, 1);
      }
      if (reservedBand && titleBand_.Width() != g.FrameWidth) {
        titleBand_ = CreateDib24(cache_.Width(), std::min(cache_.Height(), g.FrameY + g.CaptionBarHeight));
        CopyRect(titleBand_, 0, 0, cache_, {0, 0, titleBand_.Width(), titleBand_.Height()});
      }
      if (g.CaptionBarHeight > 0) PaintTitle(g, state);
    }
    FullRender = false;
    {
      ImageSurface surface(cache_);
      DcStateScope scope(surface.Handle());
      SetViewportOrgEx(surface.Handle(), g.ClientOffsetX, g.ClientOffsetY, nullptr);
      subject_.PaintClientContent(surface.Handle());
    }
    paintedOnce_ = true;
    skinData_.BackgroundStale = false;
  }
  skinData_.PaintLocked = false;
}

void TsSkinFrame::PaintTitle(const TsFrameGeometry &g, int state) {
  const bool iconic = IsIconic(subject_.FrameHandle());
  const TRect band{0, 0, cache_.Width(), iconic ? FrameTarget(g, true).Bottom : g.FrameY + g.CaptionBarHeight};
  if (const int title = TitleSectionIndex(); title >= 0)
    PaintSkinItemByIndex(title, TitleSectionName(), {}, true, state, band, {}, cache_, Skin());
  if (const TRect icon = IconRect(); icon.Width() > 0) subject_.DrawTitleIcon(cache_, icon);
  PaintTitleBar(g, state);
  SaveButtonStrip(g);
  DrawTitleButtons(g);
  DrawCaption(g);
}

void TsSkinFrame::PaintTitleBar(const TsFrameGeometry &g, int state) {
  const TsSkin *skin = Skin();
  const int bar = skin->ImageIndex(skinData_.SectionIdx, skinData_.SkinSection(), "TITLEBAR");
  const std::vector<TsTitleSlot> slots = Slots();
  const bool systemButtons =
      std::any_of(slots.begin(), slots.end(), [](const TsTitleSlot &s) { return IsSystemElement(s.Element); });
  if (bar < 0 || !systemButtons) return;
  const int width = 2 * (skin->ImageFrameSize(bar).X / 3) + ::TitleButtonsWidth(slots, Space());
  DrawBorderMask(cache_, {g.FrameWidth - width, 0, cache_.Width(), g.FrameY + g.CaptionBarHeight}, true, {}, *skin, bar,
                 state, false);
}

void TsSkinFrame::SaveButtonStrip(const TsFrameGeometry &g) {
  const int width = TitleButtonsWidth() + g.FrameX + 10;
  stripOrigin_ = {g.FrameWidth - width - 1, 0};
  buttonStrip_ = CreateDib24(width, std::min(g.TopBand, cache_.Height()));
  CopyRect(buttonStrip_, 0, 0, cache_,
           {stripOrigin_.X, stripOrigin_.Y, stripOrigin_.X + width, stripOrigin_.Y + buttonStrip_.Height()});
}

void TsSkinFrame::RestoreFromStrip(const TRect &r) {
  const TRect stripArea{stripOrigin_.X, stripOrigin_.Y, stripOrigin_.X + buttonStrip_.Width(),
                        stripOrigin_.Y + buttonStrip_.Height()};
  const TRect part = Intersection(r, stripArea);
  if (part.Width() <= 0 || part.Height() <= 0) return;
  CopyRect(cache_, part.Left, part.Top, buttonStrip_,
           {part.Left - stripOrigin_.X, part.Top - stripOrigin_.Y, part.Right - stripOrigin_.X,
            part.Bottom - stripOrigin_.Y});
}

void TsSkinFrame::DrawTitleButtons(const TsFrameGeometry &g) {
  std::vector<TsTitleSlot> slots = Slots();
  PlaceTitleSlots(slots, g, ButtonHeight(), Space());
  for (const TsTitleSlot &slot : slots)
    if (TsTitleElement *element = Element(slot.Element)) {
      element->Bounds = slot.Bounds;
      element->ImageIndex = ElementImage(slot.Element);
      RestoreFromStrip(slot.Bounds);
      DrawElement(slot.Element, *element, !Active);
    }
}

void TsSkinFrame::DrawElement(int code, const TsTitleElement &element, bool formDimmed) {
  const TsSkin *skin = Skin();
  const TsTitleRules rules = Rules();
  const bool zoomed = IsZoomed(subject_.FrameHandle()), iconic = IsIconic(subject_.FrameHandle());
  bool disabled = false;
  if (code == TitleHit::MaxButton) disabled = zoomed ? !rules.RestoreEnabled : !rules.MaxEnabled;
  if (code == TitleHit::MinButton) disabled = iconic ? !rules.RestoreEnabled : !rules.MinEnabled;
  TsTitleButton *user = IsUserButtonCode(code) ? subject_.UserButton(code - TitleHit::FirstUserButton) : nullptr;
  if (user) disabled = !user->Enabled();
  if (skin->IsValidImageIndex(element.ImageIndex)) {
    const bool dimmed = (formDimmed || disabled) && (element.State == 0 || disabled);
    DrawStateImage(cache_, {element.Bounds.Left, element.Bounds.Top}, element.State, *skin, element.ImageIndex,
                   dimmed ? 2 : 1);
  }
  if (!user || user->Glyph().Empty()) return;
  TBitmap &glyph = user->Glyph();
  const int pressed = element.State == 2 ? 1 : 0;
  const int x = element.Bounds.Left + (element.Bounds.Width() - glyph.Width()) / 2 + pressed;
  const int y = element.Bounds.Top + (element.Bounds.Height() - glyph.Height()) / 2 + pressed;
  const TColor key = BitmapPixels(glyph).Pixel(0, glyph.Height() - 1);
  DrawGlyphKeyed(cache_, glyph, {x, y, x + glyph.Width(), y + glyph.Height()}, key);
}

void TsSkinFrame::DrawCaption(const TsFrameGeometry &g) {
  const std::string text = subject_.CaptionText();
  TRect r = CaptionTextRect(g, IconSize(g).Width, TitleButtonsWidth());
  if (text.empty() || r.Width() <= 0 || r.Height() <= 0) return;
  GdiTextCanvas canvas(cache_);
  canvas.Font = subject_.CaptionFont();
  canvas.Font.Bold = true;
  canvas.Font.Height = CaptionFontHeight();
  r = CenteredTextLine(r, canvas.TextHeight(text));
  const uint32_t flags =
      CaptionAlignment | TextFlags::SingleLine | TextFlags::VCenter | TextFlags::NoPrefix | EndEllipsis;
  WriteSkinTextByIndex(canvas, text, true, Skin(), Active, TitleSectionIndex(), flags, r);
}

void TsSkinFrame::Blit(HDC dc) {
  const HWND window = subject_.FrameHandle();
  if (!CacheValid()) Render();
  if (cache_.Empty()) return;
  const TsFrameGeometry g = Geometry();
  const bool iconic = IsIconic(window);
  const bool thickOnly =
      !HasBorder(subject_.BorderKind()) && !iconic && (GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
  const TsFrameStrips strips = thickOnly ? ThickFrameStrips(g, g.BorderWidth) : FrameStrips(g, iconic);
  const TRect inCache{0, 0, cache_.Width(), cache_.Height()};
  for (const TRect &strip : {strips.Top, strips.Left, strips.Right, strips.Bottom}) {
    const TRect r = Intersection(strip, inCache);
    CopyCacheToWindow(window, dc, cache_, {r.Left, r.Top, r.Right, r.Bottom}, {r.Left, r.Top});
  }
}

void TsSkinFrame::PaintToWindow() {
  const HWND window = subject_.FrameHandle();
  const bool outlined =
      HasBorder(subject_.BorderKind()) || (GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) || IsIconic(window);
  if (!RegionBusy && regionStale_ && outlined) {
    CollectRegionHoles(Geometry());
    regionStale_ = false;
    ApplyRegion(true);
  }
  skinData_.PaintLocked = false;
  {
    WindowDC dc(window, true);
    DcStateScope state(dc.Get());
    Blit(dc.Get());
  }
  RegionBusy = false;
}

void TsSkinFrame::DropCache() {
  if (!cache_.Empty()) cache_ = Image24();
  InvalidateCache();
}

void TsSkinFrame::CollectRegionHoles(const TsFrameGeometry &g) {
  holes_.clear();
  const TsSkin *skin = Skin();
  if (!skin) return;
  if (const int border = skinData_.BorderImageIdx; skin->IsValidImageIndex(border)) {
    CornerKeyRuns(holes_, g.FrameWidth, *skin, border, false, 0);
    CornerKeyRuns(holes_, g.FrameWidth, *skin, border, true, g.FrameHeight - skin->Masks[border].WB);
  }
  if (const int title = TitleSectionIndex(); title >= 0)
    if (const int titleBorder = skin->ImageIndexByName(TitleSectionName(), "BORDERSMASK"); titleBorder >= 0)
      CornerKeyRuns(holes_, g.FrameWidth, *skin, titleBorder, false, 0);
}

void TsSkinFrame::ApplyRegion(bool redraw) {
  const HWND window = subject_.FrameHandle();
  if (!HasBorder(subject_.BorderKind()) && !IsIconic(window)) return;
  if (!paintedOnce_ &&
      static_cast<WPARAM>(SendMessageW(window, OtherOutlineQuery, OtherOutlineAnswer, 0)) == OtherOutlineAnswer)
    return;
  RECT outer, box;
  GetWindowRect(window, &outer);
  const TSize size{outer.right - outer.left, outer.bottom - outer.top};
  // The same outline again would only repaint the whole window.
  if (GetWindowRgnBox(window, &box) != ERROR && size == appliedSize_ && holes_ == appliedHoles_) return;
  // Built only now that it is sure to be applied; the system owns it once it is.
  GdiObject region(CreateRectRgn(0, 0, size.Width, size.Height));
  for (const TRect &hole : holes_) {
    GdiObject cut(CreateRectRgn(hole.Left, hole.Top, hole.Right, hole.Bottom));
    CombineRgn(static_cast<HRGN>(region.Get()), static_cast<HRGN>(region.Get()), static_cast<HRGN>(cut.Get()),
               RGN_DIFF);
  }
  RegionBusy = true;
  if (!SetWindowRgn(window, static_cast<HRGN>(region.Get()), redraw)) return;
  region.Release();
  appliedSize_ = size;
  appliedHoles_ = holes_;
}

void TsSkinFrame::RemoveRegion(bool redraw) { SetWindowRgn(subject_.FrameHandle(), nullptr, redraw); }

int TsSkinFrame::HitTest(TPoint screen) {
  const HWND window = subject_.FrameHandle();
  const TsFrameGeometry g = Geometry();
  RECT outer;
  GetWindowRect(window, &outer);
  const TPoint p{screen.X - outer.left, screen.Y - outer.top};
  std::vector<TsTitleSlot> slots = Slots();
  PlaceTitleSlots(slots, g, ButtonHeight(), Space());
  const int code = TitleHitTest(p, g, ButtonHeight(), IconRect().Width(), slots, Rules(), IsIconic(window));
  if (code != TitleHit::Nowhere) {
    SetHot(code, true);
    return code;
  }
  const TsSkin *skin = Skin();
  const int grip = skin ? skin->ImageIndex(GlobalInfo(), "GLOBALINFO", "GRIPIMAGE") : -1;
  if ((Grip || subject_.InScrollBarCorner(p)) && grip >= 0) {
    const TPoint size = skin->ImageFrameSize(grip);
    if (p.X > g.FrameWidth - size.X - g.FrameX && p.Y > g.FrameHeight - size.Y - g.FrameY) return TitleHit::BottomRight;
  }
  ClearHot();
  if (IsZoomed(window) && (p.X < 2 || p.Y < 2 || p.X >= g.FrameWidth - 4 || p.Y >= g.FrameHeight - 4))
    return TitleHit::Transparent;
  return TitleHit::Nowhere;
}

void TsSkinFrame::SetHot(int code, bool repaint) {
  if (code == current_) return;
  if (TsTitleElement *old = Element(current_)) {
    old->State = 0;
    if (repaint) RepaintElement(current_);
  }
  current_ = code;
  if (TsTitleElement *element = Element(code)) element->State = 1;
  titleMouseDown = false;
  if (repaint) RepaintElement(code);
}

void TsSkinFrame::SetPressed(int code) {
  if (code != current_)
    if (TsTitleElement *old = Element(current_)) {
      old->State = 0;
      RepaintElement(current_);
    }
  const TsTitleRules rules = Rules();
  if (code == TitleHit::MaxButton && !rules.MaxEnabled && !(IsZoomed(subject_.FrameHandle()) && rules.RestoreEnabled)) {
    current_ = 0;
    return;
  }
  current_ = code;
  if (TsTitleElement *element = Element(code)) element->State = 2;
  titleMouseDown = true;
  RepaintElement(code);
}

void TsSkinFrame::RepaintElement(int code) {
  TsTitleElement *element = Element(code);
  const TsSkin *skin = Skin();
  if (!element || !skin || cache_.Empty() || element->Bounds.Left <= IconRect().Right) return;
  const int height = ButtonHeight();
  const TRect area{element->Bounds.Left, element->Bounds.Top, element->Bounds.Right, element->Bounds.Top + height};
  RestoreFromStrip(area);
  element->ImageIndex = ElementImage(code);
  DrawElement(code, *element, !Active);
  const HWND window = subject_.FrameHandle();
  WindowDC dc(window, true);
  DcStateScope state(dc.Get());
  CopyCacheToWindow(window, dc.Get(), cache_, {area.Left, area.Top, area.Right, area.Bottom}, {area.Left, area.Top});
}

bool TsSkinFrame::HandleTitleMouse(TMessage &m) {
  const HWND window = subject_.FrameHandle();
  const int code = static_cast<int>(m.WParam);
  const TPoint screen = MousePoint(m.LParam);
  TsTitleButton *user = IsUserButtonCode(code) ? subject_.UserButton(code - TitleHit::FirstUserButton) : nullptr;
  auto sysCommand = [&](WPARAM command) { SendMessageW(window, WM_SYSCOMMAND, command, 0); };
  m.Result = 0;
  switch (m.Msg) {
  case WM_NCLBUTTONDOWN:
    if (IsSystemElement(code)) {
      SetPressed(code);
      return true;
    }
    if (code == TitleHit::SysMenu) {
      ClearHot();
      subject_.PopupSystemMenu(BelowIcon());
      return true;
    }
    if (user) {
      SetPressed(code);
      if (user->OnMouseDown) user->OnMouseDown(user, TMouseButton::mbLeft, 0, screen.X, screen.Y);
      return true;
    }
    return false;
  case WM_LBUTTONUP:
    // A release in the client area ends a press on the title; its key flags are no hit code.
    if (titleMouseDown) ClearHot();
    return false;
  case WM_NCLBUTTONUP: {
    const bool down = titleMouseDown;
    if (code == TitleHit::Close) {
      if (down) {
        system_[2].State = 0;
        sysCommand(SC_CLOSE);
      }
      return true;
    }
    if (code == TitleHit::Help) {
      ClearHot();
      if (down) {
        sysCommand(SC_CONTEXTHELP);
        SendMessageW(window, WM_NCPAINT, 1, 0);
      }
      return true;
    }
    if (code == TitleHit::MinButton) {
      RECT outer;
      GetWindowRect(window, &outer);
      const TRect &b = system_[0].Bounds;
      const TPoint p{screen.X - outer.left, screen.Y - outer.top};
      const bool inside = p.X >= b.Left && p.X < b.Right && p.Y >= b.Top && p.Y < b.Bottom;
      if (!down || !inside) {
        if (!down) ClearHot();
        return false;
      }
      ClearHot();
      sysCommand(IsIconic(window) ? SC_RESTORE : SC_MINIMIZE);
      return true;
    }
    if (code == TitleHit::MaxButton) {
      const TsTitleRules rules = Rules();
      const bool zoomed = IsZoomed(window);
      if (!rules.MaxEnabled && !(zoomed && rules.RestoreEnabled)) return true;
      ClearHot();
      if (!down) return false;
      subject_.SetShownState(zoomed ? TsWindowState::Normal : TsWindowState::Maximized);
      return true;
    }
    if (user) {
      if (down && user->OnMouseUp) user->OnMouseUp(user, TMouseButton::mbLeft, 0, screen.X, screen.Y);
      ClearHot();
      return true;
    }
    return false;
  }
  case WM_NCLBUTTONDBLCLK: {
    const TsTitleRules rules = Rules();
    const bool iconic = IsIconic(window);
    if ((code == TitleHit::Caption && rules.CloseVisible && (rules.MaxEnabled || rules.RestoreEnabled)) ||
        (!HasBorder(subject_.BorderKind()) && iconic))
      subject_.SetShownState(IsZoomed(window) || iconic ? TsWindowState::Normal : TsWindowState::Maximized);
    else if (code == TitleHit::SysMenu)
      subject_.CloseByIcon();
    return true;
  }
  case WM_NCRBUTTONDOWN: return code == TitleHit::Caption || code == TitleHit::SysMenu;
  case WM_NCRBUTTONUP:
    if (!HasBorder(subject_.BorderKind())) return false;
    if (code == TitleHit::Caption || code == TitleHit::SysMenu) {
      ClearHot();
      subject_.PopupSystemMenu(screen);
    }
    return true;
  case WM_MOUSELEAVE:
  case CM_MOUSELEAVE: ClearHot(); return false;
  default: return false;
  }
}
