#include "skin/controls/win/SkinControls.h"

#include "skin/controls/win/BoundLabel.h"
#include "skin/controls/win/Button.h"
#include "skin/controls/win/Edit.h"
#include "skin/controls/win/Label.h"
#include "skin/controls/win/Memo.h"
#include "skin/controls/win/ProgressBar.h"
#include "skin/frame/win/SkinFrames.h"
#include "toolkit/base/MetaClass.h"

void InitializeSkinControls() {
  InitializeSkinFrames();
  RegisterComponentClass(TsEditLabel::StaticMetaClass());
  RegisterComponentClass(TsCustomLabel::StaticMetaClass());
  RegisterComponentClass(TsLabel::StaticMetaClass());
  RegisterComponentClass(TsEdit::StaticMetaClass());
  RegisterComponentClass(TsMemo::StaticMetaClass());
  RegisterComponentClass(TsButton::StaticMetaClass());
  RegisterComponentClass(TsProgressBar::StaticMetaClass());
}
