#pragma once
// The skinned tree view: its border and scroll bars are painted by a tree view window adapter, which it
// keeps while a skin is in force; its colours are its section's ("EDIT" unless the layout names another);
// the nodes are the system's.

#include "skin/adapters/win/EditWnd.h"
#include "skin/controls/win/AdapterKeeping.h"
#include "toolkit/ui/ComCtrls.h"

class TsTreeView : public TsAdapterKeeping<TTreeView, TacTreeViewWnd> {
  TK_CLASS(TsTreeView)
public:
  explicit TsTreeView(TComponent *owner);
  ~TsTreeView() override;

protected:
  void WndProc(TMessage &m) override;
  void ShowUnskinned() override;
};
