#include "skin/adapters/win/CtrlAdapter.h"

#include <algorithm>

#include "skin/adapters/ThirdPartyAdapters.h"
#include "skin/adapters/win/BtnWnd.h"
#include "skin/adapters/win/EditWnd.h"
#include "skin/engine/FlagScope.h"
#include "skin/engine/win/SkinDelivery.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/ui/ErrorPath.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

// The window adapter of a ThirdParty group. Groups whose adapter is not built yet get none, and their
// controls keep the system's look.
std::unique_ptr<TacMainWnd> CreateGroupAdapter(int group, const TacAdapterSetup &setup) {
  switch (group) {
  case tpEdits: return TacMainWnd::Create<TacEditWnd>(setup);
  case tpButtons: return TacMainWnd::Create<TacBtnWnd>(setup);
  case tpBitBtns: return TacMainWnd::Create<TacBitBtnWnd>(setup);
  case tpListViews: return TacMainWnd::Create<TacListViewWnd>(setup);
  case tpTreeViews: return TacMainWnd::Create<TacTreeViewWnd>(setup);
  default: return nullptr;
  }
}

} // namespace

const TMetaClass &TacCtrlAdapter::StaticMetaClass() {
  return DefineClass<TacCtrlAdapter, TPersistent>("TacCtrlAdapter");
}

TacCtrlAdapter::TacCtrlAdapter(TWinControl &form, TsCommonData &providerData, TAddItemEvent onSkinItem)
    : form_(form), providerData_(providerData), onSkinItem_(std::move(onSkinItem)) {}

TacCtrlAdapter::~TacCtrlAdapter() { Clear(); }

TsSkinManager *TacCtrlAdapter::Manager() const { return providerData_.SkinManager(); }

TacAdapterItem *TacCtrlAdapter::Find(const TControl &control) const {
  for (const auto &item : items_)
    if (item->Control == &control) return item.get();
  return nullptr;
}

void TacCtrlAdapter::Remove(const TComponent *control) {
  const auto at =
      std::find_if(items_.begin(), items_.end(), [control](const auto &item) { return item->Control == control; });
  if (at == items_.end()) return;
  const std::unique_ptr<TacAdapterItem> item = std::move(*at);
  items_.erase(at);
  watch_.Unwatch(item->Control);
}

void TacCtrlAdapter::Clear() {
  const FlagScope scanning(scanning_);
  while (!items_.empty()) {
    const std::unique_ptr<TacAdapterItem> item = std::move(items_.back());
    items_.pop_back();
    watch_.Unwatch(item->Control);
  }
}

bool TacCtrlAdapter::Supported(TControl &control) const {
  auto *windowed = dynamic_cast<TWinControl *>(&control);
  if (!windowed || ExcludedFromSkinning(control) || !windowed->HandleAllocated() || AnswersSkinned(*windowed))
    return false;
  TsSkinManager *manager = Manager();
  return manager && ThirdPartyGroupOf(manager->ThirdParty(), control.ClassName()) >= 0;
}

void TacCtrlAdapter::AdaptLabel(TControl &control) const {
  auto *label = dynamic_cast<TCustomLabel *>(&control);
  const TsSkinManager *manager = Manager();
  if (!label || !manager || ExcludedFromSkinning(control) || AnswersSkinned(control)) return;
  bool canBeAdded = true;
  std::string section = DefaultSection;
  if (onSkinItem_) onSkinItem_(label, canBeAdded, section);
  if (!canBeAdded) return;
  label->SetTransparent(true);
  if (const TColor color = manager->GlobalFontColor(); color != KeyColor) label->Font().SetColor(color);
}

void TacCtrlAdapter::Scan(TWinControl &parent, std::vector<TControl *> &seen) {
  std::vector<TControl *> controls;
  for (int i = 0; i < parent.ComponentCount(); ++i)
    if (auto *control = dynamic_cast<TControl *>(parent.Components(i))) controls.push_back(control);
  for (int i = 0; i < parent.ControlCount(); ++i)
    controls.push_back(parent.Controls(i));
  for (TControl *control : controls) {
    if (std::find(seen.begin(), seen.end(), control) != seen.end()) continue;
    seen.push_back(control);
    if (Supported(*control))
      AddItem(*control, DefaultSection);
    else
      AdaptLabel(*control);
    auto *windowed = dynamic_cast<TWinControl *>(control);
    if (windowed && windowed->HandleAllocated() && windowed->Parent()) Scan(*windowed, seen);
  }
}

void TacCtrlAdapter::AddAllItems(TWinControl *parent) {
  if (scanning_) return;
  const FlagScope scanning(scanning_);
  std::vector<const TComponent *> gone;
  for (const auto &item : items_)
    if (!item->Adapter || item->Adapter->Destroyed()) gone.push_back(item->Control);
  for (const TComponent *control : gone)
    Remove(control);
  std::vector<TControl *> seen;
  // A control named on its own (a newly added one) is taken itself as well as its children.
  if (parent && parent != &form_) {
    seen.push_back(parent);
    if (Supported(*parent)) AddItem(*parent, DefaultSection);
  }
  Scan(parent ? *parent : form_, seen);
}

void TacCtrlAdapter::AddItem(TControl &control, const std::string &section) {
  auto *windowed = dynamic_cast<TWinControl *>(&control);
  if (!windowed || control.Tag() == NoSkinTag || !control.Parent() || AnswersSkinned(control)) return;
  bool canBeAdded = true;
  std::string chosen = section;
  if (onSkinItem_) onSkinItem_(&control, canBeAdded, chosen);
  if (!canBeAdded) return;
  if (TacAdapterItem *item = Find(control)) {
    item->Section = chosen;
    if (item->Adapter && !item->Adapter->Destroyed())
      item->Adapter->SkinData().SetSkinSection(chosen);
    else
      Attach(*item);
    return;
  }
  auto item = std::make_unique<TacAdapterItem>();
  item->Control = windowed;
  item->Section = chosen;
  Attach(*item);
  if (!item->Adapter) return;
  watch_.Watch(windowed);
  items_.push_back(std::move(item));
}

void TacCtrlAdapter::Attach(TacAdapterItem &item) {
  item.Adapter.reset();
  TWinControl &control = *item.Control;
  if (ExcludedFromSkinning(control) || !control.HandleAllocated() || AnswersSkinned(control) || !Manager()) return;
  const int group = ThirdPartyGroupOf(Manager()->ThirdParty(), control.ClassName());
  if (group < 0) return;
  // The group's own section, unless the caller or OnSkinItem chose another than the default one.
  const std::string section = item.Section == DefaultSection ? std::string(ThirdPartySection(group)) : item.Section;
  item.Adapter =
      CreateGroupAdapter(group, TacAdapterSetup{control.Handle(), nullptr, section, providerData_.StoredManager()});
}

void TacCtrlAdapter::Forward(const TMessage &m) {
  std::vector<TWinControl *> controls;
  for (const auto &item : items_)
    if (item->Adapter && !item->Adapter->Destroyed() && item->Control->Parent()) controls.push_back(item->Control);
  for (TWinControl *control : controls)
    if (const TacAdapterItem *item = Find(*control); item && item->Adapter && !item->Adapter->Destroyed())
      Quietly([&] { SendMessageW(control->Handle(), m.Msg, m.WParam, m.LParam); });
}
