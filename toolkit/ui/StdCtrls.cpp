#include "toolkit/ui/StdCtrls.h"

#include <algorithm>
#include <cwctype>

#include "toolkit/base/MetaClass.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

TIdentTable AlignmentNames() {
  return {{"taLeftJustify", int(TAlignment::taLeftJustify)},
          {"taRightJustify", int(TAlignment::taRightJustify)},
          {"taCenter", int(TAlignment::taCenter)}};
}

TIdentTable CharCaseNames() {
  return {{"ecNormal", int(TEditCharCase::ecNormal)},
          {"ecUpperCase", int(TEditCharCase::ecUpperCase)},
          {"ecLowerCase", int(TEditCharCase::ecLowerCase)}};
}

// Splits UTF-16 text into lines at CR LF, a lone CR or a lone LF, with the offset where each starts.
// A final line break ends the last line rather than starting an empty one.
struct LineSpan {
  size_t start, end, next;
};
std::vector<LineSpan> SplitLines(const std::wstring &text) {
  std::vector<LineSpan> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') continue;
    size_t next = (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ? i + 2 : i + 1;
    lines.push_back({start, i, next});
    start = next;
    i = next - 1;
  }
  if (start < text.size()) lines.push_back({start, text.size(), text.size()});
  return lines;
}

} // namespace

bool IsAccel(char16_t key, const std::string &caption) {
  std::wstring w = Wide(caption);
  for (size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] != L'&') continue;
    if (w[i + 1] == L'&') {
      ++i;
      continue;
    }
    return std::towupper(w[i + 1]) == std::towupper(static_cast<wchar_t>(key));
  }
  return false;
}

// ======================================================================================== TCustomLabel

const TMetaClass &TCustomLabel::StaticMetaClass() {
  return DefineClass<TCustomLabel, TGraphicControl>("TCustomLabel", [](TClassBuilder<TCustomLabel> &c) {
    c.Enum<TAlignment>("Alignment", &TCustomLabel::SetAlignment, AlignmentNames());
    c.Enum<TTextLayout>("Layout", &TCustomLabel::SetLayout,
                        {{"tlTop", int(TTextLayout::tlTop)},
                         {"tlCenter", int(TTextLayout::tlCenter)},
                         {"tlBottom", int(TTextLayout::tlBottom)}});
    c.Bool("AutoSize", &TCustomLabel::SetAutoSize);
    c.Bool("WordWrap", &TCustomLabel::SetWordWrap);
    c.Bool("Transparent", &TCustomLabel::SetTransparent);
    c.Bool("ShowAccelChar", &TCustomLabel::SetShowAccelChar);
    c.Reference<TWinControl>("FocusControl", &TCustomLabel::SetFocusControl);
  });
}

TCustomLabel::TCustomLabel(TComponent *owner) : TGraphicControl(owner) {
  SetControlStyleFlags(csOpaque, true);
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  layout_ = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool v) {
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  transparent_ = v;
  SetControlStyleFlags(csOpaque, !v);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  showAccelChar_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl *control) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = control;
  if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent *component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (alignment_ == TAlignment::taRightJustify)
    flags |= DT_RIGHT;
  else if (alignment_ == TAlignment::taCenter)
    flags |= DT_CENTER;
  return DrawTextBiDiModeFlags(flags);
}

void TCustomLabel::DoDrawText(RECT &rect, UINT flags) {
  std::string text = Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += " ";
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  flags = DrawTextBiDiModeFlags(flags);
  HDC dc = Canvas().Handle();
  if (!dc) return;
  Canvas().Font().Assign(Font());
  std::wstring w = Wide(text);
  int length = static_cast<int>(w.size());
  if (!Enabled() && !(flags & DT_CALCRECT)) {
    // The engraved look of disabled text: a light copy one pixel down-right, the shadow on top.
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextW(dc, w.c_str(), length, &shifted, flags);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextW(dc, w.c_str(), length, &rect, flags);
    return;
  }
  SetTextColor(dc, ColorToRGB(Font().Color()));
  DrawTextW(dc, w.c_str(), length, &rect, flags);
}

