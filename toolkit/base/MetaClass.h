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

#include <any>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "toolkit/base/Component.h"
#include "toolkit/base/LayoutReader.h"
#include "toolkit/base/Strings.h"

struct TPropertyInfo {
  std::string name;
  // Sets the stored value; empty for a property that only leads to a nested object.
  std::function<void(TObject &, const LayoutValue &, LayoutReader &)> apply;
  // The nested object a dotted path continues into ("Font" in "Font.Name"); empty otherwise.
  std::function<TPersistent *(TObject &)> nested;
};

struct THandlerInfo {
  std::string name;
  // Binds the handler to an instance: a std::function of the handler's own signature.
  std::function<std::any(TObject &)> bind;
};

struct TFieldInfo {
  std::string name;
  // Stores the component in the instance's field; false when its class does not fit the field.
  std::function<bool(TObject &, TComponent *)> assign;
};

class TMetaClass {
public:
  using ComponentFactory = std::function<TComponent *(TComponent *owner)>;
  using ItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection *)>;

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

  bool CanCreateComponent() const { return static_cast<bool>(componentFactory_); }
  // Creates a component owned by owner; raises Exception for classes that cannot be created by name.
  TComponent *CreateComponent(TComponent *owner) const;
  std::unique_ptr<TCollectionItem> CreateItem(TCollection *collection) const;

  void AddProperty(TPropertyInfo info) { properties_.push_back(std::move(info)); }
  void AddHandler(THandlerInfo info) { handlers_.push_back(std::move(info)); }
  void AddField(TFieldInfo info) { fields_.push_back(std::move(info)); }
  void SetFactories(ComponentFactory component, ItemFactory item) {
    componentFactory_ = std::move(component);
    itemFactory_ = std::move(item);
  }

private:
  std::string name_;
  const TMetaClass *parent_;
  std::vector<TPropertyInfo> properties_;
  std::vector<THandlerInfo> handlers_;
  std::vector<TFieldInfo> fields_;
  ComponentFactory componentFactory_;
  ItemFactory itemFactory_;
};

// Class registry used by layouts. Registering a name twice keeps the later class.
void RegisterComponentClass(const TMetaClass &meta);
const TMetaClass *FindComponentClass(std::string_view name);

template <class C> class TClassBuilder {
public:
  explicit TClassBuilder(TMetaClass &meta) : meta_(meta) {}

  // Setters are member functions (of C or a base) or callables taking (C&, value).
  template <class S> void Int(std::string name, S set) {
    Add(std::move(name), [set](C &c, const LayoutValue &v, LayoutReader &r) { std::invoke(set, c, r.Int(v)); });
  }
  template <class S> void String(std::string name, S set) {
    Add(std::move(name), [set](C &c, const LayoutValue &v, LayoutReader &r) { std::invoke(set, c, r.String(v)); });
  }
  template <class S> void Bool(std::string name, S set) {
    Add(std::move(name), [set](C &c, const LayoutValue &v, LayoutReader &r) { std::invoke(set, c, r.Bool(v)); });
  }
  template <class S> void Color(std::string name, S set) {
    Add(std::move(name), [set](C &c, const LayoutValue &v, LayoutReader &r) { std::invoke(set, c, r.Color(v)); });
  }
  template <class E, class S> void Enum(std::string name, S set, TIdentTable names) {
    Add(std::move(name), [set, names = std::move(names)](C &c, const LayoutValue &v, LayoutReader &r) {
      std::invoke(set, c, static_cast<E>(r.Enum(v, names)));
    });
  }
  template <class S> void Set(std::string name, S set, TIdentTable names) {
    Add(std::move(name), [set, names = std::move(names)](C &c, const LayoutValue &v, LayoutReader &r) {
      std::invoke(set, c, r.Set(v, names));
    });
  }
  template <class S> void Binary(std::string name, S set) {
    Add(std::move(name), [set](C &c, const LayoutValue &v, LayoutReader &r) { std::invoke(set, c, r.Bytes(v)); });
  }
  // get returns the TStrings to fill.
  template <class G> void Strings(std::string name, G get) {
    Add(std::move(name),
        [get](C &c, const LayoutValue &v, LayoutReader &r) { r.ReadStrings(v, *std::invoke(get, c)); });
  }
  // get returns the TCollection whose items the layout lists.
  template <class G> void Collection(std::string name, G get) {
    Add(std::move(name),
        [get](C &c, const LayoutValue &v, LayoutReader &r) { r.ReadCollection(v, *std::invoke(get, c)); });
  }
  // get returns a TPersistent whose own properties a dotted path reaches ("Font.Name").
  template <class G> void Object(std::string name, G get) {
    TPropertyInfo info{std::move(name), {}, {}};
    info.nested = [get](TObject &o) -> TPersistent * { return std::invoke(get, Self(o)); };
    meta_.AddProperty(std::move(info));
  }
  // A reference to another component of the layout, resolved after reading.
  template <class T, class S> void Reference(std::string name, S set) {
    Add(std::move(name), [set, name](C &c, const LayoutValue &v, LayoutReader &r) {
      r.AddReference(v, [set, &c, line = v.line, name](TComponent *found) {
        T *target = dynamic_cast<T *>(found);
        if (found && !target) throw ELayoutError(line, found->Name() + " does not fit " + name);
        std::invoke(set, c, target);
      });
    });
  }
  // An event (a std::function member) set to a handler of the root by name.
  template <class M> void Event(std::string name, M member) {
    using F = std::remove_cvref_t<std::invoke_result_t<M, C &>>;
    Add(std::move(name), [member, name](C &c, const LayoutValue &v, LayoutReader &r) {
      std::any handler = r.Handler(v);
      const F *f = std::any_cast<F>(&handler);
      if (!f) LayoutReader::Fail(v, "handler " + v.text + " does not fit " + name);
      std::invoke(member, c) = *f;
    });
  }
  // A member function that layouts name as an event handler ("FormCreate").
  template <class R, class D, class... A> void Handler(std::string name, R (D::*method)(A...)) {
    meta_.AddHandler({std::move(name), [method](TObject &o) -> std::any {
                        D *self = &Self(o);
                        return std::function<R(A...)>([self, method](A... a) { return (self->*method)(a...); });
                      }});
  }
  // A component field of the root, set when the layout creates the component of that name.
  template <class T, class D> void Field(std::string name, T *D::*field) {
    meta_.AddField({std::move(name), [field](TObject &o, TComponent *component) {
                      T *typed = dynamic_cast<T *>(component);
                      if (typed) Self(o).*field = typed;
                      return typed != nullptr;
                    }});
  }

private:
  static C &Self(TObject &o) { return dynamic_cast<C &>(o); }
  template <class F> void Add(std::string name, F apply) {
    meta_.AddProperty(
        {std::move(name), [apply](TObject &o, const LayoutValue &v, LayoutReader &r) { apply(Self(o), v, r); }, {}});
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
    TMetaClass::ComponentFactory component;
    TMetaClass::ItemFactory item;
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TComponent *>)
      component = [](TComponent *owner) -> TComponent * { return TComponent::Create<C>(owner); };
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TCollection *>)
      item = [](TCollection *collection) -> std::unique_ptr<TCollectionItem> {
        return std::make_unique<C>(collection);
      };
    meta.SetFactories(std::move(component), std::move(item));
    return true;
  }();
  (void)filled;
  return meta;
}

// DefineClass for a class without layout properties of its own.
template <class C, class Base> const TMetaClass &DefineClass(const char *name) {
  return DefineClass<C, Base>(name, [](TClassBuilder<C> &) {});
}
