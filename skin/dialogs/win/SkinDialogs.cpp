#include "skin/dialogs/win/SkinDialogs.h"

#include "skin/dialogs/win/DialogHook.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/menus/win/SkinMenus.h"

void InitializeSkinDialogs() {
  InitializeSkinMenus();
  SetDialogHooks({InstallDialogHook, RemoveDialogHook});
}
