#include <gtest/gtest.h>

#include "skin/controls/ProgressGeometry.h"

namespace {

// The installer's bar: 425 by 16, no frame, positions 0 to 7, blocks.
TsProgressBarShape InstallerBar(int position) {
  TsProgressBarShape bar;
  bar.Bar = bar.Client = TSize{425, 16};
  bar.Max = 7;
  bar.Position = position;
  return bar;
}

TsProgressBarShape Vertical(TsProgressBarShape bar) {
  bar.Orientation = TsBarOrientation::Vertical;
  bar.Bar = TSize{bar.Bar.Height, bar.Bar.Width};
  bar.Client = TSize{bar.Client.Height, bar.Client.Width};
  return bar;
}

TEST(ProgressGeometry, TheInstallersBarShowsItsStepsAsBlocksOfEightByFifteen) {
  EXPECT_TRUE(LayOutProgress(InstallerBar(0)).Pieces.empty()); // the trough alone

  const TsProgressLayout first = LayOutProgress(InstallerBar(1));
  EXPECT_EQ(first.BlockCount, 42);
  EXPECT_EQ(first.BlockLength, 8);
  EXPECT_EQ(first.Thickness, 15);
  EXPECT_EQ(first.Gap, 2);
  EXPECT_EQ(first.Area, (TRect{1, 1, 61, 15})); // 1 + nearest(423 / 7)
  ASSERT_EQ(first.Pieces.size(), 6u);           // nearest(1 x 42 / 7)
  EXPECT_EQ(first.Pieces[0], (TRect{1, 1, 9, 16}));
  EXPECT_EQ(first.Pieces[5], (TRect{51, 1, 59, 16}));

  const TsProgressLayout full = LayOutProgress(InstallerBar(7));
  EXPECT_EQ(full.Area, (TRect{1, 1, 424, 15}));
  ASSERT_EQ(full.Pieces.size(), 43u);
  EXPECT_EQ(full.Pieces[41], (TRect{411, 1, 419, 16}));
  // The remainder block, 5 long at x = 421: it does not leave out the gap before it, so it runs 2 columns
  // past the area (one past the bar), and the blocks are a row thicker than the area. What is painted is
  // cut to the area, so the trough's frame shows all round.
  EXPECT_EQ(full.Pieces[42], (TRect{421, 1, 426, 16}));
  EXPECT_EQ(VisiblePart(full.Pieces[42], full.Area), (TRect{421, 1, 424, 15}));
  EXPECT_EQ(VisiblePart(full.Pieces[0], full.Area), (TRect{1, 1, 9, 15}));

  // A remainder of 3 pixels or less stays empty: 422 wide leaves 2.
  TsProgressBarShape narrower = InstallerBar(7);
  narrower.Bar.Width = narrower.Client.Width = 422;
  EXPECT_EQ(LayOutProgress(narrower).Pieces.size(), 42u);
  // A bar with room for one block at most shows the trough alone.
  TsProgressBarShape shortBar = InstallerBar(7);
  shortBar.Bar.Width = shortBar.Client.Width = 20;
  EXPECT_TRUE(LayOutProgress(shortBar).Pieces.empty());
}

TEST(ProgressGeometry, VerticalBarsFillUpwardAndSmoothBarsTakeOnePiece) {
  const TsProgressLayout first = LayOutProgress(Vertical(InstallerBar(1)));
  EXPECT_EQ(first.Area, (TRect{1, 364, 15, 424}));
  ASSERT_EQ(first.Pieces.size(), 6u);
  EXPECT_EQ(first.Pieces[0], (TRect{1, 416, 16, 424})); // the first block at the bottom
  for (size_t i = 1; i < first.Pieces.size(); ++i)
    EXPECT_EQ(first.Pieces[i].Top, first.Pieces[i - 1].Top - 10);
  const TsProgressLayout full = LayOutProgress(Vertical(InstallerBar(7)));
  ASSERT_EQ(full.Pieces.size(), 43u);
  EXPECT_EQ(full.Pieces[42], (TRect{1, 1, 16, 6})); // topped up from the area's top: 425 - 42 x 10 long

  TsProgressBarShape smooth = InstallerBar(3);
  smooth.Smooth = true;
  const TsProgressLayout strip = LayOutProgress(smooth);
  ASSERT_EQ(strip.Pieces.size(), 1u);
  EXPECT_EQ(strip.Pieces[0], (TRect{1, 1, 182, 16})); // 1 + nearest(423 x 3 / 7)
  const TsProgressLayout column = LayOutProgress(Vertical(smooth));
  ASSERT_EQ(column.Pieces.size(), 1u);
  EXPECT_EQ(column.Pieces[0], (TRect{1, 243, 16, 424}));
}

TEST(ProgressGeometry, ThePositionCountsFromTheMinimumAndABarWithoutRangeShowsNoProgress) {
  TsProgressBarShape bar = InstallerBar(0);
  bar.Min = bar.Max = 0;
  EXPECT_TRUE(LayOutProgress(bar).Pieces.empty());
  EXPECT_EQ(LayOutProgress(bar).Area, TRect{});

  // A maximum of 0 below a negative minimum: half way shows half the blocks, the maximum all of them.
  bar.Min = -10;
  bar.Position = -5;
  const TsProgressLayout half = LayOutProgress(bar);
  EXPECT_EQ(half.Area.Right, 213); // 1 + nearest(211.5), the even neighbour
  EXPECT_EQ(half.Pieces.size(), 21u);
  bar.Position = 0;
  EXPECT_EQ(LayOutProgress(bar).Pieces.size(), 43u);
  bar.Position = -10;
  EXPECT_TRUE(LayOutProgress(bar).Pieces.empty());
}

} // namespace
