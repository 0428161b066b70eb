#pragma once
// Tells an object that does not derive from TComponent when a component it points to is freed, so the
// pointer is dropped instead of left dangling.

#include <functional>

#include "toolkit/base/Component.h"

class TsFreeWatch final : public TComponent {
public:
  explicit TsFreeWatch(std::function<void(TComponent *freed)> onFree)
      : TComponent(nullptr), onFree_(std::move(onFree)) {}
  ~TsFreeWatch() override { ReleaseLinks(); }
  void Watch(TComponent *component) {
    if (component) component->FreeNotification(this);
  }
  void Unwatch(TComponent *component) {
    if (component) component->RemoveFreeNotification(this);
  }
  void Notification(TComponent *component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove) onFree_(component);
  }

private:
  std::function<void(TComponent *)> onFree_;
};
