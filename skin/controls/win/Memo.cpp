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

TsMemo::TsMemo(TComponent *owner) : TsAdapterKeeping(owner) {
  SkinData.ControlKind = MemoKind;
  SkinData.AfterLoad();
}

TsMemo::~TsMemo() { ReleaseLinks(); }

void TsMemo::SetDisabledKind(uint32_t kinds) {
  SkinData.DisabledKind = kinds;
  SkinData.RefreshControl();
}

void TsMemo::ShowUnskinned() {
  // A fresh window forgets everything the adapter did to it.
  if (HandleAllocated()) RecreateWnd();
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
    if (TacEditWnd *adapter = Adapter()) adapter->UpdateBars();
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
    TsAdapterKeeping::WndProc(m);
    AfterMessage(m);
  } else {
    TsAdapterKeeping::WndProc(m);
  }
  KeepBoundLabelInStep(*this, BoundLabel, m);
}
