#pragma once
// The button inside an edit with a built-in button: a flat, window-less speed button at the edit's right
// edge with the edit's glyph and no caption. Skinned, its face is the edit's own background under the glyph
// (the "SPEEDBUTTON" section is not painted); unskinned, the speed button's face with the glyph over it.

#include "skin/engine/win/CommonData.h"
#include "toolkit/ui/Buttons.h"

class TsCustomComboEdit;

class TsEditButton : public TSpeedButton {
  TK_CLASS(TsEditButton)
public:
  TsEditButton(TComponent *owner, TsCustomComboEdit &edit);
  ~TsEditButton() override;

  TsCommonData SkinData{*this, true};
  bool MouseOver() const { return mouseOver_; }
  bool Pressed() const;

  void Click() override;

protected:
  void WndProc(TMessage &m) override;
  void Paint() override;
  void PaintContent(RECT rect) override;

private:
  void PaintSkinned();

  TsCustomComboEdit &edit_;
  bool mouseOver_ = false;
};
