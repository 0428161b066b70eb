#include "skin/dialogs/win/DialogSystemMenu.h"

#include "skin/dialogs/DialogRules.h"
#include "toolkit/base/MetaClass.h"

namespace {
constexpr int AltF4 = 0x8073;
} // namespace

const TMetaClass &TacSystemMenu::StaticMetaClass() { return DefineClass<TacSystemMenu, TPopupMenu>("TacSystemMenu"); }

TacSystemMenu::TacSystemMenu(HWND dialog, DWORD style) : TPopupMenu(nullptr), dialog_(dialog), style_(style) {
  SetWindowHandle(dialog);
  ItemRestore = AddItem("miRestore", "Restore", SC_RESTORE, true);
  ItemMove = AddItem("miMove", "Move", SC_MOVE, false);
  ItemSize = AddItem("miSize", "Size", SC_SIZE, false);
  ItemMinimize = AddItem("miMinimize", "Minimize", SC_MINIMIZE, false);
  ItemMaximize = AddItem("miMaximize", "Maximize", SC_MAXIMIZE, true);
  AddItem("miLine", "-", 0, false);
  ItemClose = AddItem("miClose", "Close", SC_CLOSE, false);
  ItemClose->SetShortCut(AltF4);
  UpdateItems();
}

TMenuItem *TacSystemMenu::AddItem(const char *name, const char *caption, WPARAM command, bool updateAfter) {
  auto *item = TComponent::Create<TMenuItem>(this);
  item->SetName(name);
  item->SetCaption(caption);
  if (command)
    item->OnClick = [this, command, updateAfter](TObject *) {
      SendMessageW(dialog_, WM_SYSCOMMAND, command, 0);
      if (updateAfter && IsWindow(dialog_)) UpdateItems();
    };
  Items().Add(item);
  return item;
}

void TacSystemMenu::UpdateItems() {
  const TacDialogMenuRules r = DialogMenuRules(style_, IsIconic(dialog_), IsZoomed(dialog_));
  ItemRestore->SetVisible(r.RestoreVisible);
  ItemRestore->SetEnabled(r.RestoreEnabled);
  ItemMove->SetEnabled(r.MoveEnabled);
  ItemSize->SetVisible(r.SizeVisible);
  ItemSize->SetEnabled(r.SizeEnabled);
  ItemMinimize->SetVisible(r.MinimizeVisible);
  ItemMinimize->SetEnabled(r.MinimizeEnabled);
  ItemMaximize->SetVisible(r.MaximizeVisible);
  ItemMaximize->SetEnabled(r.MaximizeEnabled);
  ItemClose->SetVisible(r.CloseVisible);
}

void TacSystemMenu::PopupAt(POINT screen) {
  UpdateItems();
  Popup(screen.x, screen.y);
}

bool TacSystemMenu::Owns(UINT command) {
  TMenuItem &root = Items();
  for (int i = 0; i < root.Count(); ++i)
    if (root.Items(i)->Command() == command) return true;
  return false;
}

bool TacSystemMenu::Dispatch(UINT command) { return Owns(command) && DispatchMenuCommand(command); }
