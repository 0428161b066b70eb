#include "skin/dialogs/win/SkinDialogs.h"

#include "skin/controls/win/SkinControls.h"
#include "skin/dialogs/win/DialogHook.h"
#include "skin/engine/win/SkinDelivery.h"

void InitializeSkinDialogs() {
  InitializeSkinControls();
  SetDialogHooks({InstallDialogHook, RemoveDialogHook});
}
