#include "skin/controls/win/SkinControls.h"

#include "skin/controls/win/BitBtn.h"
#include "skin/controls/win/BoundLabel.h"
#include "skin/controls/win/Button.h"
#include "skin/controls/win/DefaultGlyphs.h"
#include "skin/controls/win/DirectoryEdit.h"
#include "skin/controls/win/Edit.h"
#include "skin/controls/win/Label.h"
#include "skin/controls/win/Memo.h"
#include "skin/controls/win/PathDialog.h"
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
  RegisterComponentClass(TsBitBtn::StaticMetaClass());
  RegisterComponentClass(TsTreeView::StaticMetaClass());
  RegisterComponentClass(TsShellTreeView::StaticMetaClass());
  RegisterComponentClass(TPathDialogForm::StaticMetaClass());
  RegisterComponentClass(TsMaskEdit::StaticMetaClass());
  RegisterComponentClass(TsDirectoryEdit::StaticMetaClass());
  LoadDefaultGlyphs();
}
