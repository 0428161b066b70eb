#include "skin/menus/win/SkinMenus.h"

#include "skin/controls/win/SkinControls.h"
#include "skin/menus/win/SkinableMenus.h"

void InitializeSkinMenus() {
  InitializeSkinControls();
  InstallSkinableMenus();
}
