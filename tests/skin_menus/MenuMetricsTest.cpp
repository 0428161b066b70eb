// The arithmetic of skinned popup menus: item kinds by caption, item and menu sizes, the captions drawn.

#include <gtest/gtest.h>

#include "skin/menus/MenuMetrics.h"

TEST(MenuMetrics, KindsAndTextsFollowTheCaption) {
  EXPECT_EQ(MenuItemKind("-"), TsMenuItemKind::Divider);
  EXPECT_EQ(MenuItemKind("-Skins-"), TsMenuItemKind::Title);
  EXPECT_EQ(MenuItemKind("--"), TsMenuItemKind::Title);
  EXPECT_EQ(MenuItemKind("-Skins"), TsMenuItemKind::Ordinary);
  EXPECT_EQ(MeasuredText(TsMenuItemKind::Ordinary, "Close", "Alt+F4"), "CloseAlt+F4");
  EXPECT_EQ(MeasuredText(TsMenuItemKind::Title, "-Skins-", ""), "--Skins--");
  EXPECT_EQ(MeasuredText(TsMenuItemKind::Divider, "-", "Ctrl+X"), "");
  EXPECT_EQ(TitleCaption("-Available skins-"), "Available skins");
  EXPECT_EQ(TitleCaption("--Skins-more-"), "Skins");
  const TsMenuCaption right = MenuCaption("\bHelp");
  EXPECT_EQ(right.Text, "Help      ");
  EXPECT_TRUE(right.RightAligned);
  EXPECT_FALSE(MenuCaption("Help").RightAligned);
  EXPECT_EQ(WithoutAmpersands("&Close && go"), "Close  go");
}

TEST(MenuMetrics, ItemSizesRoundTheLineHalfToEvenAndTakeTheGlyphAndTheExtraLine) {
  const TsMenuItemLayout layout; // margin 3, spacing 6
  // 2 * 16 + 50 + 3 * 3 + 6 = 97; 1.25 * 13 = 16.25 -> 16, the glyph's 16, two margins: 22.
  EXPECT_EQ(PopupItemSize(TsMenuItemKind::Ordinary, 50, 13, {16, 16}, layout, 0), (TSize{97, 22}));
  // 1.25 * 14 = 17.5 -> 18; 1.25 * 10 = 12.5 -> 12 (ties to even).
  EXPECT_EQ(PopupItemSize(TsMenuItemKind::Ordinary, 50, 14, {16, 16}, layout, 0).Height, 24);
  EXPECT_EQ(PopupItemSize(TsMenuItemKind::Title, 50, 10, {16, 16}, layout, 0).Height, 18);
  EXPECT_EQ(PopupItemSize(TsMenuItemKind::Ordinary, 50, 10, {24, 24}, layout, 32), (TSize{32 + 48 + 50 + 15, 30}));
  EXPECT_EQ(PopupItemSize(TsMenuItemKind::Divider, 0, 13, {16, 16}, layout, 0), (TSize{47, 2}));
}

TEST(MenuMetrics, AMenuIsAsWideAsItsColumnsAndAsHighAsTheHighestColumn) {
  EXPECT_EQ(PopupMenuSize({}), (TSize{0, 0}));
  EXPECT_EQ(PopupMenuSize({{{90, 22}}, {{100, 22}}, {{47, 2}}}), (TSize{112, 46}));
  // A second column: widths 100 + 12 and 60 + 12, 4 between them.
  EXPECT_EQ(PopupMenuSize({{{100, 22}}, {{90, 22}}, {{60, 30}, true}}), (TSize{112 + 4 + 72, 44}));
}
