#pragma once
// Reads a stored layout into a root component (a form): creates the owned components by registered
// class name in stored order, sets stored properties in stream order through the meta classes, binds
// the root's fields and event handlers by name, fixes component references once everything exists
// (they may point forward), then calls Loaded on the root and on each new component in creation order.

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/base/Colors.h"
#include "toolkit/base/Layout.h"

class TObject;
class TComponent;
class TCollection;
class TStrings;

// Identifier names of an enum or set property with their values (for sets: bit masks).
using TIdentTable = std::vector<std::pair<std::string_view, int>>;

class LayoutReader {
public:
  // Raises ELayoutError (nothing created stays behind) when the layout does not fit root's class.
  static void Read(TComponent &root, const LayoutObject &layout);
  static void Read(TComponent &root, std::string_view text) { Read(root, ParseLayout(text)); }

  // Conversions the meta classes' property setters use; each raises ELayoutError on a mismatch.
  int Int(const LayoutValue &value) const;
  const std::string &String(const LayoutValue &value) const;
  bool Bool(const LayoutValue &value) const;
  TColor Color(const LayoutValue &value) const;
  int Enum(const LayoutValue &value, const TIdentTable &names) const;
  uint32_t Set(const LayoutValue &value, const TIdentTable &names) const;
  const std::vector<uint8_t> &Bytes(const LayoutValue &value) const;
  void ReadStrings(const LayoutValue &value, TStrings &strings) const;
  void ReadCollection(const LayoutValue &value, TCollection &collection);
  // The root's handler of that name, bound to the root (a std::function of the handler's signature).
  std::any Handler(const LayoutValue &value) const;
  // Assigns the named component (or null) once the whole layout has been read.
  void AddReference(const LayoutValue &value, std::function<void(TComponent *)> assign);

  [[noreturn]] static void Fail(const LayoutValue &value, const std::string &message);

private:
  explicit LayoutReader(TComponent &root) : root_(root) {}
  void ReadRoot(const LayoutObject &layout);
  void ReadChild(TComponent &parent, const LayoutObject &object);
  void ApplyProperties(TObject &target, const std::vector<LayoutProperty> &properties);
  void ApplyProperty(TObject &target, const LayoutProperty &property);
  void FixUp();
  void Discard() noexcept;

  struct Reference {
    std::string name;
    int line;
    std::function<void(TComponent *)> assign;
  };

  TComponent &root_;
  std::vector<TComponent *> created_;
  std::vector<Reference> references_;
};
