#pragma once
// The skinned tree view: its border and scroll bars are painted by a tree view window adapter, which it
// keeps while a skin is in force (attached when the window comes or is shown and on every skin refresh,
// freed when the skin is cleared); its colours are its section's ("EDIT" unless the layout names another);
// the nodes are the system's.

#include <memory>

#include "skin/adapters/win/EditWnd.h"
#include "skin/controls/win/EditCommon.h"
#include "toolkit/ui/ComCtrls.h"

class TsTreeView : public TTreeView {
  TK_CLASS(TsTreeView)
public:
  explicit TsTreeView(TComponent *owner);
  ~TsTreeView() override;

  TsCommonData SkinData{*this, true};
  TsBoundLabel BoundLabel{*this};

  // The adapter while the tree is skinned; null otherwise.
  TacTreeViewWnd *Adapter() const { return adapter_.get(); }
  // Attaches the adapter when the tree is skinned and has none on its window; reads its bars again
  // otherwise.
  void UpdateAdapter();

  void Loaded() override;

protected:
  void WndProc(TMessage &m) override;
  void CreateHandleDone() override;

private:
  bool HandleSkinNotice(TMessage &m);

  std::unique_ptr<TacTreeViewWnd> adapter_;
};
