#pragma once
// What every skinned system menu has: Restore, Move, Size, Minimize, Maximize, a divider and Close
// (Alt+F4), each doing what the menu's owner says, shown and enabled by the title's rules. A popup menu of
// the toolkit, so a skinned-menu component reaches it like any other popup.

#include <functional>
#include <string>

#include "skin/frame/TitleBar.h"
#include "toolkit/ui/Menus.h"

class TsBasicSystemMenu : public TPopupMenu {
public:
  TMenuItem *ItemRestore = nullptr;
  TMenuItem *ItemMove = nullptr;
  TMenuItem *ItemSize = nullptr;
  TMenuItem *ItemMinimize = nullptr;
  TMenuItem *ItemMaximize = nullptr;
  TMenuItem *ItemClose = nullptr;

protected:
  // What each item does when clicked.
  struct Actions {
    std::function<void()> Restore, Move, Size, Minimize, Maximize, Close;
  };

  explicit TsBasicSystemMenu(TComponent *owner) : TPopupMenu(owner) {}

  // Adds the items in their order, named namePrefix + "Restore", ..., namePrefix + "Line", namePrefix +
  // "Close".
  void AddStandardItems(const std::string &namePrefix, Actions actions);
  // An item added at the end; one without click does nothing when clicked (a divider).
  TMenuItem *AddItem(const std::string &name, const std::string &caption, std::function<void()> click);
  // Shows and enables the items as the rules say, but for Move's visibility and Close's enabled state,
  // which each menu settles itself.
  void ShowItems(const TsTitleRules &rules);
};
