#pragma once
// The class names of foreign controls that window adapters skin, in thirteen groups. Each group is a
// text of class names, one per line, as the stored layout holds it, and the list read from that text.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/base/Component.h"

enum TacThirdPartyGroup : int {
  tpEdits,
  tpButtons,
  tpBitBtns,
  tpCheckBoxes,
  tpComboBoxes,
  tpGrids,
  tpGroupBoxes,
  tpListViews,
  tpPanels,
  tpTreeViews,
  tpWWEdits,
  tpGridEh,
  tpVirtualTrees,
  ThirdPartyGroupCount
};

// "TButton\r\nTBitBtn\r\n"-style text of a group's default class names.
std::string DefaultThirdPartyText(int group);
// Property name of a group ("ThirdEdits").
std::string_view ThirdPartyPropertyName(int group);

class ThirdPartyList : public TPersistent {
  TK_CLASS(ThirdPartyList)
public:
  ThirdPartyList() { ApplyDefaults(); }

  const std::string &Text(int group) const { return texts_.at(group); }
  void SetText(int group, std::string text);
  // The class names of the group, blank lines left out.
  const std::vector<std::string> &Names(int group) const { return lists_.at(group); }
  bool Contains(int group, std::string_view className) const;

  // Texts of an older layout (recognised by their first two groups) move to their current places;
  // then every empty text takes its default and the lists are read again.
  void ApplyDefaults();

private:
  bool IsOlderLayout() const;
  void MoveOlderLayout();

  std::array<std::string, ThirdPartyGroupCount> texts_;
  std::array<std::vector<std::string>, ThirdPartyGroupCount> lists_;
};
