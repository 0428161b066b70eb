#pragma once
// The skinned edit with a built-in button at its right end (the base of the folder edit): the button shows
// a glyph (TsGlyphMode), is pressed by the mouse or by ClickKey (Alt+Down), and the text area of the edit
// always ends left of it, so typed text never runs under the button. The edit stays on one line: a pasted
// or typed line break is dropped.

#include <memory>
#include <string>

#include "skin/controls/win/EditButton.h"
#include "skin/controls/win/GlyphMode.h"
#include "skin/controls/win/MaskEdit.h"

class TsCustomComboEdit : public TsMaskEdit {
  TK_CLASS(TsCustomComboEdit)
public:
  explicit TsCustomComboEdit(TComponent *owner);
  ~TsCustomComboEdit() override;

  bool ShowButton() const { return showButton_; }
  void SetShowButton(bool show);
  // A shortcut (key with shift state, ShortCut) that presses the button.
  int ClickKey = ShortCut(VK_DOWN, ssAlt);
  bool DirectInput() const { return directInput_; }
  void SetDirectInput(bool direct);
  // Neither typing nor the button changes the text.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  TsGlyphMode GlyphMode{[this](bool resize) { GlyphChanged(resize); }};
  TNotifyEvent OnButtonClick;

  TsEditButton &Button() const { return *button_; }
  // What pressing the button does; the base raises OnButtonClick and focuses the edit.
  virtual void ButtonClick();

  // For the button's face: the edit's cache image as it is now (rendered when stale), its glyph, and
  // whether the edit shows its active look.
  const Image24 &CurrentCache();
  const Image24 *CurrentGlyph() const { return GlyphMode.Current(glyphKind_); }
  bool ShowsActive() const;

  void Loaded() override;

protected:
  // The kind of default glyph ("BTN_OPENFOLDER"); empty for none.
  void SetGlyphKind(const std::string &kind);
  void CreateParams(TCreateParams &params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage &m) override;
  void KeyDown(WORD &key, TShiftState shift) override;
  TRect CacheTextRect() const override;

private:
  void GlyphChanged(bool resize);
  // The button at the right edge, as wide as its glyph (0 when hidden), and the text area left of it.
  void PlaceButton();
  void SetEditRect();
  void Paste();

  TsEditButton *button_;
  std::string glyphKind_;
  bool showButton_ = true;
  bool directInput_ = true;
  bool readOnly_ = false;
};
