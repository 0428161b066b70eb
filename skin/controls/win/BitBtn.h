#pragma once
// The skinned bit button: a skinned push button under the name that dialog layouts give their buttons.
// It paints the section "BUTTON" with its caption in the same three states; it shows no picture.

#include "skin/controls/win/Button.h"

class TsBitBtn : public TsButton {
  TK_CLASS(TsBitBtn)
public:
  explicit TsBitBtn(TComponent *owner) : TsButton(owner) {}
};
