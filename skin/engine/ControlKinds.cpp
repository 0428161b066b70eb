#include "skin/engine/ControlKinds.h"

#include <initializer_list>

namespace {
struct KindSection {
  std::initializer_list<int> kinds;
  std::string_view section;
};

constexpr int EditKinds[] = {2, 3, 4, 5, 6, 7, 8, 10, 41, 76, 78, 83, 84, 96, 97, 131, 140, 227};

bool IsEditKind(int kind) {
  for (int k : EditKinds)
    if (k == kind) return true;
  return false;
}
} // namespace

std::optional<std::string_view> DefaultSectionOfKind(int kind) {
  if (IsEditKind(kind)) return "EDIT";
  if ((kind >= 11 && kind <= 18) || kind == 81 || kind == 82) return "COMBOBOX";
  static const KindSection table[] = {
      {{19}, "BAR"},
      {{20}, "BARTITLE"},
      {{32, 152}, "CHECKBOX"},
      {{33}, "RADIOBUTTON"},
      {{51, 59, 68, 73}, "PANEL"},
      {{52, 58}, "PANEL_LOW"},
      {{53, 54, 60}, "TOOLBAR"},
      {{56}, "DRAGBAR"},
      {{57}, "TABSHEET"},
      {{74, 226}, "GROUPBOX"},
      {{75}, "SPLITTER"},
      {{92, 95}, "SPEEDBUTTON"},
      {{93, 94}, "BUTTON"},
      {{98}, "TOOLBUTTON"},
      {{141, 143}, "PAGECONTROL"},
      {{151}, "STATUSBAR"},
      {{161}, "GAUGE"},
  };
  for (const auto &entry : table)
    for (int k : entry.kinds)
      if (k == kind) return entry.section;
  return std::nullopt;
}

bool KindShowsHover(int kind) { return !((kind >= 51 && kind <= 74) || kind == 110 || (kind >= 141 && kind <= 161)); }
