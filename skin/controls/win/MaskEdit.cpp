#include "skin/controls/win/MaskEdit.h"

#include "toolkit/base/MetaClass.h"

const TMetaClass &TsMaskEdit::StaticMetaClass() { return DefineClass<TsMaskEdit, TsEdit>("TsMaskEdit"); }
