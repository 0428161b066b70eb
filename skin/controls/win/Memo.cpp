#include "skin/controls/win/Memo.h"

#include "skin/engine/win/SkinDelivery.h"

namespace {
constexpr int MemoKind = 7;
} // namespace

const TMetaClass &TsMemo::StaticMetaClass() {
  return DefineClass<TsMemo, TCustomMemo>("TsMemo", [](TClassBuilder<TsMemo> &c) {
    DefineSkinnedEditProperties(c);
    c.Event("OnScrollCaret", &TsMemo::OnScrollCaret);
    c.Event("OnVScroll", &TsMemo::OnVScroll);
  });
}

TsMemo::TsMemo(TComponent *owner) : TCustomMemo(owner) {
  SkinData.ControlKind = MemoKind;
  SkinData.AfterLoad();
}

TsMemo::~TsMemo() {
  ReleaseLinks();
  adapter_.reset();
}

void TsMemo::SetDisabledKind(uint32_t kinds) {
  SkinData.DisabledKind = kinds;
  SkinData.RefreshControl();
}

void TsMemo::Loaded() {
  TCustomMemo::Loaded();
  SkinData.AfterLoad();
  BoundLabel.Place();
  UpdateAdapter();
}

void TsMemo::CreateHandleDone() {
  TCustomMemo::CreateHandleDone();
  if (!IsLoading() && !IsReading()) UpdateAdapter();
}

void TsMemo::UpdateAdapter() { KeepAdapter(adapter_, *this, SkinData); }

bool TsMemo::HandleSkinNotice(TMessage &m) {
  switch (SkinCommandOf(m.WParam)) {
  case AC_SKINSET: return SkinData.HandleSkinCommand(m);
  case AC_SKINCLEARED:
    if (!SkinData.HandleSkinCommand(m)) return false;
    adapter_.reset();
    // A fresh window forgets everything the adapter did to it.
    if (HandleAllocated()) RecreateWnd();
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

void TsMemo::AfterMessage(const TMessage &m) {
  switch (m.Msg) {
  case CM_FONTCHANGED:
  case CM_VISIBLECHANGED:
  case CM_ENABLEDCHANGED:
    if (!IsLoading() && !IsReading()) SkinData.RefreshControl();
    break;
  case CM_SHOWINGCHANGED: UpdateAdapter(); break;
  case EM_SCROLLCARET:
    if (OnScrollCaret) OnScrollCaret(this);
    break;
  case WM_VSCROLL:
    if (OnVScroll) OnVScroll(this);
    break;
  case CM_TEXTCHANGED:
  case CM_CHANGED:
    if (adapter_) adapter_->UpdateBars();
    break;
  case SM_TESSORACMD:
    if (SkinCommandOf(m.WParam) == AC_SETPARENTMODE && SkinData.ParentMode && SkinData.BackgroundStale)
      SendSkinCommand(Handle(), AC_PREPAREPAINT);
    break;
  }
}

void TsMemo::WndProc(TMessage &m) {
  if (m.Msg == SM_TESSORACMD && HandleSkinNotice(m)) return;
  if (SkinData.UsesSkin()) {
    if (SkinData.HandleMessage(m)) return;
    if (m.Msg == WM_PAINT && !m.WParam) {
      SkinData.PaintLocked = SkinData.PaintSuspended();
      if (SkinData.PaintLocked) {
        ValidateRect(Handle(), nullptr);
        return;
      }
    }
    TCustomMemo::WndProc(m);
    AfterMessage(m);
  } else {
    TCustomMemo::WndProc(m);
  }
  KeepBoundLabelInStep(*this, BoundLabel, m);
}
