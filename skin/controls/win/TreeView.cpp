#include "skin/controls/win/TreeView.h"

#include "skin/engine/ControlKinds.h"
#include "skin/engine/win/SkinDelivery.h"

const TMetaClass &TsTreeView::StaticMetaClass() {
  return DefineClass<TsTreeView, TTreeView>("TsTreeView", [](TClassBuilder<TsTreeView> &c) {
    c.Object("SkinData", [](TsTreeView &t) -> TPersistent * { return &t.SkinData; });
    c.Object("BoundLabel", [](TsTreeView &t) -> TPersistent * { return &t.BoundLabel; });
  });
}

TsTreeView::TsTreeView(TComponent *owner) : TTreeView(owner) {
  // Painted as an edit: the section's window and font colours.
  SkinData.ControlKind = ControlKind::Edit;
  SkinData.AfterLoad();
}

TsTreeView::~TsTreeView() {
  ReleaseLinks();
  adapter_.reset();
}

void TsTreeView::Loaded() {
  TTreeView::Loaded();
  SkinData.AfterLoad();
  BoundLabel.Place();
  UpdateAdapter();
}

void TsTreeView::CreateHandleDone() {
  TTreeView::CreateHandleDone();
  if (!IsLoading() && !IsReading()) UpdateAdapter();
}

void TsTreeView::UpdateAdapter() { KeepAdapter(adapter_, *this, SkinData); }

bool TsTreeView::HandleSkinNotice(TMessage &m) {
  switch (SkinCommandOf(m.WParam)) {
  case AC_SKINSET: return SkinData.HandleSkinCommand(m);
  case AC_SKINCLEARED:
    if (!SkinData.HandleSkinCommand(m)) return false;
    adapter_.reset();
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return true;
  case AC_SKINREFRESH:
    if (!SkinData.HandleSkinCommand(m)) return false;
    UpdateAdapter();
    if (HandleAllocated())
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    return true;
  default: return AnswerSkinQuery(m);
  }
}

void TsTreeView::WndProc(TMessage &m) {
  if (m.Msg == SM_TESSORACMD && HandleSkinNotice(m)) return;
  if (SkinData.UsesSkin() && SkinData.HandleMessage(m)) return;
  TTreeView::WndProc(m);
  if (m.Msg == CM_SHOWINGCHANGED) UpdateAdapter();
  KeepBoundLabelInStep(*this, BoundLabel, m);
}
