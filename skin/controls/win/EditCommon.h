#pragma once
// What the skinned edit and memo share: how a layout names their parts, their answers to the skin
// queries, and their bound label kept beside them.

#include <memory>

#include "skin/adapters/win/MainWnd.h"
#include "skin/controls/win/BoundLabel.h"
#include "skin/engine/win/CommonData.h"
#include "toolkit/base/MetaClass.h"

// "dkGrayed" and "dkBlended" (TsDisabledKind).
TIdentTable DisabledKindNames();

// AC_QUERYSKINNED (1) and AC_QUERYAPPLICATION (the application object); true when answered.
bool AnswerSkinQuery(TMessage &m);

// After the control's handling of m: the label follows the control's moves and sizes, takes its
// visibility and enabled state, and is placed again.
void KeepBoundLabelInStep(const TControl &control, TsBoundLabel &label, const TMessage &m);

// The layout names the skin data ("SkinData.SkinSection"), the bound label ("BoundLabel.Active") and the
// disabled look of T.
template <class T> void DefineSkinnedEditProperties(TClassBuilder<T> &c) {
  c.Object("SkinData", [](T &e) -> TPersistent * { return &e.SkinData; });
  c.Object("BoundLabel", [](T &e) -> TPersistent * { return &e.BoundLabel; });
  c.Set("DisabledKind", &T::SetDisabledKind, DisabledKindNames());
}

// Keeps one live window adapter of class A on the control's window while its skin data is in force, none
// otherwise: made when missing or left on a window of the past (the old one goes first: never two on one
// window), its scroll bars read again when it is there.
template <class A> void KeepAdapter(std::unique_ptr<A> &adapter, TWinControl &control, TsCommonData &data) {
  if (!data.UsesSkin() || !control.HandleAllocated() || control.IsDestroying()) {
    adapter.reset();
    return;
  }
  if (adapter && !adapter->Destroyed() && adapter->Window() == control.Handle()) {
    adapter->UpdateBars();
    return;
  }
  adapter.reset();
  adapter = TacMainWnd::Create<A>({control.Handle(), &data, "EDIT"});
}
