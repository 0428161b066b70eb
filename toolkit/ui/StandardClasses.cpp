#include "toolkit/ui/StandardClasses.h"

#include "toolkit/base/MetaClass.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/ui/StdCtrls.h"

void RegisterStandardClasses() {
  for (const TMetaClass *meta :
       {&TLabel::StaticMetaClass(), &TEdit::StaticMetaClass(), &TCustomMaskEdit::StaticMetaClass(),
        &TMemo::StaticMetaClass(), &TButton::StaticMetaClass(), &TBitBtn::StaticMetaClass(),
        &TProgressBar::StaticMetaClass(), &TTreeView::StaticMetaClass(), &TImageList::StaticMetaClass(),
        &TTimer::StaticMetaClass(), &TImage::StaticMetaClass(), &TSpeedButton::StaticMetaClass(),
        &TPopupMenu::StaticMetaClass(), &TMenuItem::StaticMetaClass(), &TForm::StaticMetaClass(),
        &TMessageForm::StaticMetaClass()})
    RegisterComponentClass(*meta);
}
