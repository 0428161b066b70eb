#pragma once
// Meta classes: per class its name, base, factory and the properties a layout may set, plus (for form
// classes) the event handlers and component fields that a layout binds by name. A registry maps class
// names to meta classes for the layout reader.
//
// A class declares TK_CLASS(TName) in its body and defines its meta class in its source file:
//
//   const TMetaClass &TButton::StaticMetaClass() {
//     return DefineClass<TButton, TWinControl>("TButton", [](TClassBuilder<TButton> &c) {
//       c.String("Caption", &TButton::SetCaption);
//       c.Event("OnClick", &TButton::OnClick);
//     });
//   }
//
// An entry keeps what it was registered with (member function, data member, function) as plain data next
// to a function pointer that knows its type, so all entries of one type share one small function instead
// of each bringing its own std::function handler.

#include <any>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "toolkit/base/Component.h"
#include "toolkit/base/LayoutReader.h"
#include "toolkit/base/Strings.h"

// What an entry was registered with, kept as bytes: a member function or data member pointer, a function
// pointer, or a lambda that captures only a few plain values.
class TMetaTarget {
public:
  TMetaTarget() = default;
  template <class T> explicit TMetaTarget(const T &target) {
    static_assert(std::is_trivially_copyable_v<T>,
                  "a meta class entry takes a member pointer, a function or a lambda capturing plain values only");
    static_assert(sizeof(T) <= sizeof(bytes_) && alignof(T) <= alignof(TMetaTarget),
                  "a meta class entry takes a callable no larger than a member function pointer");
    std::memcpy(bytes_, &target, sizeof(T));
  }
  template <class T> const T &As() const { return *std::launder(reinterpret_cast<const T *>(bytes_)); }

private:
  // A member function pointer, the largest target, is two pointers wide.
  alignas(void *) unsigned char bytes_[2 * sizeof(void *)] = {};
};

struct TPropertyInfo {
  std::string name;
  // Sets the stored value; null for a property that only leads to a nested object.
  using Apply = void (*)(const TPropertyInfo &self, TObject &, const LayoutValue &, LayoutReader &);
  Apply apply = nullptr;
  // The nested object a dotted path continues into ("Font" in "Font.Name"); null otherwise.
  using Nested = TPersistent *(*)(const TPropertyInfo &self, TObject &);
  Nested nested = nullptr;
  TMetaTarget target;
  // The identifiers of an enum or set property.
  TIdentTable names;
};

struct THandlerInfo {
  std::string name;
  // Binds the handler to an instance: a std::function of the handler's own signature.
  using Bind = std::any (*)(const THandlerInfo &self, TObject &);
  Bind bind = nullptr;
  TMetaTarget target;
};

struct TFieldInfo {
  std::string name;
  // Stores the component in the instance's field; false when its class does not fit the field.
  using Assign = bool (*)(const TFieldInfo &self, TObject &, TComponent *);
  Assign assign = nullptr;
  TMetaTarget target;
};

class TMetaClass {
public:
  using ComponentFactory = TComponent *(*)(TComponent *owner);
  using ItemFactory = std::unique_ptr<TCollectionItem> (*)(TCollection *);

  TMetaClass(std::string name, const TMetaClass *parent) : name_(std::move(name)), parent_(parent) {}
  TMetaClass(const TMetaClass &) = delete;
  TMetaClass &operator=(const TMetaClass &) = delete;

  const std::string &Name() const { return name_; }
  const TMetaClass *Parent() const { return parent_; }
  bool InheritsFrom(const TMetaClass &other) const;

  // Own entries first, then the base classes'; names compare without regard to case.
  const TPropertyInfo *FindProperty(std::string_view name) const;
  const THandlerInfo *FindHandler(std::string_view name) const;
  const TFieldInfo *FindField(std::string_view name) const;

  bool CanCreateComponent() const { return componentFactory_ != nullptr; }
  // Creates a component owned by owner; raises Exception for classes that cannot be created by name.
  TComponent *CreateComponent(TComponent *owner) const;
  std::unique_ptr<TCollectionItem> CreateItem(TCollection *collection) const;

  // Entries are added only while the class is defined; afterwards they stay where they are.
  void AddProperty(std::string_view name, TPropertyInfo::Apply apply, TPropertyInfo::Nested nested,
                   const TMetaTarget &target);
  // An enum or set property with its identifiers.
  void AddProperty(std::string_view name, TPropertyInfo::Apply apply, const TMetaTarget &target, TIdentTable names);
  void AddHandler(std::string_view name, THandlerInfo::Bind bind, const TMetaTarget &target);
  void AddField(std::string_view name, TFieldInfo::Assign assign, const TMetaTarget &target);
  void SetFactories(ComponentFactory component, ItemFactory item) {
    componentFactory_ = component;
    itemFactory_ = item;
  }

private:
  std::string name_;
  const TMetaClass *parent_;
  std::vector<TPropertyInfo> properties_;
  std::vector<THandlerInfo> handlers_;
  std::vector<TFieldInfo> fields_;
  ComponentFactory componentFactory_ = nullptr;
  ItemFactory itemFactory_ = nullptr;
};

