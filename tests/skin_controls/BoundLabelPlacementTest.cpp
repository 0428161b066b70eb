#include <gtest/gtest.h>

#include "skin/controls/BoundLabelPlacement.h"

namespace {

TEST(BoundLabelPlacement, LabelsStandBesideOrAboveTheControl) {
  const TRect edit{100, 50, 300, 71}; // 200 x 21
  const BoundLabelPlace left = PlaceBoundLabel(TsCaptionLayout::sclLeft, edit, 40, 13, 0, 0);
  EXPECT_EQ(left.Bounds, (TRect{56, 53, 96, 66}));
  EXPECT_TRUE(left.AutoSize);
  EXPECT_EQ(PlaceBoundLabel(TsCaptionLayout::sclTopLeft, edit, 40, 13, 2, 0).Bounds, (TRect{100, 35, 140, 48}));
  EXPECT_EQ(PlaceBoundLabel(TsCaptionLayout::sclTopCenter, edit, 41, 13, 0, 0).Bounds.Left, 179);
  EXPECT_EQ(PlaceBoundLabel(TsCaptionLayout::sclTopRight, edit, 40, 13, 0, 0).Bounds.Left, 260);
  const BoundLabelPlace wrapped = PlaceBoundLabel(TsCaptionLayout::sclLeft, edit, 40, 13, 0, 30);
  EXPECT_FALSE(wrapped.AutoSize);
  EXPECT_TRUE(wrapped.WordWrap);
  EXPECT_EQ(wrapped.Bounds.Width(), 30);
  EXPECT_EQ(wrapped.Bounds.Height(), 21);
  EXPECT_EQ(BoundLabelAlignment(TsCaptionLayout::sclTopCenter), TsLabelAlignment::Center);
  EXPECT_EQ(BoundLabelAlignment(TsCaptionLayout::sclLeft), TsLabelAlignment::Right);
}

} // namespace
