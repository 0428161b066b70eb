#include "toolkit/base/LayoutReader.h"

#include <limits>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Text.h"

namespace {

const char *KindName(LayoutValue::Kind kind) {
  switch (kind) {
  case LayoutValue::Kind::Integer: return "a number";
  case LayoutValue::Kind::String: return "a string";
  case LayoutValue::Kind::Identifier: return "a name";
  case LayoutValue::Kind::Set: return "a set";
  case LayoutValue::Kind::List: return "a string list";
  case LayoutValue::Kind::Binary: return "binary data";
  case LayoutValue::Kind::Collection: return "a collection";
  }
  return "a value";
}

void ExpectKind(const LayoutValue &value, LayoutValue::Kind kind) {
  if (value.kind != kind)
    LayoutReader::Fail(value, std::string(KindName(kind)) + " expected, not " + KindName(value.kind));
}

// Runs one step of reading; failures of setters and factories get the line of the layout that caused them.
template <class F> void AtLine(int line, F step) {
  try {
    step();
  } catch (const ELayoutError &) {
    throw;
  } catch (const std::exception &e) {
    throw ELayoutError(line, e.what());
  }
}

} // namespace

void LayoutReader::Fail(const LayoutValue &value, const std::string &message) {
  throw ELayoutError(value.line, message);
}

void LayoutReader::Read(TComponent &root, const LayoutObject &layout) {
  LayoutReader reader(root);
  reader.ReadRoot(layout);
}

void LayoutReader::ReadRoot(const LayoutObject &layout) {
  if (!text::SameText(layout.className, root_.ClassName()))
    throw ELayoutError(layout.line, "the layout is for " + layout.className + ", not " + root_.ClassName());
  root_.SetStateFlags(csLoading | csReading, true);
  try {
    AtLine(layout.line, [&] { root_.SetName(layout.name); });
    ApplyProperties(root_, layout.properties);
    for (const LayoutObject &child : layout.children)
      ReadChild(root_, child);
    FixUp();
  } catch (...) {
    Discard();
    throw;
  }
  root_.SetStateFlags(csReading, false);
  for (TComponent *c : created_)
    c->SetStateFlags(csReading, false);
  // The root is loaded first, so components that look at it in their Loaded find it ready.
  root_.Loaded();
  for (TComponent *c : created_)
    c->Loaded();
}

void LayoutReader::ReadChild(TComponent &parent, const LayoutObject &object) {
  const TMetaClass *meta = FindComponentClass(object.className);
  if (!meta) throw ELayoutError(object.line, "class " + object.className + " is not registered");
  TComponent *component = nullptr;
  AtLine(object.line, [&] {
    component = meta->CreateComponent(&root_);
    created_.push_back(component);
    component->SetStateFlags(csLoading | csReading, true);
    component->SetName(object.name);
    if (const TFieldInfo *field = root_.MetaClass().FindField(object.name))
      if (!field->assign(*field, root_, component))
        throw ELayoutError(object.line, "field " + object.name + " of " + root_.ClassName() + " does not take a " +
                                            object.className);
    component->SetParentComponent(&parent);
  });
  ApplyProperties(*component, object.properties);
  for (const LayoutObject &child : object.children)
    ReadChild(*component, child);
}

void LayoutReader::ApplyProperties(TObject &target, const std::vector<LayoutProperty> &properties) {
  for (const LayoutProperty &property : properties)
    ApplyProperty(target, property);
}

void LayoutReader::ApplyProperty(TObject &target, const LayoutProperty &property) {
  TObject *object = &target;
  std::string_view path = property.path;
  while (true) {
    size_t dot = path.find('.');
    std::string_view name = path.substr(0, dot);
    const TPropertyInfo *info = object->MetaClass().FindProperty(name);
    if (!info) throw ELayoutError(property.line, object->ClassName() + " has no property " + std::string(name));
    if (dot == std::string_view::npos) {
      if (!info->apply) throw ELayoutError(property.line, "property " + property.path + " cannot be set");
      AtLine(property.line, [&] { info->apply(*info, *object, property.value, *this); });
      return;
    }
    if (!info->nested) throw ELayoutError(property.line, std::string(name) + " has no nested properties");
    object = info->nested(*info, *object);
    if (!object) throw ELayoutError(property.line, std::string(name) + " is empty");
    path.remove_prefix(dot + 1);
  }
}

