#include <gtest/gtest.h>

#include "skin/controls/EditBorder.h"

namespace {

TEST(EditBorder, TheFrameIsCutByTheBorderStyleOrTheBevels) {
  EXPECT_EQ(EditFrameWidth({true, true, false, true, true}), 2);
  EXPECT_EQ(EditFrameWidth({true, false, false, true, true}), 1);
  EXPECT_EQ(EditFrameWidth({false, true, false, true, false}), 1);
  EXPECT_EQ(EditFrameWidth({false, true, false, false, false}), 0); // no frame is drawn
  // The text stands in by the border style's share, and by the bevels only when a bevel kind is set.
  EXPECT_EQ(EditTextInset({true, true, false, true, true}), 2);
  EXPECT_EQ(EditTextInset({false, true, false, true, true}), 0);
  EXPECT_EQ(EditTextInset({false, true, true, true, true}), 2);
}

} // namespace
