#include <gtest/gtest.h>

#include "skin/controls/ProgressGeometry.h"

namespace {

// The installer's bar: 425 by 16, no frame, positions 0 to 7, blocks.
TsProgressBarShape InstallerBar(int position, bool vertical = false) {
  TsProgressBarShape bar;
  bar.Bar = bar.Client = vertical ? TSize{16, 425} : TSize{425, 16};
  bar.Orientation = vertical ? TsBarOrientation::Vertical : TsBarOrientation::Horizontal;
  bar.Max = 7;
  bar.Position = position;
  return bar;
}

TEST(ProgressGeometry, TheInstallersBarShowsItsStepsAsBlocksOfEightByFifteen) {
  EXPECT_TRUE(LayOutProgress(InstallerBar(0)).Pieces.empty()); // the trough alone
  const TsProgressLayout first = LayOutProgress(InstallerBar(1));
  EXPECT_EQ(first.BlockCount, 42);
  EXPECT_EQ(first.Gap, 2);
  EXPECT_EQ(first.Area, (TRect{1, 1, 61, 15})); // 1 + nearest(423 / 7)
  ASSERT_EQ(first.Pieces.size(), 6u);           // nearest(1 x 42 / 7)
  EXPECT_EQ(first.Pieces[0], (TRect{1, 1, 9, 16}));
  EXPECT_EQ(first.Pieces[5], (TRect{51, 1, 59, 16}));

  const TsProgressLayout full = LayOutProgress(InstallerBar(7));
  EXPECT_EQ(full.Area, (TRect{1, 1, 424, 15}));
  ASSERT_EQ(full.Pieces.size(), 43u);
  EXPECT_EQ(full.Pieces[41], (TRect{411, 1, 419, 16}));
  // The remainder block, 5 long at x = 421, leaves out no gap before it, so it runs 2 columns past the
  // area (one past the bar), and every block is a row thicker than the area: what is painted is cut to
  // the area, and the trough's frame shows all round.
  EXPECT_EQ(full.Pieces[42], (TRect{421, 1, 426, 16}));
  EXPECT_EQ(VisiblePart(full.Pieces[42], full.Area), (TRect{421, 1, 424, 15}));

  TsProgressBarShape narrower = InstallerBar(7); // leaves a remainder of 2: no remainder block
  narrower.Bar.Width = narrower.Client.Width = 422;
  EXPECT_EQ(LayOutProgress(narrower).Pieces.size(), 42u);
  narrower.Bar.Width = narrower.Client.Width = 20; // room for one block at most: the trough alone
  EXPECT_TRUE(LayOutProgress(narrower).Pieces.empty());
}

TEST(ProgressGeometry, VerticalBarsFillUpwardAndSmoothBarsTakeOnePiece) {
  const TsProgressLayout first = LayOutProgress(InstallerBar(1, true));
  EXPECT_EQ(first.Area, (TRect{1, 364, 15, 424}));
  ASSERT_EQ(first.Pieces.size(), 6u);
  EXPECT_EQ(first.Pieces[0], (TRect{1, 416, 16, 424})); // the first block at the bottom, the next above it
  EXPECT_EQ(first.Pieces[1], (TRect{1, 406, 16, 414}));
  const TsProgressLayout full = LayOutProgress(InstallerBar(7, true));
  ASSERT_EQ(full.Pieces.size(), 43u);
  EXPECT_EQ(full.Pieces[42], (TRect{1, 1, 16, 6})); // topped up from the area's top: 425 - 42 x 10 long

  TsProgressBarShape smooth = InstallerBar(3);
  smooth.Smooth = true;
  EXPECT_EQ(LayOutProgress(smooth).Pieces, (std::vector<TRect>{{1, 1, 182, 16}})); // 1 + nearest(423 x 3 / 7)
}

TEST(ProgressGeometry, ThePositionCountsFromTheMinimumAndABarWithoutRangeShowsNoProgress) {
  TsProgressBarShape bar = InstallerBar(0);
  bar.Max = 0;
  EXPECT_EQ(LayOutProgress(bar).Area, TRect{});
  // A maximum of 0 above a negative minimum: half way shows half the blocks, the maximum all of them.
  bar.Min = -10;
  bar.Position = -5;
  const TsProgressLayout half = LayOutProgress(bar);
  EXPECT_EQ(half.Area.Right, 213); // 1 + nearest(211.5), the even neighbour
  EXPECT_EQ(half.Pieces.size(), 21u);
  bar.Position = 0;
  EXPECT_EQ(LayOutProgress(bar).Pieces.size(), 43u);
}

} // namespace
