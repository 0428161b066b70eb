// A push button's state, caption layout and a bit button's picture place, as the adapter paints them.

#include <gtest/gtest.h>

#include "skin/adapters/PushButtonLook.h"

namespace {

TEST(PushButtonLookTest, PressedBeatsDisabledBeatsFocusOrMouseBeatsDefault) {
  EXPECT_EQ(PushButtonStateIndex({.Pushed = true, .Enabled = false}), 2);
  EXPECT_EQ(PushButtonStateIndex({.Enabled = false, .Focused = true, .Hot = true, .Default = true}), 0);
  EXPECT_EQ(PushButtonStateIndex({.Hot = true}), 1);
  EXPECT_EQ(PushButtonStateIndex({.Focused = true}), 1);
  EXPECT_EQ(PushButtonStateIndex({.Default = true}), 1);
  EXPECT_EQ(PushButtonStateIndex({}), 0);
  // A control's button is default by its type; a dialog's by the bit that default split buttons share.
  EXPECT_TRUE(IsDefaultPushButton(0x50010001, false));
  EXPECT_FALSE(IsDefaultPushButton(0x5001000D, false));
  EXPECT_TRUE(IsDefaultPushButton(0x5001000D, true));
  EXPECT_FALSE(IsDefaultPushButton(0x50010000, true));
}

TEST(PushButtonLookTest, TheCaptionIsCentredAndMovesWhenPushedAndWrapsOnlyOnSeveralLines) {
  EXPECT_EQ(PushButtonCaptionRect({75, 25}, {30, 13}, false), (TRect{21, 6, 55, 19}));
  EXPECT_EQ(PushButtonCaptionRect({75, 25}, {30, 13}, true), (TRect{22, 7, 56, 20}));
  EXPECT_EQ(PushButtonCaptionRect({75, 25}, {}, false), (TRect{36, 12, 40, 13}));
  EXPECT_EQ(PushButtonTextFlags(0x50010000), 0x41u);
  EXPECT_EQ(PushButtonTextFlags(0x50012000), 0x51u);
  EXPECT_EQ(PushButtonCaptionWidth(75), 73);
}

TEST(PushButtonLookTest, APictureStandsBesideTheCaptionCentredTogetherOrAtItsMargin) {
  const TacGlyphPlacement left = PlaceButtonGlyph({120, 30}, {16, 16}, {30, 13}, TacGlyphLayout::Left, -1, 4);
  EXPECT_EQ(left.Glyph.X, 35);
  EXPECT_EQ(left.Glyph.Y, 7);
  EXPECT_EQ(left.TextOffset.X, 35 + 16 + 4 - 45);
  const TacGlyphPlacement right = PlaceButtonGlyph({120, 30}, {16, 16}, {30, 13}, TacGlyphLayout::Right, 5, 4);
  EXPECT_EQ(right.Glyph.X, 120 - 5 - 16);
  EXPECT_EQ(right.TextOffset.X, 120 - 5 - 16 - 4 - 30 - 45);
  const TacGlyphPlacement top = PlaceButtonGlyph({60, 60}, {16, 16}, {30, 13}, TacGlyphLayout::Top, -1, 4);
  EXPECT_EQ(top.Glyph.X, 22);
  EXPECT_EQ(top.Glyph.Y, (60 - 33) / 2);
  EXPECT_EQ(top.TextOffset.Y, (60 - 33) / 2 + 20 - 23);
  // No caption, no spacing: the picture alone is centred.
  EXPECT_EQ(PlaceButtonGlyph({120, 30}, {16, 16}, {}, TacGlyphLayout::Left, -1, 4).Glyph.X, 52);
}

} // namespace
