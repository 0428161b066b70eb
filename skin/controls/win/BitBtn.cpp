#include "skin/controls/win/BitBtn.h"

#include "toolkit/base/MetaClass.h"

const TMetaClass &TsBitBtn::StaticMetaClass() { return DefineClass<TsBitBtn, TsButton>("TsBitBtn"); }
