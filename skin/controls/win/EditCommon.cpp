#include "skin/controls/win/EditCommon.h"

#include "skin/engine/SkinCommands.h"
#include "toolkit/ui/Forms.h"

TIdentTable DisabledKindNames() { return {{"dkGrayed", dkGrayed}, {"dkBlended", dkBlended}}; }

bool AnswerSkinQuery(TMessage &m) {
  switch (SkinCommandOf(m.WParam)) {
  case AC_QUERYSKINNED: m.LParam = m.Result = 1; return true;
  case AC_QUERYAPPLICATION: m.Result = reinterpret_cast<LRESULT>(static_cast<TApplication *>(Application)); return true;
  default: return false;
  }
}

void KeepBoundLabelInStep(const TControl &control, TsBoundLabel &label, const TMessage &m) {
  switch (m.Msg) {
  case CM_VISIBLECHANGED:
  case CM_ENABLEDCHANGED:
  case CM_BIDIMODECHANGED:
    if (TsEditLabel *shown = label.Label()) {
      shown->SetVisible(control.Visible());
      shown->SetEnabled(control.Enabled());
    }
    label.Place();
    break;
  case WM_SIZE:
  case WM_MOVE: label.Place(); break;
  }
}
