#include <gtest/gtest.h>

#include "skin/controls/ButtonFace.h"

namespace {

TEST(ButtonFace, TheCaptionIsCentredAndMovesWhenPressed) {
  // The installer's button, 75 by 21, with a caption 40 by 13; odd remainders truncate.
  EXPECT_EQ(CaptionRect(TSize{75, 21}, TSize{40, 13}, 1), (TRect{16, 4, 60, 17}));
  EXPECT_EQ(CaptionRect(TSize{75, 21}, TSize{40, 13}, 2), (TRect{17, 5, 61, 18}));
  EXPECT_EQ(CaptionMeasureWidth(75, true), 0); // an empty caption measures 0 wide: centred on the button
  EXPECT_EQ(CaptionRect(TSize{75, 21}, TSize{0, 13}, 0), (TRect{36, 4, 40, 17}));
  EXPECT_EQ(FocusMarkRect(TRect{16, 4, 60, 17}, 1), (TRect{15, 3, 61, 18}));
}

} // namespace
