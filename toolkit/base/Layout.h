#pragma once
// The stored layout of a form: a text that names the root component, its properties and the components
// it owns. It is parsed into a tree first, so a malformed text is rejected before any object changes.
//
//   object Form1 : TForm1 {
//     Caption = "Установка"                      // string: UTF-8, escapes \" \\ \r \n \t
//     ClientWidth = 440                           // integer: decimal or 0x hexadecimal, may be negative
//     Position = poScreenCenter                   // identifier: enum, true/false, colour name,
//                                                 //   component reference (or null), event handler
//     BorderIcons = [biSystemMenu, biMinimize]    // set of identifiers ([] is empty)
//     Font.Name = "MS Sans Serif"                 // nested property path
//     Lines = ("first line", "second line")       // string list
//     Data = hex { 0A1B 2C3D }                    // binary, whitespace between digits is ignored
//     Skins = collection { item { Name = "a" } }  // collection items, each with its properties
//     object Label1 : TLabel { Left = 8 }         // an owned component, placed under its enclosing one
//   }
//
// Within an object, properties come before the objects it encloses. Comments run from // to line end.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/base/Exceptions.h"

// A malformed layout, or one that names unknown classes, properties, values or handlers.
class ELayoutError : public EStreamError {
public:
  ELayoutError(int line, const std::string &message)
      : EStreamError("Layout line " + std::to_string(line) + ": " + message), line_(line) {}
  int Line() const { return line_; }

private:
  int line_;
};

struct LayoutProperty;

struct LayoutItem {
  int line = 0;
  std::vector<LayoutProperty> properties;
};

struct LayoutValue {
  enum class Kind { Integer, String, Identifier, Set, List, Binary, Collection };
  Kind kind = Kind::Integer;
  int line = 0;
  int64_t integer = 0;
  std::string text;               // String and Identifier
  std::vector<std::string> items; // Set identifiers, List strings
  std::vector<uint8_t> bytes;     // Binary
  std::vector<LayoutItem> collection;
};

struct LayoutProperty {
  std::string path; // "Font.Name"
  LayoutValue value;
  int line = 0;
};

struct LayoutObject {
  std::string name;
  std::string className;
  int line = 0;
  std::vector<LayoutProperty> properties; // in stream order
  std::vector<LayoutObject> children;     // in stream order
};

// Parses a whole layout (one root object); raises ELayoutError naming the line of the first fault.
LayoutObject ParseLayout(std::string_view text);
