#include "skin/engine/win/SkinEngine.h"

#include <windows.h>

#include "skin/model/SystemColors.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/engine/win/FormShowAnimation.h"
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
}
