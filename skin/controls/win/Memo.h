#pragma once
// The skinned memo: a multi-line edit whose colours are its skin section's and whose border and scroll
// bars are painted by an edit window adapter, which it keeps while a skin is in force: attached when the
// window comes or is shown and on every skin refresh (one at a time), freed when the skin is cleared.

#include <memory>

#include "skin/adapters/win/EditWnd.h"
#include "skin/controls/win/EditCommon.h"
#include "toolkit/ui/StdCtrls.h"

class TsMemo : public TCustomMemo {
  TK_CLASS(TsMemo)
public:
  explicit TsMemo(TComponent *owner);
  ~TsMemo() override;

  TsCommonData SkinData{*this, true};
  TsBoundLabel BoundLabel{*this};
  unsigned DisabledKind() const { return SkinData.DisabledKind; }
  void SetDisabledKind(uint32_t kinds);

  // Raised after the memo scrolled its caret into view, and after a vertical scroll.
  TNotifyEvent OnScrollCaret;
  TNotifyEvent OnVScroll;

  // The edit adapter while the memo is skinned; null otherwise.
  TacEditWnd *Adapter() const { return adapter_.get(); }

  void Loaded() override;

protected:
  void WndProc(TMessage &m) override;
  void CreateHandleDone() override;

private:
  bool HandleSkinNotice(TMessage &m);
  void AfterMessage(const TMessage &m);
  // Keeps one live adapter on the memo's window while it is skinned, none otherwise.
  void UpdateAdapter();

  std::unique_ptr<TacEditWnd> adapter_;
};
