#include "skin/adapters/ThirdPartyAdapters.h"

int ThirdPartyGroupOf(const ThirdPartyList &lists, std::string_view className) {
  for (int group = 0; group < ThirdPartyGroupCount; ++group)
    if (lists.Contains(group, className)) return group;
  return -1;
}

std::string_view ThirdPartySection(int group) {
  switch (group) {
  case tpButtons:
  case tpBitBtns: return "BUTTON";
  case tpCheckBoxes: return "CHECKBOX";
  case tpGroupBoxes: return "GROUPBOX";
  case tpPanels: return "PANEL";
  default: return "EDIT";
  }
}