void TCustomLabel::Paint() {
  TCanvas &canvas = Canvas();
  RECT client = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  RECT rect = client;
  if (layout_ != TTextLayout::tlTop) {
    RECT measured = client;
    DoDrawText(measured, DrawTextFlags() | DT_CALCRECT);
    int offset = (client.bottom - client.top) - (measured.bottom - measured.top);
    rect.top += layout_ == TTextLayout::tlBottom ? offset : offset / 2;
  }
  DoDrawText(rect, DrawTextFlags());
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || IsReading() || IsLoading()) return;
  // Measure on a screen-compatible DC: the label may not be on a window yet.
  MemoryDC dc;
  HDC previous = Canvas().HandleAllocated() ? Canvas().Handle() : nullptr;
  Canvas().SetHandle(dc.Get());
  RECT rect{0, 0, wordWrap_ ? Width() : 0, 0};
  DoDrawText(rect, DrawTextFlags() | DT_CALCRECT);
  Canvas().SetHandle(previous);
  int left = Left();
  if (alignment_ == TAlignment::taRightJustify)
    left += Width() - rect.right;
  else if (alignment_ == TAlignment::taCenter)
    left += (Width() - rect.right) / 2;
  SetBounds(left, Top(), rect.right, rect.bottom);
}

void TCustomLabel::WndProc(TMessage &m) {
  TGraphicControl::WndProc(m);
  switch (m.Msg) {
  case CM_TEXTCHANGED:
  case CM_FONTCHANGED:
    AdjustBounds();
    Invalidate();
    break;
  }
}

const TMetaClass &TLabel::StaticMetaClass() { return DefineClass<TLabel, TCustomLabel>("TLabel"); }

// ========================================================================================= TCustomEdit

const TMetaClass &TCustomEdit::StaticMetaClass() {
  return DefineClass<TCustomEdit, TWinControl>("TCustomEdit", [](TClassBuilder<TCustomEdit> &c) {
    c.Int("MaxLength", &TCustomEdit::SetMaxLength);
    c.Bool("ReadOnly", &TCustomEdit::SetReadOnly);
    c.String("PasswordChar", &TCustomEdit::SetPasswordCharText);
    c.Bool("AutoSize", &TCustomEdit::SetAutoSize);
    c.Bool("AutoSelect", &TCustomEdit::SetAutoSelect);
    c.Enum<TEditCharCase>("CharCase", &TCustomEdit::SetCharCase, CharCaseNames());
    c.Enum<TAlignment>("Alignment", &TCustomEdit::SetAlignment, AlignmentNames());
    c.Enum<TBorderStyle>("BorderStyle", &TCustomEdit::SetBorderStyle,
                         {{"bsNone", int(TBorderStyle::bsNone)}, {"bsSingle", int(TBorderStyle::bsSingle)}});
    c.Bool("HideSelection", &TCustomEdit::SetHideSelection);
    c.Bool("WantReturns", &TCustomEdit::SetWantReturns);
    c.Bool("WantTabs", &TCustomEdit::SetWantTabs);
    c.Event("OnChange", &TCustomEdit::OnChange);
  });
}

