#include "skin/dialogs/win/DialogSystemMenu.h"

#include "skin/dialogs/DialogRules.h"
#include "toolkit/base/MetaClass.h"

const TMetaClass &TacSystemMenu::StaticMetaClass() { return DefineClass<TacSystemMenu, TPopupMenu>("TacSystemMenu"); }

TacSystemMenu::TacSystemMenu(HWND dialog, DWORD style) : TsBasicSystemMenu(nullptr), dialog_(dialog), style_(style) {
  SetWindowHandle(dialog);
  AddStandardItems("mi", {.Restore = SystemCommand(SC_RESTORE, true),
                          .Move = SystemCommand(SC_MOVE, false),
                          .Size = SystemCommand(SC_SIZE, false),
                          .Minimize = SystemCommand(SC_MINIMIZE, false),
                          .Maximize = SystemCommand(SC_MAXIMIZE, true),
                          .Close = SystemCommand(SC_CLOSE, false)});
  UpdateItems();
}

std::function<void()> TacSystemMenu::SystemCommand(WPARAM command, bool updateAfter) {
  return [this, command, updateAfter] {
    SendMessageW(dialog_, WM_SYSCOMMAND, command, 0);
    if (updateAfter && IsWindow(dialog_)) UpdateItems();
  };
}

void TacSystemMenu::UpdateItems() { ShowItems(DialogMenuRules(style_, IsIconic(dialog_), IsZoomed(dialog_))); }

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
