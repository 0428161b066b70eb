#pragma once
// The control adapter of a frame provider: it finds the standard (not skin-aware) controls of a form and
// attaches to each the window adapter its class calls for, as the manager's ThirdParty lists name it
// (edits: TacEditWnd, push buttons: TacBtnWnd, list views: TacListViewWnd, ...); the form's plain labels
// become transparent in the skin's font colour. Controls tagged -98 (Tag or TabOrder) are left alone.
//
// A frame provider that is skinned, with srThirdParty in its manager's SkinningRules, drives it:
//
//   adapter_ = std::make_unique<TacCtrlAdapter>(form, SkinData,               // after loading, AC_SKINSET
//       [this](TComponent *item, bool &add, std::string &section) { if (OnSkinItem) OnSkinItem(item, add, section); });
//   adapter_->AddAllItems();                          // after loading, AC_SKINSET/REFRESH, WM_PARENTNOTIFY
//   adapter_->AddAllItems(control);                   // AC_CONTROLADDED (lParam: the control)
//   adapter_->AddItem(control, adapter_->DefaultSection); // the control-list-change notice
//   adapter_->Forward(m);                             // AC_SKINREFRESH, AC_SKINCLEARED, AC_PARENTREPAINT
//   adapter_.reset();                                 // AC_SKINCLEARED, after Forward; the provider goes
//
// Freeing it (or Clear) frees every window adapter it attached, each unhooked from its window.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/adapters/win/MainWnd.h"
#include "skin/engine/win/FreeWatch.h"

// Asked before a control is skinned: it may refuse (canBeAdded false) or name another section.
using TAddItemEvent = std::function<void(TComponent *item, bool &canBeAdded, std::string &skinSection)>;

// One adapted control: the section it is skinned with and the window adapter attached to its window
// (which has skin data of its own).
struct TacAdapterItem {
  TWinControl *Control = nullptr;
  std::string Section;
  std::unique_ptr<TacMainWnd> Adapter;
};

class TacCtrlAdapter : public TPersistent {
  TK_CLASS(TacCtrlAdapter)
public:
  // form: the form whose controls are adapted; providerData: the frame provider's skin data (its manager
  // is the adapters' manager); onSkinItem: asked for each control (a provider passes a lambda that calls
  // its OnSkinItem, so that a handler set later counts too).
  TacCtrlAdapter(TWinControl &form, TsCommonData &providerData, TAddItemEvent onSkinItem);
  ~TacCtrlAdapter() override;
  TacCtrlAdapter(const TacCtrlAdapter &) = delete;
  TacCtrlAdapter &operator=(const TacCtrlAdapter &) = delete;

  // The section of controls added without one.
  std::string DefaultSection = "EDIT";

  // Scans parent (the form when null; another control is taken itself too) and its windowed children:
  // adds what is supported, drops items whose window adapter was destroyed.
  void AddAllItems(TWinControl *parent = nullptr);
  // Skins one control with the section (or updates its item); nothing for a control that is not supported.
  void AddItem(TControl &control, const std::string &section);
  // Passes a skin command on to every adapted control whose adapter lives; one that fails is skipped.
  void Forward(const TMessage &m);
  // Frees every item and its window adapter.
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  const TacAdapterItem &Item(int index) const { return *items_.at(static_cast<size_t>(index)); }
  // The item of a control, or null.
  TacAdapterItem *Find(const TControl &control) const;

private:
  void Scan(TWinControl &parent, std::vector<TControl *> &seen);
  bool Supported(TControl &control) const;
  // A plain label of the form becomes transparent in the skin's font colour.
  void AdaptLabel(TControl &label) const;
  void Attach(TacAdapterItem &item);
  void Remove(const TComponent *control);
  TsSkinManager *Manager() const;

  TWinControl &form_;
  TsCommonData &providerData_;
  TAddItemEvent onSkinItem_;
  std::vector<std::unique_ptr<TacAdapterItem>> items_;
  // Raised for the time of a scan, so a scan started from inside it (a control announcing itself while
  // being adapted) does nothing.
  bool scanning_ = false;
  // An adapted control that is freed leaves the list.
  TsFreeWatch watch_{[this](TComponent *freed) { Remove(freed); }};
};
