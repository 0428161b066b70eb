#include "skin/paint/win/SkinEngine.h"

#include <windows.h>

#include "skin/data/SystemColors.h"
#include "skin/data/win/SkinDelivery.h"
#include "skin/paint/win/BoundLabel.h"
#include "skin/paint/win/FormShowAnimation.h"
#include "toolkit/base/MetaClass.h"

namespace {
TColor LiveSystemColor(int index) { return static_cast<TColor>(GetSysColor(index)); }
} // namespace

void InitializeSkinEngine() {
  RegisterSkinCommandMessage();
  SetSkinWindowsFactory(CreateSkinWindows);
  SetSkinChangeAnimation(AnimShowForm);
  SetSystemColorLookup(LiveSystemColor);
  RegisterComponentClass(TsSkinManager::StaticMetaClass());
  RegisterComponentClass(TsEditLabel::StaticMetaClass());
}
