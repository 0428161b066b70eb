#pragma once
// The skinned frame's own system menu: the frame takes the system's away (WS_SYSMENU), so Restore, Move,
// Size, Minimize, Maximize and Close are offered here, shown and enabled by the same rules as the title
// buttons, and optionally the list of available skins at the top. A popup menu of the toolkit, so a
// skinned-menu component reaches it through the toolkit's menu hook like any other popup.

#include <functional>
#include <string>

#include "skin/engine/SkinManager.h"
#include "skin/frame/TitleBar.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Menus.h"

class TsSystemMenu : public TPopupMenu {
  TK_CLASS(TsSystemMenu)
public:
  // rules: the title's rules for the form as it is now.
  TsSystemMenu(TComponent *owner, TCustomForm &form, std::function<TsTitleRules()> rules);

  TCustomForm &Form() const { return form_; }
  TMenuItem *ItemRestore = nullptr;
  TMenuItem *ItemMove = nullptr;
  TMenuItem *ItemSize = nullptr;
  TMenuItem *ItemMinimize = nullptr;
  TMenuItem *ItemMaximize = nullptr;
  TMenuItem *ItemClose = nullptr;

  // Shows and enables the items as the form's state allows; a failure leaves them as they were.
  void UpdateItems();
  // Puts the manager's skins first ("Available skins", a separator after it), or takes them away when
  // manager is null; built anew on every call.
  void UpdateSkinItems(TsSkinManager *manager);

private:
  TMenuItem *AddItem(const std::string &name, const std::string &caption, std::function<void()> click);
  void Command(WPARAM command);
  void RemoveSkinItems();

  TCustomForm &form_;
  std::function<TsTitleRules()> rules_;
};
