#pragma once
// A skinned control whose border and scroll bars a window adapter of class A paints (the memo, the tree
// view): with its skin data and bound label, it keeps one live adapter on its window while a skin is in
// force, attached when the window comes or is shown and on every skin refresh, freed when the skin is
// cleared. The control's own class sets its kind and gives the skin data its section in its constructor,
// where its class name is already its own.

#include <memory>

#include "skin/adapters/win/MainWnd.h"
#include "skin/controls/win/EditCommon.h"
#include "skin/engine/SkinCommands.h"

template <class Base, class A> class TsAdapterKeeping : public Base {
public:
  explicit TsAdapterKeeping(TComponent *owner) : Base(owner) {}
  ~TsAdapterKeeping() override {
    this->ReleaseLinks();
    adapter_.reset();
  }

  TsCommonData SkinData{*this, true};
  TsBoundLabel BoundLabel{*this};

  // The adapter while the control is skinned; null otherwise.
  A *Adapter() const { return adapter_.get(); }

  // Attaches the adapter when the control is skinned and has none on its window (the old one goes first
  // when it was left on a window of the past: never two on one window); reads its bars again otherwise.
  void UpdateAdapter() {
    if (!SkinData.UsesSkin() || !this->HandleAllocated() || this->IsDestroying()) {
      adapter_.reset();
      return;
    }
    if (adapter_ && !adapter_->Destroyed() && adapter_->Window() == this->Handle()) {
      adapter_->UpdateBars();
      return;
    }
    adapter_.reset();
    adapter_ = TacMainWnd::Create<A>({this->Handle(), &SkinData, "EDIT"});
  }

  void Loaded() override {
    Base::Loaded();
    SkinData.AfterLoad();
    BoundLabel.Place();
    UpdateAdapter();
  }

protected:
  void CreateHandleDone() override {
    Base::CreateHandleDone();
    if (!this->IsLoading() && !this->IsReading()) UpdateAdapter();
  }

  // The skin set, cleared or refreshed, and the queries every skinned control answers; true when consumed.
  bool HandleSkinNotice(TMessage &m) {
    switch (SkinCommandOf(m.WParam)) {
    case AC_SKINSET: return SkinData.HandleSkinCommand(m);
    case AC_SKINCLEARED:
      if (!SkinData.HandleSkinCommand(m)) return false;
      adapter_.reset();
      ShowUnskinned();
      return true;
    case AC_SKINREFRESH:
      if (!SkinData.HandleSkinCommand(m)) return false;
      UpdateAdapter();
      if (this->HandleAllocated())
        RedrawWindow(this->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
      return true;
    default: return AnswerSkinQuery(m);
    }
  }

  // The skin was cleared and the adapter freed: the window takes the system's look again.
  virtual void ShowUnskinned() = 0;

private:
  std::unique_ptr<A> adapter_;
};
