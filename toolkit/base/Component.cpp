#include "toolkit/base/Component.h"

#include <algorithm>

#include "toolkit/base/Exceptions.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Text.h"

const TMetaClass &TObject::StaticMetaClass() {
  static TMetaClass meta("TObject", nullptr);
  return meta;
}

const std::string &TObject::ClassName() const { return MetaClass().Name(); }

bool TObject::InheritsFrom(const TMetaClass &meta) const { return MetaClass().InheritsFrom(meta); }

const TMetaClass &TPersistent::StaticMetaClass() { return DefineClass<TPersistent, TObject>("TPersistent"); }

void TPersistent::Assign(const TPersistent &source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent &dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}

const TMetaClass &TComponent::StaticMetaClass() {
  return DefineClass<TComponent, TPersistent>("TComponent", [](TClassBuilder<TComponent> &c) {
    c.String("Name", &TComponent::SetName);
    c.Int("Tag", &TComponent::SetTag);
  });
}

TComponent::TComponent(TComponent *owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() { ReleaseLinks(); }

void TComponent::Free() {
  if (!owner_) throw std::logic_error("Free on a component without owner");
  std::unique_ptr<TComponent> self(this);
}

void TComponent::Destroying() {
  if (IsDestroying()) return;
  state_ |= csDestroying;
  for (TComponent *c : components_)
    c->Destroying();
}

void TComponent::ReleaseLinks() {
  Destroying();
  while (!components_.empty()) {
    std::unique_ptr<TComponent> last(components_.back());
    RemoveComponent(last.get());
  }
  // Whoever watches this component forgets it before it goes.
  while (!freeNotifies_.empty()) {
    TComponent *other = freeNotifies_.back();
    freeNotifies_.pop_back();
    other->RemoveNotification(this);
    other->Notification(this, TOperation::opRemove);
  }
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetStateFlags(TComponentState flags, bool on) { state_ = on ? (state_ | flags) : (state_ & ~flags); }

void TComponent::SetName(const std::string &name) {
  if (name == name_) return;
  if (owner_ && !name.empty()) {
    TComponent *other = owner_->FindComponent(name);
    if (other && other != this) throw Exception("A component named " + name + " already exists");
  }
  name_ = name;
}

TComponent *TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent *c : components_)
    if (text::SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent *component) {
  if (component->owner_) component->owner_->RemoveComponent(component);
  if (!component->name_.empty() && FindComponent(component->name_))
    throw Exception("A component named " + component->name_ + " already exists");
  Insert(component);
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent *component) {
  if (component->owner_ != this) return;
  // The owner tells its owned components (and itself) that one of them goes.
  Notification(component, TOperation::opRemove);
  for (TComponent *c : std::vector<TComponent *>(components_))
    if (c != component) c->Notification(component, TOperation::opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent *component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent *component) {
  components_.erase(std::find(components_.begin(), components_.end(), component));
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent *other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
    freeNotifies_.push_back(other);
  if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
    other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent *other) {
  if (!other) return;
  RemoveNotification(other);
  other->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent *other) {
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
}

void TComponent::Notification(TComponent *, TOperation) {}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::SetParentComponent(TComponent *) {}

const TMetaClass &TCollectionItem::StaticMetaClass() {
  return DefineClass<TCollectionItem, TPersistent>("TCollectionItem");
}

int TCollectionItem::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

const TMetaClass &TCollection::StaticMetaClass() { return DefineClass<TCollection, TPersistent>("TCollection"); }

TCollection::TCollection(const TMetaClass &itemClass, TPersistent *owner) : itemClass_(itemClass), owner_(owner) {}

TCollection::~TCollection() = default;

TCollectionItem *TCollection::Add() {
  items_.push_back(itemClass_.CreateItem(this));
  Changed();
  return items_.back().get();
}

void TCollection::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("collection index out of range");
  items_.erase(items_.begin() + index);
  Changed();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

int TCollection::IndexOf(const TCollectionItem *item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

void TCollection::Assign(const TPersistent &source) {
  auto *other = dynamic_cast<const TCollection *>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  std::vector<std::unique_ptr<TCollectionItem>> copies;
  for (const auto &item : other->items_) {
    copies.push_back(itemClass_.CreateItem(this));
    copies.back()->Assign(*item);
  }
  items_ = std::move(copies);
  Changed();
}
