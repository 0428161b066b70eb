// The scroll-bar arithmetic and painting that need no window, and which ThirdParty group decides a foreign
// control's adapter.

#include <gtest/gtest.h>

#include "skin/adapters/ScrollBarGeometry.h"
#include "skin/adapters/ScrollBarPainter.h"
#include "skin/adapters/ThirdPartyAdapters.h"
#include "skin/pixels/Blending.h"
#include "tests/skin_engine/ManagerTestSupport.h"

namespace {

constexpr int Arrow = 17;

TEST(ScrollBarGeometry, TheThumbTakesThePagesShareOfTheTrack) {
  // A page of 0 gives a thumb as long as an arrow; a short one is never below the minimum.
  EXPECT_EQ(ThumbOf({0, 99, 0, 0}, 200, Arrow).Length, Arrow);
  EXPECT_EQ(ThumbOf({0, 99, 50, 0}, 200, Arrow).Length, 83); // 50 of 100 positions of a 166 track
  EXPECT_EQ(ThumbOf({0, 9999, 1, 0}, 200, Arrow).Length, MinThumbLength);
  EXPECT_EQ(ThumbOf({5, 4, 0, 0}, 200, Arrow).Length, 0);
  // At the first position the thumb follows the arrow, at the last it touches the other one.
  EXPECT_EQ(ThumbOf({0, 99, 50, 0}, 200, Arrow).Start, Arrow);
  const TacThumb last = ThumbOf({0, 99, 50, 50}, 200, Arrow);
  EXPECT_EQ(last.Start + last.Length, 200 - Arrow);
  // A page of the whole range leaves no thumb and no page areas.
  EXPECT_FALSE(HasThumb(ThumbOf({0, 99, 100, 0}, 200, Arrow), 200, Arrow));
  EXPECT_EQ(PartAt(100, {0, 99, 100, 0}, 200, Arrow), spNone);
  EXPECT_EQ(MulDivRounded(3, 10, 4), 8);
  EXPECT_EQ(MulDivRounded(-3, 10, 4), -8);
  EXPECT_EQ(MulDivRounded(1, 1, 0), -1);
}

TEST(ScrollBarGeometry, PartsLieAlongTheBar) {
  const TacScrollRange range{0, 99, 50, 0}; // thumb from 17 to 100
  EXPECT_EQ(PartAt(0, range, 200, Arrow), spLineUp);
  EXPECT_EQ(PartAt(16, range, 200, Arrow), spLineUp);
  EXPECT_EQ(PartAt(17, range, 200, Arrow), spThumb);
  EXPECT_EQ(PartAt(99, range, 200, Arrow), spThumb);
  EXPECT_EQ(PartAt(100, range, 200, Arrow), spPageDown);
  EXPECT_EQ(PartAt(183, range, 200, Arrow), spLineDown);
  EXPECT_EQ(PartAt(200, range, 200, Arrow), spNone);
  EXPECT_EQ(PartAt(50, TacScrollRange{0, 99, 50, 50}, 200, Arrow), spPageUp);
  // Arrows too long for the bar take half of it each.
  EXPECT_EQ(PartAt(9, range, 20, Arrow), spLineUp);
  EXPECT_EQ(PartAt(10, range, 20, Arrow), spLineDown);
}

TEST(ScrollBarGeometry, ADraggedThumbStandsForPositionsUpToTheLastWholePage) {
  // Page 0 over 0..10: the bottom of the track is position 10, not 11.
  EXPECT_EQ(ThumbDragPosition({0, 10, 0, 0}, 147, 164, 17), 10);
  EXPECT_EQ(ThumbDragPosition({0, 10, 0, 0}, 500, 164, 17), 10);
  EXPECT_EQ(ThumbDragPosition({0, 10, 0, 0}, 74, 164, 17), 5);
  EXPECT_EQ(ThumbDragPosition({0, 10, 3, 0}, 120, 164, 44), 8);
  EXPECT_EQ(ThumbDragPosition({2, 12, 3, 0}, 0, 164, 44), 2);
  // A range of one position follows the pixels.
  EXPECT_EQ(ThumbDragPosition({0, 0, 0, 0}, 7, 164, 17), 7);
}

TEST(ScrollBarGeometry, BarsTakeTheirRoomOnlyWhenTheyFit) {
  // A window 100 x 80 with a 2-pixel border on each side.
  const TacBarLayout both = LayOutBars({{0, 0, 100, 80}, {2, 2, 98, 78}, true, true, false, 16, 17});
  EXPECT_TRUE(both.HorzVisible && both.VertVisible);
  EXPECT_EQ(both.Client, (TRect{2, 2, 81, 62}));
  EXPECT_EQ(VertBarRect({0, 0, 100, 80}, both, 16, 17, false), (TRect{81, 2, 98, 62}));
  EXPECT_EQ(HorzBarRect({0, 0, 100, 80}, both, 16, 17, false), (TRect{2, 62, 81, 78}));
  EXPECT_EQ(BarBoxRect({0, 0, 100, 80}, both, 16, 17, false), (TRect{81, 62, 98, 78}));
  const TacBarLayout left = LayOutBars({{0, 0, 100, 80}, {2, 2, 98, 78}, false, true, true, 16, 17});
  EXPECT_EQ(left.Client, (TRect{19, 2, 98, 78}));
  EXPECT_EQ(VertBarRect({0, 0, 100, 80}, left, 16, 17, true), (TRect{2, 2, 19, 78}));
  // Too narrow for its bar: the bar is there but not shown, and the client keeps its width.
  const TacBarLayout narrow = LayOutBars({{0, 0, 14, 80}, {2, 2, 12, 78}, false, true, false, 16, 17});
  EXPECT_FALSE(narrow.VertVisible);
  EXPECT_EQ(narrow.Client, (TRect{2, 2, 12, 78}));
  EXPECT_EQ(VertBarRect({0, 0, 14, 80}, narrow, 16, 17, false), TRect{});
}

TEST(ThirdPartyAdapters, TheFirstGroupNamingTheClassDecides) {
  ThirdPartyList lists;
  EXPECT_EQ(ThirdPartyGroupOf(lists, "TMemo"), tpEdits);
  EXPECT_EQ(ThirdPartyGroupOf(lists, "TTreeView"), tpTreeViews);
  EXPECT_EQ(ThirdPartyGroupOf(lists, "TButton"), tpButtons);
  EXPECT_EQ(ThirdPartyGroupOf(lists, "TsMemo"), -1);
  lists.SetText(tpEdits, "TEdit\r\nTTreeView\r\n");
  EXPECT_EQ(ThirdPartyGroupOf(lists, "TTreeView"), tpEdits);
  EXPECT_EQ(ThirdPartySection(tpTreeViews), "EDIT");
  EXPECT_EQ(ThirdPartySection(tpCheckBoxes), "CHECKBOX");
}

class ScrollBarPainting : public ::testing::Test {
protected:
  ScrollBarPainting() {
    InstallRecordingWindows();
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddInternalSkin(*manager, InternalSkinName, BlueGauzePack());
    manager->SetSkinName(InternalSkinName);
  }
  Image24 Paint(const TacBarLook &look) {
    Image24 bar(17, 120);
    bar.Fill(0x123456);
    PaintScrollBar(bar, *manager->Skin(), manager->QuickIndexes(), look);
    return bar;
  }
  std::unique_ptr<TsSkinManager> manager;
};

TEST_F(ScrollBarPainting, PressedArrowsAndDisabledBarsLookTheirPart) {
  TacBarLook look;
  look.Vertical = true;
  look.Range = {0, 10, 0, 0};
  look.ArrowLength = look.PictureArrowLength = Arrow;
  const Image24 normal = Paint(look);
  EXPECT_NE(normal.Pixel(8, 60), 0x123456);
  look.Pressed = spLineUp;
  const Image24 pressed = Paint(look);
  bool arrowChanged = false, restSame = true;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 17; ++x) {
      if (y < Arrow)
        arrowChanged |= pressed.Pixel(x, y) != normal.Pixel(x, y);
      else
        restSame &= pressed.Pixel(x, y) == normal.Pixel(x, y);
    }
  EXPECT_TRUE(arrowChanged);
  EXPECT_TRUE(restSame);

