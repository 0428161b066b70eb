#pragma once
// The skinned frame's own system menu: the frame takes the system's away (WS_SYSMENU), so Restore, Move,
// Size, Minimize, Maximize and Close are offered here, shown and enabled by the same rules as the title
// buttons, and optionally the list of available skins at the top. A popup menu of the toolkit, so a
// skinned-menu component reaches it through the toolkit's menu hook like any other popup.

#include <functional>

#include "skin/engine/SkinManager.h"
#include "skin/frame/TitleBar.h"
#include "skin/frame/win/BasicSystemMenu.h"
#include "toolkit/ui/Forms.h"

class TsSystemMenu : public TsBasicSystemMenu {
  TK_CLASS(TsSystemMenu)
public:
  // rules: the title's rules for the form as it is now.
  TsSystemMenu(TComponent *owner, TCustomForm &form, std::function<TsTitleRules()> rules);

  TCustomForm &Form() const { return form_; }

  // Shows and enables the items as the form's state allows; a failure leaves them as they were.
  void UpdateItems();
  // Puts the manager's skins first ("Available skins", a separator after it), or takes them away when
  // manager is null; built anew on every call.
  void UpdateSkinItems(TsSkinManager *manager);

private:
  void Command(WPARAM command);
  void RemoveSkinItems();

  TCustomForm &form_;
  std::function<TsTitleRules()> rules_;
};
