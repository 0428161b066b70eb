// The class name lists of window adapters: defaults and the move of an older stored layout.

#include <gtest/gtest.h>

#include "skin/engine/ThirdPartyList.h"

namespace {

TEST(ThirdPartyList, EmptyTextsTakeTheirDefaults) {
  ThirdPartyList list;
  EXPECT_EQ(list.Names(tpButtons), std::vector<std::string>{"TButton"});
  EXPECT_EQ(list.Names(tpEdits).size(), 18u);
  EXPECT_EQ(list.Names(tpEdits).front(), "TEdit");
  EXPECT_EQ(list.Names(tpEdits).back(), "TDBEdit");
  EXPECT_EQ(list.Names(tpVirtualTrees).size(), 7u);
  EXPECT_TRUE(list.Contains(tpPanels, "tpanel"));
  EXPECT_FALSE(list.Contains(tpPanels, "TGroupBox"));

  list.SetText(tpGrids, "");
  list.SetText(tpGridEh, "TMyGrid\r\n\r\nTOtherGrid\n");
  list.ApplyDefaults();
  EXPECT_EQ(list.Names(tpGrids).front(), "TStringGrid");
  EXPECT_EQ(list.Names(tpGridEh), (std::vector<std::string>{"TMyGrid", "TOtherGrid"}));
}

TEST(ThirdPartyList, AnOlderLayoutMovesIntoTheCurrentPlaces) {
  ThirdPartyList list;
  // Each group's names as an older layout placed them.
  const char *old[ThirdPartyGroupCount] = {"TButton",       "TBitBtn",     "TCheckBox", "TComboBox", "TTreeView",
                                           "TListView",     "TStringGrid", "TGroupBox", "TEdit",     "TPanel",
                                           "TwwDBComboBox", "TOldGrid",    "TDBGridEh"};
  for (int group = 0; group < ThirdPartyGroupCount; ++group)
    list.SetText(group, std::string(old[group]) + "\r\n");
  list.ApplyDefaults();
  auto only = [&](int group) { return list.Names(group).size() == 1 ? list.Names(group)[0] : std::string("?"); };
  EXPECT_EQ(only(tpEdits), "TEdit");
  EXPECT_EQ(only(tpPanels), "TPanel");
  EXPECT_EQ(only(tpTreeViews), "TTreeView");
  EXPECT_EQ(only(tpComboBoxes), "TComboBox");
  EXPECT_EQ(only(tpCheckBoxes), "TCheckBox");
  EXPECT_EQ(only(tpBitBtns), "TBitBtn");
  EXPECT_EQ(only(tpButtons), "TButton");
  EXPECT_EQ(only(tpListViews), "TListView");
  EXPECT_EQ(only(tpGrids), "TStringGrid");
  EXPECT_EQ(only(tpGroupBoxes), "TGroupBox");
  EXPECT_EQ(only(tpGridEh), "TDBGridEh");
  EXPECT_EQ(list.Names(tpVirtualTrees).size(), 7u);
  EXPECT_EQ(only(tpWWEdits), "TwwDBComboBox");
}

TEST(ThirdPartyList, TheCurrentLayoutStaysAsItIs) {
  ThirdPartyList list;
  list.SetText(tpEdits, "TEdit");
  list.SetText(tpButtons, "TButton");
  list.ApplyDefaults();
  EXPECT_EQ(list.Names(tpEdits), std::vector<std::string>{"TEdit"});
  EXPECT_EQ(list.Names(tpButtons), std::vector<std::string>{"TButton"});
}

} // namespace