  // Disabled over a published background: 40 % of the bar stays.
  look.Pressed = spNone;
  look.Range = {0, 0, 1, 0}; // a page of the whole range: no thumb
  const Image24 plain = Paint(look);
  look.Enabled = false;
  Image24 background(40, 200);
  background.Fill(0x0000FF);
  look.Background = TCacheInfo{&background, 5, 6, true};
  look.Position = TPoint{3, 4};
  const Image24 disabled = Paint(look);
  const TColor p = plain.Pixel(8, 60), d = disabled.Pixel(8, 60);
  EXPECT_NEAR(RedOf(d), 0.4 * RedOf(p) + 0.6 * 255, 1);
  EXPECT_NEAR(BlueOf(d), 0.4 * BlueOf(p), 1);
}

TEST_F(ScrollBarPainting, NothingIsPaintedWithoutTheBarSections) {
  TsSkin empty;
  Image24 bar(17, 120);
  bar.Fill(0x123456);
  TacBarLook look;
  look.Vertical = true;
  look.ArrowLength = look.PictureArrowLength = Arrow;
  PaintScrollBar(bar, empty, ComputeQuickIndexes(&empty), look);
  EXPECT_EQ(bar.Pixel(8, 8), 0x123456);
  EXPECT_EQ(bar.Pixel(8, 60), 0x123456);
}

} // namespace
