#include "skin/frame/win/SkinFrames.h"

#include "skin/engine/win/SkinEngine.h"
#include "skin/frame/win/SkinProvider.h"
#include "toolkit/base/MetaClass.h"

void InitializeSkinFrames() {
  InitializeSkinEngine();
  RegisterComponentClass(TsSkinProvider::StaticMetaClass());
}
