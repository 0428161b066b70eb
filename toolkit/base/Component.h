#pragma once
// The object model every toolkit class and every skin component builds on: run-time class names and
// type tests (TObject), assignable objects (TPersistent), owned components with names and free
// notifications (TComponent), and collections of items stored in layouts (TCollection).

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TMetaClass;

// Declares the class's meta class: its name, base, layout properties and factory. The definition is
// written with TK_DEFINE_CLASS (MetaClass.h) in the class's source file.
#define TK_CLASS(Class)                                                                                                \
public:                                                                                                                \
  static const TMetaClass &StaticMetaClass();                                                                          \
  const TMetaClass &MetaClass() const override { return StaticMetaClass(); }                                           \
                                                                                                                       \
private:

class TObject {
public:
  TObject() = default;
  TObject(const TObject &) = delete;
  TObject &operator=(const TObject &) = delete;
  virtual ~TObject() = default;

  static const TMetaClass &StaticMetaClass();
  virtual const TMetaClass &MetaClass() const { return StaticMetaClass(); }
  // The class name as layouts and window classes spell it ("TButton", "TForm1").
  const std::string &ClassName() const;
  bool InheritsFrom(const TMetaClass &meta) const;
};

class TPersistent : public TObject {
  TK_CLASS(TPersistent)
public:
  // Copies the state of source; raises EConvertError when the two classes do not assign.
  virtual void Assign(const TPersistent &source);

protected:
  virtual void AssignTo(TPersistent &dest) const;
};

enum TComponentStateFlag : uint32_t {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csDestroying = 1u << 2,
  csDesigning = 1u << 3, // there is no designer: never set
};
using TComponentState = uint32_t;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  TK_CLASS(TComponent)
public:
  // An owned component is freed by its owner; one without owner belongs to whoever holds it
  // (a std::unique_ptr).
  explicit TComponent(TComponent *owner);
  ~TComponent() override;

  // Creates a component that owner frees.
  template <class T, class... Args> static T *Create(TComponent *owner, Args &&...args);
  // Frees an owned component before its owner would.
  void Free();

  const std::string &Name() const { return name_; }
  // Raises Exception when a sibling of the same owner already has the name (compared without case).
  virtual void SetName(const std::string &name);
  TComponent *Owner() const { return owner_; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent *Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  // Case-insensitive search among the owned components; null when absent.
  TComponent *FindComponent(std::string_view name) const;
  template <class T> T *FindComponent(std::string_view name) const { return dynamic_cast<T *>(FindComponent(name)); }
  // Moves an owned component to another owner (or none: the caller then owns it).
  void RemoveComponent(TComponent *component);
  void InsertComponent(TComponent *component);

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsReading() const { return (state_ & csReading) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }

  // other will get Notification(this, opRemove) when this component is freed (and vice versa).
  void FreeNotification(TComponent *other);
  void RemoveFreeNotification(TComponent *other);

  // Told when a component this one owns or watches is inserted or removed.
  virtual void Notification(TComponent *component, TOperation operation);
  // Called once the layout holding this component has been read and its references fixed up.
  virtual void Loaded();
  // Places the component under the object that encloses it in a layout (controls take it as Parent).
  virtual void SetParentComponent(TComponent *parent);

  // Marks this component and everything it owns as destroying.
  void Destroying();

protected:
  // Marks destroying, frees the owned components last to first, tells the watchers and leaves the
  // owner. Every destructor along the class chain calls it first, so all of this happens while the
  // object is still whole; later calls find nothing left to do.
  void ReleaseLinks();
  void SetStateFlags(TComponentState flags, bool on);

private:
  friend class LayoutReader;
  void Insert(TComponent *component);
  void Remove(TComponent *component);
  void RemoveNotification(TComponent *other);

  TComponent *owner_ = nullptr;
  std::string name_;
  int tag_ = 0;
  TComponentState state_ = 0;
  std::vector<TComponent *> components_;
  std::vector<TComponent *> freeNotifies_;
};

template <class T, class... Args> T *TComponent::Create(TComponent *owner, Args &&...args) {
  if (!owner) throw std::invalid_argument("TComponent::Create needs an owner");
  // The owner keeps the pointer in its component list and frees it.
  return std::make_unique<T>(owner, std::forward<Args>(args)...).release();
}

class TCollection;

class TCollectionItem : public TPersistent {
  TK_CLASS(TCollectionItem)
public:
  explicit TCollectionItem(TCollection *collection) : collection_(collection) {}
  TCollection *Collection() const { return collection_; }
  int Index() const;

private:
  TCollection *collection_;
};

// An ordered list of items of one class, owned by a component (InternalSkins, TitleButtons).
class TCollection : public TPersistent {
  TK_CLASS(TCollection)
public:
  explicit TCollection(const TMetaClass &itemClass, TPersistent *owner = nullptr);
  ~TCollection() override;

  TCollectionItem *Add();
  template <class T> T *Add() { return static_cast<T *>(Add()); }
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem *Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  int IndexOf(const TCollectionItem *item) const;
  TPersistent *Owner() const { return owner_; }
  const TMetaClass &ItemClass() const { return itemClass_; }

  // Replaces the items with copies of source's (items assign item by item).
  void Assign(const TPersistent &source) override;

protected:
  // Told after items were added, removed or replaced.
  virtual void Changed() {}

private:
  const TMetaClass &itemClass_;
  TPersistent *owner_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
};