// Class registry used by layouts. Registering a name twice keeps the later class.
void RegisterComponentClass(const TMetaClass &meta);
const TMetaClass *FindComponentClass(std::string_view name);

// The functions behind the entries. They depend only on the target's type (never on the class being
// defined), so a setter inherited by many classes, or many setters of one signature, share one.
namespace meta_thunks {

// A capture-less lambda becomes a function pointer, so it shares with other functions of its signature.
template <class S> auto Plain(S target) {
  if constexpr (requires { +target; })
    return +target;
  else
    return target;
}

// The class a target acts on: a member's class or a function's first parameter; for other callables, C.
template <class C, class S> struct ObjectOf { using type = C; };
template <class C, class M, class D> struct ObjectOf<C, M D::*> { using type = D; };
template <class C, class R, class X, class... A> struct ObjectOf<C, R (*)(X &, A...)> { using type = X; };

template <class X> X &Self(TObject &o) { return dynamic_cast<X &>(o); }

// Read converts the layout value (LayoutReader::Int, ::String, ...).
template <auto Read, class X, class S>
void SetValue(const TPropertyInfo &info, TObject &o, const LayoutValue &v, LayoutReader &r) {
  std::invoke(info.target.As<S>(), Self<X>(o), (r.*Read)(v));
}

template <class E, auto Read, class X, class S>
void SetNamed(const TPropertyInfo &info, TObject &o, const LayoutValue &v, LayoutReader &r) {
  std::invoke(info.target.As<S>(), Self<X>(o), static_cast<E>((r.*Read)(v, info.names)));
}

// Read fills the object the getter returns (LayoutReader::ReadStrings, ::ReadCollection).
template <auto Read, class X, class G>
void Fill(const TPropertyInfo &info, TObject &o, const LayoutValue &v, LayoutReader &r) {
  (r.*Read)(v, *std::invoke(info.target.As<G>(), Self<X>(o)));
}

template <class X, class G> TPersistent *Nested(const TPropertyInfo &info, TObject &o) {
  return std::invoke(info.target.As<G>(), Self<X>(o));
}

// Meta classes live as long as the program, so the pending reference may keep the entry.
template <class T, class X, class S>
void SetReference(const TPropertyInfo &info, TObject &o, const LayoutValue &v, LayoutReader &r) {
  r.AddReference(v, [&info, &self = Self<X>(o), line = v.line](TComponent *found) {
    T *target = dynamic_cast<T *>(found);
    if (found && !target) throw ELayoutError(line, found->Name() + " does not fit " + info.name);
    std::invoke(info.target.As<S>(), self, target);
  });
}

template <class X, class M>
void SetEvent(const TPropertyInfo &info, TObject &o, const LayoutValue &v, LayoutReader &r) {
  using F = std::remove_cvref_t<std::invoke_result_t<M, X &>>;
  std::any handler = r.Handler(v);
  const F *f = std::any_cast<F>(&handler);
  if (!f) LayoutReader::Fail(v, "handler " + v.text + " does not fit " + info.name);
  std::invoke(info.target.As<M>(), Self<X>(o)) = *f;
}

template <class R, class D, class... A> std::any BindHandler(const THandlerInfo &info, TObject &o) {
  D *self = &Self<D>(o);
  auto method = info.target.As<R (D::*)(A...)>();
  return std::function<R(A...)>([self, method](A... a) { return (self->*method)(a...); });
}

template <class T, class D> bool AssignField(const TFieldInfo &info, TObject &o, TComponent *component) {
  T *typed = dynamic_cast<T *>(component);
  if (typed) Self<D>(o).*info.target.As<T * D::*>() = typed;
  return typed != nullptr;
}

} // namespace meta_thunks

