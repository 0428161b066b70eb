#include "skin/controls/win/TreeView.h"

#include "skin/engine/ControlKinds.h"
#include "skin/engine/win/SkinDelivery.h"

const TMetaClass &TsTreeView::StaticMetaClass() {
  return DefineClass<TsTreeView, TTreeView>("TsTreeView", [](TClassBuilder<TsTreeView> &c) {
    c.Object("SkinData", [](TsTreeView &t) -> TPersistent * { return &t.SkinData; });
    c.Object("BoundLabel", [](TsTreeView &t) -> TPersistent * { return &t.BoundLabel; });
  });
}

TsTreeView::TsTreeView(TComponent *owner) : TsAdapterKeeping(owner) {
  // Painted as an edit: the section's window and font colours.
  SkinData.ControlKind = ControlKind::Edit;
  SkinData.AfterLoad();
}

TsTreeView::~TsTreeView() { ReleaseLinks(); }

void TsTreeView::ShowUnskinned() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TsTreeView::WndProc(TMessage &m) {
  if (m.Msg == SM_TESSORACMD && HandleSkinNotice(m)) return;
  if (SkinData.UsesSkin() && SkinData.HandleMessage(m)) return;
  TsAdapterKeeping::WndProc(m);
  if (m.Msg == CM_SHOWINGCHANGED) UpdateAdapter();
  KeepBoundLabelInStep(*this, BoundLabel, m);
}
