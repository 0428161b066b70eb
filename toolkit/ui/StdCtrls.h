#pragma once
// The standard controls: the window-less label, the edit and memo (EDIT windows), the push button
// (a BUTTON window) and its picture variant, and the mask edit.

#include <memory>
#include <string>

#include "toolkit/base/LayoutReader.h"
#include "toolkit/base/Strings.h"
#include "toolkit/ui/Controls.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
  TK_CLASS(TCustomLabel)
public:
  explicit TCustomLabel(TComponent *owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  TWinControl *FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl *control);

  // Resizes the label to its text when AutoSize is on.
  void AdjustBounds();
  void Notification(TComponent *component, TOperation operation) override;
  void Loaded() override;

protected:
  void WndProc(TMessage &message) override;
  void Paint() override;
  // Draws (or with DT_CALCRECT measures) the caption in rect; the flags are DrawText's.
  virtual void DoDrawText(RECT &rect, UINT flags);
  // DrawText flags for the current alignment, word wrap and accelerator settings.
  UINT DrawTextFlags() const;

private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool autoSize_ = true, wordWrap_ = false, transparent_ = false, showAccelChar_ = true;
  TWinControl *focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
  TK_CLASS(TLabel)
public:
  explicit TLabel(TComponent *owner) : TCustomLabel(owner) {}
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
  TK_CLASS(TCustomEdit)
public:
  explicit TCustomEdit(TComponent *owner);

  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  char16_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char16_t c);
  void SetPasswordCharText(const std::string &c);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  // Keys the edit keeps for itself. Without them, Tab moves to the next control and Enter presses the
  // form's default button, also in a multi-line edit (which the system would let have every key).
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool v);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool v) { wantTabs_ = v; }

  int SelStart();
  int SelLength();
  void SetSelStart(int start);
  void SetSelLength(int length);
  void SelectAll();
  void Clear() { SetText(""); }
  bool Modified();

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage &message) override;
  // EN_CHANGE: the control-changed notice, then OnChange.
  virtual void Change();
  void FontChanged() override;
  void AdjustHeight();

private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  char16_t passwordChar_ = 0;
  bool autoSize_ = true, autoSelect_ = true, hideSelection_ = true, wantReturns_ = false, wantTabs_ = false;
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

class TEdit : public TCustomEdit {
  TK_CLASS(TEdit)
public:
  explicit TEdit(TComponent *owner) : TCustomEdit(owner) {}
};

// An edit under its own class name; there is no mask logic.
class TCustomMaskEdit : public TCustomEdit {
  TK_CLASS(TCustomMaskEdit)
public:
  explicit TCustomMaskEdit(TComponent *owner) : TCustomEdit(owner) {}
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The lines of a memo, read from and written through its window (kept in the control's text while
// the window does not exist).
class TMemoStrings : public TStrings {
  TK_CLASS(TMemoStrings)
public:
  explicit TMemoStrings(TCustomMemo &memo) : memo_(memo) {}
  int Count() const override;
  std::string Get(int index) const override;
  void Insert(int index, const std::string &s) override;
  void Delete(int index) override;
  void Clear() override;
  std::string Text() const override;
  void SetText(std::string_view text) override;

protected:
  void SetUpdateState(bool updating) override;

private:
  TCustomMemo &memo_;
};

class TCustomMemo : public TCustomEdit {
  TK_CLASS(TCustomMemo)
public:
  explicit TCustomMemo(TComponent *owner);
  ~TCustomMemo() override;

  TStrings &Lines() { return *lines_; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);

protected:
  void CreateParams(TCreateParams &params) override;

private:
  friend class TMemoStrings;
  // Replaces the UTF-16 range [start, end) of the text; through EM_SETSEL and EM_REPLACESEL when the
  // window exists, then the caret is scrolled into view.
  void ReplaceRange(size_t start, size_t end, const std::wstring &text);
  std::wstring WideText() const;

  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
  TK_CLASS(TMemo)
public:
  explicit TMemo(TComponent *owner) : TCustomMemo(owner) {}
};

class TButtonControl : public TWinControl {
  TK_CLASS(TButtonControl)
public:
  explicit TButtonControl(TComponent *owner);
};

class TButton : public TButtonControl {
  TK_CLASS(TButton)
public:
  explicit TButton(TComponent *owner);

  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  // Sets the form's ModalResult to this button's, then raises OnClick.
  void Click() override;

protected:
  void CreateParams(TCreateParams &params) override;
  void WndProc(TMessage &message) override;
  // Gives the button the default (heavy) frame or takes it away as the focus moves.
  virtual void SetButtonStyle(bool isDefault);
  // True while Enter would press this button: it has the focus, or it is the default button and no
  // other button has.
  bool Active() const { return active_; }

private:
  bool default_ = false, cancel_ = false, active_ = false;
  int modalResult_ = 0;
};

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// The layout names of TButtonLayout, for the classes that store it.
TIdentTable ButtonLayoutNames();

// A push button under its own class name; its picture properties are stored only.
class TBitBtn : public TButton {
  TK_CLASS(TBitBtn)
public:
  explicit TBitBtn(TComponent *owner) : TButton(owner) {}
  TBitmap &Glyph() { return glyph_; }
  int NumGlyphs = 1, Margin = -1, Spacing = 4;
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;

private:
  TBitmap glyph_;
};

// True when key is the accelerator ("&Y") of caption, without regard to case.
bool IsAccel(char16_t key, const std::string &caption);
