#include "skin/controls/win/SkinControls.h"

#include "skin/controls/win/BoundLabel.h"
#include "skin/controls/win/Button.h"
#include "skin/controls/win/ProgressBar.h"
#include "skin/engine/win/SkinEngine.h"
#include "toolkit/base/MetaClass.h"

void InitializeSkinControls() {
  InitializeSkinEngine();
  RegisterComponentClass(TsEditLabel::StaticMetaClass());
  RegisterComponentClass(TsButton::StaticMetaClass());
  RegisterComponentClass(TsProgressBar::StaticMetaClass());
}