TCustomEdit::TCustomEdit(TComponent *owner) : TWinControl(owner) {
  SetControlStyle(csClickEvents | csSetCaption | csDoubleClicks);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams &p) {
  TWinControl::CreateParams(p);
  p.baseClass = L"EDIT";
  p.style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (alignment_ == TAlignment::taRightJustify)
    p.style |= ES_RIGHT;
  else if (alignment_ == TAlignment::taCenter)
    p.style |= ES_CENTER;
  if (charCase_ == TEditCharCase::ecUpperCase)
    p.style |= ES_UPPERCASE;
  else if (charCase_ == TEditCharCase::ecLowerCase)
    p.style |= ES_LOWERCASE;
  if (!hideSelection_) p.style |= ES_NOHIDESEL;
  if (readOnly_) p.style |= ES_READONLY;
  if (passwordChar_) p.style |= ES_PASSWORD;
  if (wantReturns_) p.style |= ES_WANTRETURN;
  if (borderStyle_ == TBorderStyle::bsSingle) {
    if (Ctl3D())
      p.exStyle |= WS_EX_CLIENTEDGE;
    else
      p.style |= WS_BORDER;
  }
}

void TCustomEdit::CreateHandleDone() {
  SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (passwordChar_) SendMessageW(Handle(), EM_SETPASSWORDCHAR, passwordChar_, 0);
  AdjustHeight();
}

void TCustomEdit::SetMaxLength(int v) {
  maxLength_ = std::max(v, 0);
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetPasswordChar(char16_t c) {
  if (c == passwordChar_) return;
  passwordChar_ = c;
  RecreateWnd();
}

void TCustomEdit::SetPasswordCharText(const std::string &c) {
  std::wstring w = Wide(c);
  SetPasswordChar(w.empty() ? 0 : static_cast<char16_t>(w[0]));
}

void TCustomEdit::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
  if (v == charCase_) return;
  charCase_ = v;
  RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool v) {
  if (v == hideSelection_) return;
  hideSelection_ = v;
  RecreateWnd();
}

void TCustomEdit::SetWantReturns(bool v) {
  if (v == wantReturns_) return;
  wantReturns_ = v;
  RecreateWnd();
}

void TCustomEdit::AdjustHeight() {
  if (!autoSize_ || !HandleAllocated() || (GetWindowLongW(Handle(), GWL_STYLE) & ES_MULTILINE)) return;
  MemoryDC dc;
  TEXTMETRICW metrics;
  {
    SelectionScope selected(dc.Get(), Font().Handle());
    GetTextMetricsW(dc.Get(), &metrics);
  }
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(Handle(), GWL_EXSTYLE)));
  SetHeight(metrics.tmHeight + (frame.bottom - frame.top) + 2);
}

void TCustomEdit::FontChanged() {
  TWinControl::FontChanged();
  AdjustHeight();
}

int TCustomEdit::SelStart() {
  DWORD start = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int start) { SendMessageW(Handle(), EM_SETSEL, start, start); }

void TCustomEdit::SetSelLength(int length) {
  int start = SelStart();
  SendMessageW(Handle(), EM_SETSEL, start, start + length);
}

void TCustomEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

bool TCustomEdit::Modified() { return HandleAllocated() && SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0; }

void TCustomEdit::Change() {
  Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage &m) {
  switch (m.Msg) {
  case CN_COMMAND:
    if (HIWORD(m.WParam) == EN_CHANGE && !(ControlState() & csCreating)) Change();
    return;
  case CM_ENTER:
    if (autoSelect_ && !(GetKeyState(VK_LBUTTON) < 0)) SelectAll();
    break;
  case WM_GETDLGCODE:
    TWinControl::WndProc(m);
    m.Result = wantTabs_ ? (m.Result | DLGC_WANTTAB) : (m.Result & ~DLGC_WANTTAB);
    if (!wantReturns_) m.Result &= ~DLGC_WANTALLKEYS;
    return;
  case WM_CHAR:
    // What no button took stays out of the text too.
    if ((m.WParam == '\t' && !wantTabs_) || ((m.WParam == '\r' || m.WParam == '\n') && !wantReturns_)) return;
    break;
  }
  TWinControl::WndProc(m);
}

const TMetaClass &TEdit::StaticMetaClass() { return DefineClass<TEdit, TCustomEdit>("TEdit"); }

const TMetaClass &TCustomMaskEdit::StaticMetaClass() {
  return DefineClass<TCustomMaskEdit, TCustomEdit>("TCustomMaskEdit");
}

