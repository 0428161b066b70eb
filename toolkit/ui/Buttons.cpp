#include "toolkit/ui/Buttons.h"

#include <algorithm>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/win/Win32Text.h"

const TMetaClass &TSpeedButton::StaticMetaClass() {
  return DefineClass<TSpeedButton, TGraphicControl>("TSpeedButton", [](TClassBuilder<TSpeedButton> &c) {
    c.Bool("Flat", &TSpeedButton::SetFlat);
    c.Bool("Down", &TSpeedButton::SetDown);
    c.Int("GroupIndex", &TSpeedButton::SetGroupIndex);
    c.Bool("AllowAllUp", &TSpeedButton::SetAllowAllUp);
    c.Int("NumGlyphs", &TSpeedButton::SetNumGlyphs);
    c.Enum<TButtonLayout>("Layout", &TSpeedButton::SetLayout, ButtonLayoutNames());
    c.Int("Margin", &TSpeedButton::SetMargin);
    c.Int("Spacing", &TSpeedButton::SetSpacing);
  });
}

TSpeedButton::TSpeedButton(TComponent *owner) : TGraphicControl(owner) {
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  SetParentColor(true);
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool v) {
  flat_ = v;
  Invalidate();
}

void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return; // one button of a group always stays down
  down_ = v;
  if (v && Parent())
    Parent()->Perform(CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this));
  UpdateState();
}

void TSpeedButton::SetNumGlyphs(int v) {
  numGlyphs_ = std::clamp(v, 1, 4);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  layout_ = v;
  Invalidate();
}

void TSpeedButton::SetMargin(int v) {
  margin_ = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
  spacing_ = v;
  Invalidate();
}

void TSpeedButton::UpdateState() {
  TButtonState state = !Enabled()  ? TButtonState::bsDisabled
                       : dragging_ ? TButtonState::bsDown
                       : down_     ? TButtonState::bsExclusive
                                   : TButtonState::bsUp;
  if (state == state_) return;
  state_ = state;
  Invalidate();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  dragging_ = true;
  UpdateState();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!(ControlState() & csLButtonDown)) return;
  POINT p{x, y};
  RECT client = ClientRect();
  bool inside = PtInRect(&client, p);
  if (inside != dragging_) {
    dragging_ = inside;
    UpdateState();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  bool clicked = dragging_;
  dragging_ = false;
  if (clicked && groupIndex_ != 0) SetDown(allowAllUp_ ? !down_ : true);
  UpdateState();
  if (clicked) Click();
}

void TSpeedButton::WndProc(TMessage &m) {
  switch (m.Msg) {
  case CM_ENABLEDCHANGED:
  case CM_MOUSEENTER:
  case CM_MOUSELEAVE:
    TGraphicControl::WndProc(m);
    if (m.Msg == CM_MOUSELEAVE && dragging_ && !(ControlState() & csLButtonDown)) dragging_ = false;
    UpdateState();
    if (flat_) Invalidate();
    return;
  case CM_BUTTONPRESSED:
    // Another button of the same group went down: this one comes up.
    if (static_cast<int>(m.WParam) == groupIndex_ && reinterpret_cast<TSpeedButton *>(m.LParam) != this && down_) {
      down_ = false;
      UpdateState();
    }
    return;
  case CM_TEXTCHANGED:
  case CM_FONTCHANGED: Invalidate(); break;
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint() {
  TCanvas &canvas = Canvas();
  RECT rect = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(rect);
  bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  if (pressed)
    DrawEdge(canvas.Handle(), &rect, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  else if (!flat_ || (MouseInControl() && Enabled()))
    DrawEdge(canvas.Handle(), &rect, flat_ ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  InflateRect(&rect, -2, -2);
  if (pressed) OffsetRect(&rect, 1, 1);
  PaintContent(rect);
}

void TSpeedButton::PaintContent(RECT rect) {
  TCanvas &canvas = Canvas();
  std::wstring caption = Wide(Caption());
  int glyphWidth = glyph_.Empty() ? 0 : glyph_.Width() / numGlyphs_, glyphHeight = glyph_.Height();
  SIZE text{0, 0};
  canvas.Font().Assign(Font());
  if (!caption.empty()) {
    RECT measure{0, 0, rect.right - rect.left, 0};
    DrawTextW(canvas.Handle(), caption.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    text = {measure.right, measure.bottom};
  }
  bool horizontal = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
  int gap = glyphWidth && text.cx ? spacing_ : 0;
  int total = horizontal ? glyphWidth + gap + text.cx : glyphHeight + gap + text.cy;
  int space = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
  int start = margin_ >= 0 ? margin_ : (space - total) / 2;
  POINT glyphAt{}, textAt{};
  int cx = rect.left + (rect.right - rect.left) / 2, cy = rect.top + (rect.bottom - rect.top) / 2;
  switch (layout_) {
  case TButtonLayout::blGlyphLeft:
    glyphAt = {rect.left + start, cy - glyphHeight / 2};
    textAt = {glyphAt.x + glyphWidth + gap, cy - text.cy / 2};
    break;
  case TButtonLayout::blGlyphRight:
    textAt = {rect.right - start - total, cy - text.cy / 2};
    glyphAt = {textAt.x + text.cx + gap, cy - glyphHeight / 2};
    break;
  case TButtonLayout::blGlyphTop:
    glyphAt = {cx - glyphWidth / 2, rect.top + start};
    textAt = {cx - text.cx / 2, glyphAt.y + glyphHeight + gap};
    break;
  case TButtonLayout::blGlyphBottom:
    textAt = {cx - text.cx / 2, rect.bottom - start - total};
    glyphAt = {cx - glyphWidth / 2, textAt.y + text.cy + gap};
    break;
  }
  if (glyphWidth) {
    // Glyph frames side by side: up, disabled, down, exclusive; a missing frame falls back to the first.
    int frame = static_cast<int>(state_) < numGlyphs_ ? static_cast<int>(state_) : 0;
    MemoryDC source;
    SelectionScope selected(source.Get(), glyph_.Handle());
    TransparentBlt(canvas.Handle(), glyphAt.x, glyphAt.y, glyphWidth, glyphHeight, source.Get(), frame * glyphWidth, 0,
                   glyphWidth, glyphHeight, ColorToRGB(glyph_.TransparentColor()));
  }
  if (!caption.empty()) {
    SetBkMode(canvas.Handle(), TRANSPARENT);
    SetTextColor(canvas.Handle(), ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    RECT r{textAt.x, textAt.y, textAt.x + text.cx, textAt.y + text.cy};
    DrawTextW(canvas.Handle(), caption.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
  }
}
