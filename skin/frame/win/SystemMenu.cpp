#include "skin/frame/win/SystemMenu.h"

#include "toolkit/base/MetaClass.h"

namespace {

constexpr const char *SkinsItemName = "SkinSelectItem";
constexpr const char *SkinsLineName = "SkinSelectLine";
constexpr int SkinsPerColumn = 20;

// A menu shows "&" as the mark of an accelerator; a skin's name shows as it is.
std::string MenuCaption(const std::string &text) {
  std::string caption;
  for (char c : text) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

} // namespace

const TMetaClass &TsSystemMenu::StaticMetaClass() { return DefineClass<TsSystemMenu, TPopupMenu>("TsSystemMenu"); }

TsSystemMenu::TsSystemMenu(TComponent *owner, TCustomForm &form, std::function<TsTitleRules()> rules)
    : TsBasicSystemMenu(owner), form_(form), rules_(std::move(rules)) {
  SetName("SystemMenu");
  Actions actions;
  actions.Restore = [this] {
    Command(SC_RESTORE);
    UpdateItems();
  };
  actions.Move = [this] { Command(SC_MOVE); };
  actions.Size = [this] { Command(SC_SIZE); };
  actions.Minimize = [this] {
    if (Application->MainForm() == &form_) {
      Application->Minimize();
      UpdateItems();
    } else {
      Command(SC_MINIMIZE);
    }
  };
  actions.Maximize = [this] {
    form_.SetWindowState(TWindowState::wsMaximized);
    Command(SC_MAXIMIZE);
    UpdateItems();
  };
  actions.Close = [this] { Command(SC_CLOSE); };
  AddStandardItems("Item", std::move(actions));
  UpdateItems();
}

void TsSystemMenu::Command(WPARAM command) {
  if (form_.HandleAllocated()) SendMessageW(form_.Handle(), WM_SYSCOMMAND, command, 0);
}

void TsSystemMenu::UpdateItems() {
  try {
    const TsTitleRules r = rules_();
    ShowItems(r);
    // A form that cannot move now does not offer Move at all.
    ItemMove->SetVisible(r.MoveEnabled);
    ItemClose->SetEnabled(true);
  } catch (...) {
    // The items keep their last state; the menu still works.
  }
}

void TsSystemMenu::RemoveSkinItems() {
  TMenuItem &root = Items();
  for (const char *name : {SkinsItemName, SkinsLineName}) {
    if (root.Count() == 0 || root.Items(0)->Name() != name) continue;
    TMenuItem *first = root.Items(0);
    while (first->Count() > 0)
      first->Delete(first->Count() - 1);
    root.Delete(0);
  }
}

void TsSystemMenu::UpdateSkinItems(TsSkinManager *manager) {
  RemoveSkinItems();
  if (!manager) return;
  std::vector<std::string> skins;
  manager->ListSkins(skins, SkinListKind::Both);
  if (skins.empty()) return;
  auto *list = TComponent::Create<TMenuItem>(this);
  list->SetName(SkinsItemName);
  list->SetCaption("Available skins");
  for (size_t i = 0; i < skins.size(); ++i) {
    auto *item = TComponent::Create<TMenuItem>(this);
    item->SetName(SkinsItemName + std::to_string(i));
    item->SetCaption(MenuCaption(skins[i]));
    item->SetRadioItem(true);
    item->SetChecked(skins[i] == manager->SkinName());
    if (i > 0 && i % SkinsPerColumn == 0) item->SetBreak(TMenuBreak::mbBreak);
    item->OnClick = [manager, name = skins[i]](TObject *) { manager->SetSkinName(name); };
    list->Add(item);
  }
  auto *line = TComponent::Create<TMenuItem>(this);
  line->SetName(SkinsLineName);
  line->SetCaption("-");
  Items().Insert(0, line);
  Items().Insert(0, list);
}