// ======================================================================================== TMemoStrings

const TMetaClass &TMemoStrings::StaticMetaClass() { return DefineClass<TMemoStrings, TStrings>("TMemoStrings"); }

int TMemoStrings::Count() const { return static_cast<int>(SplitLines(memo_.WideText()).size()); }

std::string TMemoStrings::Get(int index) const {
  std::wstring text = memo_.WideText();
  auto lines = SplitLines(text);
  if (index < 0 || index >= static_cast<int>(lines.size()))
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  const LineSpan &line = lines[static_cast<size_t>(index)];
  return Narrow(std::wstring_view(text).substr(line.start, line.end - line.start));
}

void TMemoStrings::Insert(int index, const std::string &s) {
  std::wstring text = memo_.WideText();
  auto lines = SplitLines(text);
  if (index < 0 || index > static_cast<int>(lines.size()))
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  std::wstring line = Wide(s);
  if (index < static_cast<int>(lines.size())) {
    size_t at = lines[static_cast<size_t>(index)].start;
    return memo_.ReplaceRange(at, at, line + L"\r\n");
  }
  // Appending: end an unterminated last line first.
  bool terminated = text.empty() || text.back() == L'\n' || text.back() == L'\r';
  memo_.ReplaceRange(text.size(), text.size(), (terminated ? L"" : L"\r\n") + line + L"\r\n");
}

void TMemoStrings::Delete(int index) {
  std::wstring text = memo_.WideText();
  auto lines = SplitLines(text);
  if (index < 0 || index >= static_cast<int>(lines.size()))
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  const LineSpan &line = lines[static_cast<size_t>(index)];
  memo_.ReplaceRange(line.start, line.next, L"");
}

void TMemoStrings::Clear() { memo_.SetText(""); }

std::string TMemoStrings::Text() const { return memo_.Text(); }

void TMemoStrings::SetText(std::string_view text) { memo_.SetText(std::string(text)); }

void TMemoStrings::SetUpdateState(bool updating) {
  if (!memo_.HandleAllocated()) return;
  SendMessageW(memo_.Handle(), WM_SETREDRAW, !updating, 0);
  if (!updating) memo_.Invalidate();
}

// ========================================================================================= TCustomMemo

const TMetaClass &TCustomMemo::StaticMetaClass() {
  return DefineClass<TCustomMemo, TCustomEdit>("TCustomMemo", [](TClassBuilder<TCustomMemo> &c) {
    c.Strings("Lines", [](TCustomMemo &m) { return &m.Lines(); });
    c.Enum<TScrollStyle>("ScrollBars", &TCustomMemo::SetScrollBars,
                         {{"ssNone", int(TScrollStyle::ssNone)},
                          {"ssHorizontal", int(TScrollStyle::ssHorizontal)},
                          {"ssVertical", int(TScrollStyle::ssVertical)},
                          {"ssBoth", int(TScrollStyle::ssBoth)}});
    c.Bool("WordWrap", &TCustomMemo::SetWordWrap);
  });
}

TCustomMemo::TCustomMemo(TComponent *owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
  SetAutoSize(false);
  SetWantReturns(true);
  SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() { ReleaseLinks(); }

void TCustomMemo::CreateParams(TCreateParams &p) {
  TCustomEdit::CreateParams(p);
  p.style &= ~ES_AUTOHSCROLL;
  p.style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (!wordWrap_ || scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
    p.style |= ES_AUTOHSCROLL;
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) p.style |= WS_VSCROLL;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) p.style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  RecreateWnd();
}

std::wstring TCustomMemo::WideText() const { return Wide(Text()); }

void TCustomMemo::ReplaceRange(size_t start, size_t end, const std::wstring &text) {
  if (!HandleAllocated()) {
    std::wstring all = WideText();
    all.replace(start, end - start, text);
    StoreText(Narrow(all));
    return;
  }
  HWND window = Handle();
  SendMessageW(window, EM_SETSEL, start, end);
  SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(window, EM_SCROLLCARET, 0, 0);
}

