#include "skin/frame/win/BasicSystemMenu.h"

namespace {
constexpr int AltF4 = 0x8073;
} // namespace

void TsBasicSystemMenu::AddStandardItems(const std::string &namePrefix, Actions actions) {
  ItemRestore = AddItem(namePrefix + "Restore", "Restore", std::move(actions.Restore));
  ItemMove = AddItem(namePrefix + "Move", "Move", std::move(actions.Move));
  ItemSize = AddItem(namePrefix + "Size", "Size", std::move(actions.Size));
  ItemMinimize = AddItem(namePrefix + "Minimize", "Minimize", std::move(actions.Minimize));
  ItemMaximize = AddItem(namePrefix + "Maximize", "Maximize", std::move(actions.Maximize));
  AddItem(namePrefix + "Line", "-", {});
  ItemClose = AddItem(namePrefix + "Close", "Close", std::move(actions.Close));
  ItemClose->SetShortCut(AltF4);
}

TMenuItem *TsBasicSystemMenu::AddItem(const std::string &name, const std::string &caption,
                                      std::function<void()> click) {
  auto *item = TComponent::Create<TMenuItem>(this);
  item->SetName(name);
  item->SetCaption(caption);
  if (click) item->OnClick = [click = std::move(click)](TObject *) { click(); };
  Items().Add(item);
  return item;
}

void TsBasicSystemMenu::ShowItems(const TsTitleRules &rules) {
  ItemRestore->SetVisible(rules.RestoreVisible);
  ItemRestore->SetEnabled(rules.RestoreEnabled);
  ItemMove->SetEnabled(rules.MoveEnabled);
  ItemSize->SetVisible(rules.SizeVisible);
  ItemSize->SetEnabled(rules.SizeEnabled);
  ItemMinimize->SetVisible(rules.MinVisible);
  ItemMinimize->SetEnabled(rules.MinEnabled);
  ItemMaximize->SetVisible(rules.MaxVisible);
  ItemMaximize->SetEnabled(rules.MaxEnabled);
  ItemClose->SetVisible(rules.CloseVisible);
}