void LayoutReader::FixUp() {
  for (const Reference &ref : references_) {
    TComponent *found = nullptr;
    if (!text::SameText(ref.name, "null")) {
      found = text::SameText(ref.name, root_.Name()) ? &root_ : root_.FindComponent(ref.name);
      if (!found) throw ELayoutError(ref.line, "no component named " + ref.name);
    }
    AtLine(ref.line, [&] { ref.assign(found); });
  }
  references_.clear();
}

void LayoutReader::Discard() noexcept {
  references_.clear();
  for (auto it = created_.rbegin(); it != created_.rend(); ++it)
    (*it)->Free();
  created_.clear();
  root_.SetStateFlags(csLoading | csReading, false);
}

int LayoutReader::Int(const LayoutValue &value) const {
  ExpectKind(value, LayoutValue::Kind::Integer);
  if (value.integer < std::numeric_limits<int>::min() || value.integer > std::numeric_limits<int>::max())
    Fail(value, "number out of range");
  return static_cast<int>(value.integer);
}

const std::string &LayoutReader::String(const LayoutValue &value) const {
  ExpectKind(value, LayoutValue::Kind::String);
  return value.text;
}

bool LayoutReader::Bool(const LayoutValue &value) const {
  ExpectKind(value, LayoutValue::Kind::Identifier);
  if (text::SameText(value.text, "true")) return true;
  if (text::SameText(value.text, "false")) return false;
  Fail(value, "true or false expected, not " + value.text);
}

TColor LayoutReader::Color(const LayoutValue &value) const {
  if (value.kind == LayoutValue::Kind::Integer) {
    // Colours may be written as signed values or as unsigned 32-bit numbers (0xFF00000F).
    if (value.integer < std::numeric_limits<int32_t>::min() || value.integer > 0xFFFFFFFFll)
      Fail(value, "colour out of range");
    return static_cast<TColor>(static_cast<uint32_t>(value.integer));
  }
  ExpectKind(value, LayoutValue::Kind::Identifier);
  TColor color;
  if (!ColorFromIdent(value.text, color)) Fail(value, "unknown colour " + value.text);
  return color;
}

int LayoutReader::Enum(const LayoutValue &value, const TIdentTable &names) const {
  ExpectKind(value, LayoutValue::Kind::Identifier);
  for (const auto &[name, v] : names)
    if (text::SameText(name, value.text)) return v;
  Fail(value, "unknown value " + value.text);
}

uint32_t LayoutReader::Set(const LayoutValue &value, const TIdentTable &names) const {
  ExpectKind(value, LayoutValue::Kind::Set);
  uint32_t bits = 0;
  for (const std::string &item : value.items) {
    bool known = false;
    for (const auto &[name, v] : names)
      if (text::SameText(name, item)) {
        bits |= static_cast<uint32_t>(v);
        known = true;
      }
    if (!known) Fail(value, "unknown set element " + item);
  }
  return bits;
}

const std::vector<uint8_t> &LayoutReader::Bytes(const LayoutValue &value) const {
  ExpectKind(value, LayoutValue::Kind::Binary);
  return value.bytes;
}

void LayoutReader::ReadStrings(const LayoutValue &value, TStrings &strings) const {
  ExpectKind(value, LayoutValue::Kind::List);
  strings.BeginUpdate();
  strings.Clear();
  strings.AddStrings(value.items);
  strings.EndUpdate();
}

void LayoutReader::ReadCollection(const LayoutValue &value, TCollection &collection) {
  ExpectKind(value, LayoutValue::Kind::Collection);
  collection.Clear();
  for (const LayoutItem &item : value.collection) {
    TCollectionItem *created = nullptr;
    AtLine(item.line, [&] { created = collection.Add(); });
    ApplyProperties(*created, item.properties);
  }
}

std::any LayoutReader::Handler(const LayoutValue &value) const {
  ExpectKind(value, LayoutValue::Kind::Identifier);
  const THandlerInfo *handler = root_.MetaClass().FindHandler(value.text);
  if (!handler) Fail(value, root_.ClassName() + " has no handler " + value.text);
  return handler->bind(*handler, root_);
}

void LayoutReader::AddReference(const LayoutValue &value, std::function<void(TComponent *)> assign) {
  ExpectKind(value, LayoutValue::Kind::Identifier);
  references_.push_back({value.text, value.line, std::move(assign)});
}
