#pragma once
// The skinned masked edit: a skinned edit under the class name of the masked-edit family, the base of the
// edits with a built-in button.

#include "skin/controls/win/Edit.h"

class TsMaskEdit : public TsEdit {
  TK_CLASS(TsMaskEdit)
public:
  explicit TsMaskEdit(TComponent *owner) : TsEdit(owner) {}
};
