#pragma once
// The skinned memo: a multi-line edit whose colours are its skin section's and whose border and scroll
// bars are painted by an edit window adapter, which it keeps while a skin is in force.

#include "skin/adapters/win/EditWnd.h"
#include "skin/controls/win/AdapterKeeping.h"
#include "toolkit/ui/StdCtrls.h"

class TsMemo : public TsAdapterKeeping<TCustomMemo, TacEditWnd> {
  TK_CLASS(TsMemo)
public:
  explicit TsMemo(TComponent *owner);
  ~TsMemo() override;

  unsigned DisabledKind() const { return SkinData.DisabledKind; }
  void SetDisabledKind(uint32_t kinds);

  // Raised after the memo scrolled its caret into view, and after a vertical scroll.
  TNotifyEvent OnScrollCaret;
  TNotifyEvent OnVScroll;

protected:
  void WndProc(TMessage &m) override;
  void ShowUnskinned() override;

private:
  void AfterMessage(const TMessage &m);
};