template <class C> class TClassBuilder {
  // The type stored for a target, and the class its function is called on.
  template <class S> using TargetOf = decltype(meta_thunks::Plain(std::declval<S>()));
  template <class S> using ObjectOf = typename meta_thunks::ObjectOf<C, TargetOf<S>>::type;

public:
  explicit TClassBuilder(TMetaClass &meta) : meta_(meta) {}

  // Setters are member functions (of C or a base) or callables taking (C&, value).
  template <class S> void Int(std::string_view name, S set) {
    Add(name, &meta_thunks::SetValue<&LayoutReader::Int, ObjectOf<S>, TargetOf<S>>, set);
  }
  template <class S> void String(std::string_view name, S set) {
    Add(name, &meta_thunks::SetValue<&LayoutReader::String, ObjectOf<S>, TargetOf<S>>, set);
  }
  template <class S> void Bool(std::string_view name, S set) {
    Add(name, &meta_thunks::SetValue<&LayoutReader::Bool, ObjectOf<S>, TargetOf<S>>, set);
  }
  template <class S> void Color(std::string_view name, S set) {
    Add(name, &meta_thunks::SetValue<&LayoutReader::Color, ObjectOf<S>, TargetOf<S>>, set);
  }
  template <class E, class S> void Enum(std::string_view name, S set, TIdentTable names) {
    meta_.AddProperty(name, &meta_thunks::SetNamed<E, &LayoutReader::Enum, ObjectOf<S>, TargetOf<S>>, Target(set),
                      std::move(names));
  }
  template <class S> void Set(std::string_view name, S set, TIdentTable names) {
    meta_.AddProperty(name, &meta_thunks::SetNamed<uint32_t, &LayoutReader::Set, ObjectOf<S>, TargetOf<S>>, Target(set),
                      std::move(names));
  }
  template <class S> void Binary(std::string_view name, S set) {
    Add(name, &meta_thunks::SetValue<&LayoutReader::Bytes, ObjectOf<S>, TargetOf<S>>, set);
  }
  // get returns the TStrings to fill.
  template <class G> void Strings(std::string_view name, G get) {
    Add(name, &meta_thunks::Fill<&LayoutReader::ReadStrings, ObjectOf<G>, TargetOf<G>>, get);
  }
  // get returns the TCollection whose items the layout lists.
  template <class G> void Collection(std::string_view name, G get) {
    Add(name, &meta_thunks::Fill<&LayoutReader::ReadCollection, ObjectOf<G>, TargetOf<G>>, get);
  }
  // get returns a TPersistent whose own properties a dotted path reaches ("Font.Name").
  template <class G> void Object(std::string_view name, G get) {
    meta_.AddProperty(name, nullptr, &meta_thunks::Nested<ObjectOf<G>, TargetOf<G>>, Target(get));
  }
  // A reference to another component of the layout, resolved after reading.
  template <class T, class S> void Reference(std::string_view name, S set) {
    Add(name, &meta_thunks::SetReference<T, ObjectOf<S>, TargetOf<S>>, set);
  }
  // An event (a std::function member) set to a handler of the root by name.
  template <class M> void Event(std::string_view name, M member) {
    Add(name, &meta_thunks::SetEvent<ObjectOf<M>, TargetOf<M>>, member);
  }
  // A member function that layouts name as an event handler ("FormCreate").
  template <class R, class D, class... A> void Handler(std::string_view name, R (D::*method)(A...)) {
    meta_.AddHandler(name, &meta_thunks::BindHandler<R, D, A...>, TMetaTarget(method));
  }
  // A component field of the root, set when the layout creates the component of that name.
  template <class T, class D> void Field(std::string_view name, T *D::*field) {
    meta_.AddField(name, &meta_thunks::AssignField<T, D>, TMetaTarget(field));
  }

private:
  template <class S> static TMetaTarget Target(S target) { return TMetaTarget(meta_thunks::Plain(target)); }
  template <class S> void Add(std::string_view name, TPropertyInfo::Apply apply, S target) {
    meta_.AddProperty(name, apply, nullptr, Target(target));
  }

  TMetaClass &meta_;
};

// Builds the meta class of C (derived from Base); components and collection items that can be
// constructed from their owner get a factory.
template <class C, class Base, class Fill>
const TMetaClass &DefineClass(const char *name, Fill fill, const TMetaClass *base = &Base::StaticMetaClass()) {
  static TMetaClass meta(name, base);
  static const bool filled = [&] {
    TClassBuilder<C> builder(meta);
    fill(builder);
    TMetaClass::ComponentFactory component = nullptr;
    TMetaClass::ItemFactory item = nullptr;
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TComponent *>)
      component = [](TComponent *owner) -> TComponent * { return TComponent::Create<C>(owner); };
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TCollection *>)
      item = [](TCollection *collection) -> std::unique_ptr<TCollectionItem> {
        return std::make_unique<C>(collection);
      };
    meta.SetFactories(component, item);
    return true;
  }();
  (void)filled;
  return meta;
}

// DefineClass for a class without layout properties of its own.
template <class C, class Base> const TMetaClass &DefineClass(const char *name) {
  return DefineClass<C, Base>(name, [](TClassBuilder<C> &) {});
}