const TMetaClass &TMemo::StaticMetaClass() { return DefineClass<TMemo, TCustomMemo>("TMemo"); }

// ============================================================================================= TButton

const TMetaClass &TButtonControl::StaticMetaClass() {
  return DefineClass<TButtonControl, TWinControl>("TButtonControl");
}

TButtonControl::TButtonControl(TComponent *owner) : TWinControl(owner) {
  SetControlStyle(csSetCaption | csDoubleClicks);
  SetTabStop(true);
  SetParentColor(true);
}

const TMetaClass &TButton::StaticMetaClass() {
  return DefineClass<TButton, TButtonControl>("TButton", [](TClassBuilder<TButton> &c) {
    c.Bool("Default", &TButton::SetDefault);
    c.Bool("Cancel", &TButton::SetCancel);
    c.Int("ModalResult", &TButton::SetModalResult);
  });
}

TButton::TButton(TComponent *owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::SetDefault(bool v) {
  default_ = v;
  if (!HandleAllocated()) return;
  TCustomForm *form = ParentForm();
  TWinControl *focused = form ? form->ActiveControl() : nullptr;
  active_ = focused == this || (default_ && !dynamic_cast<TButton *>(focused));
  SetButtonStyle(active_);
}

void TButton::CreateParams(TCreateParams &p) {
  TButtonControl::CreateParams(p);
  p.baseClass = L"BUTTON";
  p.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetButtonStyle(bool isDefault) {
  if (!HandleAllocated()) return;
  LONG style = GetWindowLongW(Handle(), GWL_STYLE) & 0x0F;
  UINT wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (static_cast<UINT>(style) != wanted) SendMessageW(Handle(), BM_SETSTYLE, wanted, TRUE);
}

void TButton::Click() {
  if (TCustomForm *form = ParentForm()) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::WndProc(TMessage &m) {
  switch (m.Msg) {
  case CN_COMMAND:
    if (HIWORD(m.WParam) == BN_CLICKED) Click();
    return;
  case CM_FOCUSCHANGED: {
    auto *focused = reinterpret_cast<TWinControl *>(m.LParam);
    active_ = focused == this || (default_ && !dynamic_cast<TButton *>(focused));
    SetButtonStyle(active_);
    return;
  }
  case CM_DIALOGKEY:
    if (((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && cancel_)) && CanFocus()) {
      Click();
      m.Result = 1;
      return;
    }
    break;
  case CM_DIALOGCHAR:
    if (IsAccel(static_cast<char16_t>(m.WParam), Caption()) && CanFocus()) {
      Click();
      m.Result = 1;
      return;
    }
    break;
  }
  TButtonControl::WndProc(m);
}

TIdentTable ButtonLayoutNames() {
  return {{"blGlyphLeft", int(TButtonLayout::blGlyphLeft)},
          {"blGlyphRight", int(TButtonLayout::blGlyphRight)},
          {"blGlyphTop", int(TButtonLayout::blGlyphTop)},
          {"blGlyphBottom", int(TButtonLayout::blGlyphBottom)}};
}

const TMetaClass &TBitBtn::StaticMetaClass() {
  return DefineClass<TBitBtn, TButton>("TBitBtn", [](TClassBuilder<TBitBtn> &c) {
    c.Int("NumGlyphs", [](TBitBtn &b, int v) { b.NumGlyphs = v; });
    c.Int("Margin", [](TBitBtn &b, int v) { b.Margin = v; });
    c.Int("Spacing", [](TBitBtn &b, int v) { b.Spacing = v; });
    c.Enum<TButtonLayout>(
        "Layout", [](TBitBtn &b, TButtonLayout v) { b.Layout = v; }, ButtonLayoutNames());
  });
}
