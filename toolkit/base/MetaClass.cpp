#include "toolkit/base/MetaClass.h"

#include <map>

#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Text.h"

namespace {

template <class Info> const Info *FindByName(const std::vector<Info> &list, std::string_view name) {
  for (const Info &info : list)
    if (text::SameText(info.name, name)) return &info;
  return nullptr;
}

struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return text::CompareText(a, b) < 0; }
};

std::map<std::string, const TMetaClass *, NameLess> &Registry() {
  static std::map<std::string, const TMetaClass *, NameLess> registry;
  return registry;
}

} // namespace

bool TMetaClass::InheritsFrom(const TMetaClass &other) const {
  for (const TMetaClass *m = this; m; m = m->parent_)
    if (m == &other) return true;
  return false;
}

const TPropertyInfo *TMetaClass::FindProperty(std::string_view name) const {
  for (const TMetaClass *m = this; m; m = m->parent_)
    if (const TPropertyInfo *info = FindByName(m->properties_, name)) return info;
  return nullptr;
}

const THandlerInfo *TMetaClass::FindHandler(std::string_view name) const {
  for (const TMetaClass *m = this; m; m = m->parent_)
    if (const THandlerInfo *info = FindByName(m->handlers_, name)) return info;
  return nullptr;
}

const TFieldInfo *TMetaClass::FindField(std::string_view name) const {
  for (const TMetaClass *m = this; m; m = m->parent_)
    if (const TFieldInfo *info = FindByName(m->fields_, name)) return info;
  return nullptr;
}

void TMetaClass::AddProperty(std::string_view name, TPropertyInfo::Apply apply, TPropertyInfo::Nested nested,
                             const TMetaTarget &target) {
  properties_.push_back({std::string(name), apply, nested, target, {}});
}

void TMetaClass::AddProperty(std::string_view name, TPropertyInfo::Apply apply, const TMetaTarget &target,
                             TIdentTable names) {
  properties_.push_back({std::string(name), apply, nullptr, target, std::move(names)});
}

void TMetaClass::AddHandler(std::string_view name, THandlerInfo::Bind bind, const TMetaTarget &target) {
  handlers_.push_back({std::string(name), bind, target});
}

void TMetaClass::AddField(std::string_view name, TFieldInfo::Assign assign, const TMetaTarget &target) {
  fields_.push_back({std::string(name), assign, target});
}

TComponent *TMetaClass::CreateComponent(TComponent *owner) const {
  if (!componentFactory_) throw Exception("Cannot create an instance of " + name_);
  return componentFactory_(owner);
}

std::unique_ptr<TCollectionItem> TMetaClass::CreateItem(TCollection *collection) const {
  if (!itemFactory_) throw Exception("Cannot create an instance of " + name_);
  return itemFactory_(collection);
}

void RegisterComponentClass(const TMetaClass &meta) { Registry()[meta.Name()] = &meta; }

const TMetaClass *FindComponentClass(std::string_view name) {
  auto &registry = Registry();
  auto it = registry.find(name);
  return it == registry.end() ? nullptr : it->second;
}
