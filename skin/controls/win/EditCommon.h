#pragma once
// What the skinned edit and memo share: how a layout names their parts, their answers to the skin
// queries, and their bound label kept beside them.

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
