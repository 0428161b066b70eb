#include "skin/controls/win/ComboEdit.h"

#include "skin/controls/FolderNames.h"
#include "skin/controls/GlyphFace.h"
#include "skin/engine/win/SkinDelivery.h"
#include "toolkit/base/win/Win32Text.h"

namespace {
constexpr int ComboEditKind = 138;
} // namespace

const TMetaClass &TsCustomComboEdit::StaticMetaClass() {
  return DefineClass<TsCustomComboEdit, TsMaskEdit>("TsCustomComboEdit", [](TClassBuilder<TsCustomComboEdit> &c) {
    c.Bool("ShowButton", &TsCustomComboEdit::SetShowButton);
    c.Int("ClickKey", [](TsCustomComboEdit &e, int key) { e.ClickKey = key; });
    c.Bool("DirectInput", &TsCustomComboEdit::SetDirectInput);
    c.Bool("ReadOnly", &TsCustomComboEdit::SetReadOnly);
    c.Object("GlyphMode", [](TsCustomComboEdit &e) -> TPersistent * { return &e.GlyphMode; });
    c.Event("OnButtonClick", &TsCustomComboEdit::OnButtonClick);
  });
}

TsCustomComboEdit::TsCustomComboEdit(TComponent *owner) : TsMaskEdit(owner) {
  SkinData.ControlKind = ComboEditKind;
  button_ = TComponent::Create<TsEditButton>(this, *this);
  button_->SetParent(this);
  PlaceButton();
}

TsCustomComboEdit::~TsCustomComboEdit() { ReleaseLinks(); }

void TsCustomComboEdit::SetGlyphKind(const std::string &kind) {
  glyphKind_ = kind;
  GlyphChanged(true);
}

void TsCustomComboEdit::SetShowButton(bool show) {
  showButton_ = show;
  button_->SetVisible(show);
  PlaceButton();
}

void TsCustomComboEdit::SetDirectInput(bool direct) {
  directInput_ = direct;
  TsMaskEdit::SetReadOnly(readOnly_ || !directInput_);
}

void TsCustomComboEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  TsMaskEdit::SetReadOnly(readOnly_ || !directInput_);
}

void TsCustomComboEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
  if (CanFocus()) SetFocus();
}

const Image24 &TsCustomComboEdit::CurrentCache() {
  if (SkinData.BackgroundStale || SkinData.CacheImage.Empty()) RenderCache();
  return SkinData.CacheImage;
}

bool TsCustomComboEdit::ShowsActive() const {
  return SkinData.ShowsActive() || button_->MouseOver() || button_->SkinData.ShowsActive();
}

void TsCustomComboEdit::Loaded() {
  TsMaskEdit::Loaded();
  PlaceButton();
}

void TsCustomComboEdit::GlyphChanged(bool resize) {
  if (resize) PlaceButton();
  SkinData.BackgroundStale = true;
  if (!HandleAllocated()) return;
  Invalidate();
  RepaintFrame();
}

void TsCustomComboEdit::PlaceButton() {
  const int width = showButton_ ? GlyphButtonWidth(GlyphFrameOf(CurrentGlyph())) : 0;
  const RECT client = ClientRect();
  button_->SetBounds(client.right - width, 0, width, client.bottom);
  SetEditRect();
}

void TsCustomComboEdit::SetEditRect() {
  if (!HandleAllocated()) return;
  RECT text = ClientRect();
  text.right -= button_->Visible() ? button_->Width() : 0;
  SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

TRect TsCustomComboEdit::CacheTextRect() const {
  TRect r = TsMaskEdit::CacheTextRect();
  r.Right -= button_->Visible() ? button_->Width() : 0;
  return r;
}

void TsCustomComboEdit::CreateParams(TCreateParams &params) {
  TsMaskEdit::CreateParams(params);
  // A multi-line edit takes a text area of its own; it scrolls sideways instead of wrapping.
  params.style |= ES_MULTILINE | ES_AUTOHSCROLL | WS_CLIPCHILDREN;
  params.style &= ~(ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL);
}

void TsCustomComboEdit::CreateHandleDone() {
  TsMaskEdit::CreateHandleDone();
  PlaceButton();
}

void TsCustomComboEdit::KeyDown(WORD &key, TShiftState shift) {
  TsMaskEdit::KeyDown(key, shift);
  if (key && ShortCut(key, shift) == ClickKey && button_->Width() >= 1 && button_->Visible()) {
    key = 0;
    ButtonClick();
  }
}

void TsCustomComboEdit::Paste() {
  if (readOnly_ || !directInput_ || !OpenClipboard(Handle())) return;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    if (const auto *chars = static_cast<const wchar_t *>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  CloseClipboard();
  const std::wstring line = Wide(OneLine(Narrow(text)));
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
}

void TsCustomComboEdit::WndProc(TMessage &m) {
  switch (m.Msg) {
  case WM_PASTE: return Paste();
  case WM_CUT:
    if (readOnly_ || !directInput_) return;
    break;
  case WM_CHAR:
    // Ctrl+Enter types a line feed into a multi-line edit; a path has no line breaks.
    if (m.WParam == '\n' || m.WParam == '\r') return;
    break;
  case WM_SETFOCUS:
    TsMaskEdit::WndProc(m);
    if (AutoSelect() && GetWindowTextLengthW(Handle()) > 0) SendMessageW(Handle(), EM_SETSEL, 0, -1);
    SetEditRect();
    return;
  default: break;
  }
  TsMaskEdit::WndProc(m);
  switch (m.Msg) {
  case WM_SIZE:
  case CM_FONTCHANGED: PlaceButton(); break;
  case WM_KEYDOWN:
  case WM_LBUTTONDOWN: SetEditRect(); break;
  case SM_TESSORACMD:
    switch (SkinCommandOf(m.WParam)) {
    case AC_SKINSET:
    case AC_SKINCLEARED:
    case AC_SKINREFRESH:
      SetEditRect();
      button_->Invalidate();
      break;
    default: break;
    }
    break;
  default: break;
  }
}
