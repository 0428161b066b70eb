// The frame's arithmetic without windows: where the installer window's title buttons and icon stand, the
// icon sizes per caption height, what the title hits, which buttons and menu items a form gets, snapping
// and the dragged outline.
#include <gtest/gtest.h>

#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FrameTracking.h"
#include "skin/frame/TitleBar.h"

namespace {

// A system with dialog frames of 3, sizing frames of 4 and captions of 18 (small ones 15).
constexpr TsFrameMetrics Metrics{18, 15, 3, 3, 4, 4};

TsFrameGeometry InstallerGeometry() {
  TsFrameShape shape;
  shape.Border = TsBorderKind::bsSingle;
  shape.Window = {446, 351};
  shape.Client = {440, 327};
  return ComputeFrameGeometry(shape, Metrics);
}

TsTitleState InstallerTitle() {
  return {TsBorderKind::bsSingle, TitleIcons::SystemMenu | TitleIcons::Minimize, TsWindowState::Normal, false};
}

std::vector<TsTitleSlot> PlacedSlots(const TsTitleState &state, const TsFrameGeometry &g, int width, int height,
                                     int space, int userButtons = 0) {
  std::vector<TsTitleSlot> slots = TitleSlots(state, TitleRules(state), userButtons);
  for (TsTitleSlot &slot : slots)
    slot.Width = width;
  PlaceTitleSlots(slots, g, height, space);
  return slots;
}

TEST(FrameGeometry, TheInstallerWindowHasADialogFrameACaptionAndItsClientAreaInside) {
  const TsFrameGeometry g = InstallerGeometry();
  EXPECT_EQ(g.CaptionBarHeight, 18);
  EXPECT_EQ(g.FrameX, 3);
  EXPECT_EQ(g.FrameY, 3);
  EXPECT_EQ(g.TopBand, 21);
  EXPECT_EQ(g.ClientOffsetX, 3);
  EXPECT_EQ(g.ClientOffsetY, 21);
  EXPECT_EQ(ClientOrigin(g).X, 3);
  // A 16-pixel icon at the left, centred on the title's middle line.
  EXPECT_EQ(AutoIconSide(g.CaptionBarHeight), 16);
  EXPECT_EQ(TitleIconRect(g, {16, 16}), (TRect{3, 2, 19, 18}));
  // The strips that reach the screen cover the frame and leave the client area out.
  const TsFrameStrips s = FrameStrips(g, false);
  EXPECT_EQ(s.Top, (TRect{0, 0, 446, 21}));
  EXPECT_EQ(s.Left, (TRect{0, 21, 3, 351}));
  EXPECT_EQ(s.Right, (TRect{443, 21, 446, 351}));
  EXPECT_EQ(s.Bottom, (TRect{3, 348, 443, 351}));
}

TEST(FrameGeometry, IconSidesFollowTheCaptionHeightAndWindowsWithoutBorderHaveNoFrame) {
  const std::pair<int, int> sides[] = {{8, 0}, {9, 8}, {16, 8}, {17, 16}, {27, 16}, {28, 32}};
  for (auto [caption, side] : sides)
    EXPECT_EQ(AutoIconSide(caption), side) << caption;
  TsFrameShape shape;
  shape.Border = TsBorderKind::bsNone;
  shape.Window = {200, 100};
  shape.Client = {200, 100};
  const TsFrameGeometry g = ComputeFrameGeometry(shape, Metrics);
  EXPECT_EQ(g.CaptionBarHeight, 0);
  EXPECT_EQ(g.FrameX, 0);
  EXPECT_EQ(g.FrameY, 0);
  EXPECT_EQ(g.ClientOffsetY, 0);
  EXPECT_FALSE(IconShows(TsBorderKind::bsDialog, true));
  EXPECT_FALSE(IconShows(TsBorderKind::bsSingle, false));
  // A tool window takes the small caption; a sizeable one the sizing frame.
  shape.Border = TsBorderKind::bsSizeToolWin;
  shape.Client = {192, 77};
  EXPECT_EQ(ComputeFrameGeometry(shape, Metrics).CaptionBarHeight, 15);
  EXPECT_EQ(ComputeFrameGeometry(shape, Metrics).FrameX, 4);
}

TEST(TitleBar, TheInstallerWindowShowsMinimizeAndCloseAtTheRightEnd) {
  const TsFrameGeometry g = InstallerGeometry();
  // 18 x 16 button pictures without space between them: Close spans 425 to 443, Minimize 407 to 425.
  const std::vector<TsTitleSlot> slots = PlacedSlots(InstallerTitle(), g, 18, 16, 0);
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].Element, TitleHit::Close);
  EXPECT_EQ(slots[0].Bounds, (TRect{425, 2, 443, 18}));
  EXPECT_EQ(slots[1].Element, TitleHit::MinButton);
  EXPECT_EQ(slots[1].Bounds, (TRect{407, 2, 425, 18}));
  EXPECT_EQ(TitleButtonsWidth(slots, 1), 38);
  // Buttons lower than 16 pixels sit two pixels lower.
  EXPECT_EQ(PlacedSlots(InstallerTitle(), g, 13, 13, 0)[0].Bounds.Top, 6);

  const TsTitleRules r = TitleRules(InstallerTitle());
  EXPECT_TRUE(r.CloseVisible && r.MinVisible && r.MinEnabled);
  EXPECT_FALSE(r.MaxVisible);
  // The system menu shows Restore and Size disabled.
  EXPECT_TRUE(r.RestoreVisible && r.SizeVisible);
  EXPECT_FALSE(r.RestoreEnabled || r.SizeEnabled);
  EXPECT_TRUE(r.MoveEnabled);
}

TEST(TitleBar, APointOfTheTitleHitsTheIconTheButtonThatWorksOrTheCaption) {
  const TsFrameGeometry g = InstallerGeometry();
  TsTitleState state = InstallerTitle();
  std::vector<TsTitleSlot> slots = PlacedSlots(state, g, 21, 18, 1, 1);
  slots[2].Enabled = false; // the user button
  const TsTitleRules rules = TitleRules(state);
  auto hit = [&](int x, int y, int iconWidth = 16) {
    return TitleHitTest({x, y}, g, 18, iconWidth, slots, rules, false);
  };
  EXPECT_EQ(hit(10, 10), TitleHit::SysMenu);
  EXPECT_EQ(hit(10, 10, 0), TitleHit::Caption); // no icon shows: no icon zone
  EXPECT_EQ(hit(430, 10), TitleHit::Close);
  EXPECT_EQ(hit(410, 10), TitleHit::MinButton);
  EXPECT_EQ(hit(390, 10), TitleHit::Caption); // the disabled user button
  EXPECT_EQ(hit(200, 10), TitleHit::Caption);
  EXPECT_EQ(hit(430, 25), TitleHit::Nowhere); // below the button band
  // A minimised-to-the-limit form: Minimize does not work and is hit as the caption.
  state.State = TsWindowState::Minimized;
  EXPECT_EQ(TitleHitTest({410, 10}, g, 18, 16, slots, TitleRules(state), false), TitleHit::Caption);

  // Minimize and Help without Maximize: each button answers for itself.
  const TsTitleState helped{TsBorderKind::bsSizeable, TitleIcons::SystemMenu | TitleIcons::Minimize | TitleIcons::Help,
                            TsWindowState::Normal, false};
  const std::vector<TsTitleSlot> three = PlacedSlots(helped, g, 21, 18, 0);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(TitleHitTest({three[2].Bounds.Left + 3, 10}, g, 18, 16, three, TitleRules(helped), false), TitleHit::Help);
  EXPECT_EQ(TitleHitTest({three[1].Bounds.Left + 3, 10}, g, 18, 16, three, TitleRules(helped), false),
            TitleHit::MinButton);
}

TEST(TitleBar, MaximizeShowsOnlyWithItsIconAndTheStateDecidesWhatWorks) {
  TsTitleState state{TsBorderKind::bsSizeable, TitleIcons::SystemMenu | TitleIcons::Maximize, TsWindowState::Normal,
                     false};
  TsTitleRules r = TitleRules(state);
  EXPECT_TRUE(r.MaxVisible && r.MaxEnabled);
  EXPECT_FALSE(r.MinVisible || r.RestoreEnabled);
  state.State = TsWindowState::Maximized;
  r = TitleRules(state);
  EXPECT_FALSE(r.MaxEnabled || r.MoveEnabled);
  EXPECT_TRUE(r.RestoreEnabled);
  state.BorderIcons = 0;
  r = TitleRules(state);
  EXPECT_FALSE(r.CloseVisible || r.MaxVisible);
  EXPECT_TRUE(TitleSlots(state, r, 0).empty());
}

TEST(FrameTracking, AWindowSnapsToCloseWorkAreaEdgesAndAnOutlineKeepsItsMinimum) {
  const TRect work{0, 0, 1024, 738};
  EXPECT_EQ(SnapToWorkArea({1024 - 300 - 9, 5}, {300, 200}, work, {0, 0}, 10).X, 724);
  EXPECT_EQ(SnapToWorkArea({1024 - 300 - 9, 5}, {300, 200}, work, {0, 0}, 10).Y, 0);
  EXPECT_EQ(SnapToWorkArea({500, 300}, {300, 200}, work, {0, 0}, 10).X, 500); // far from every edge
  EXPECT_EQ(SnapToWorkArea({-8, 530}, {300, 200}, work, {0, 0}, 10).X, 0);
  EXPECT_EQ(SnapToWorkArea({-8, 530}, {300, 200}, work, {0, 0}, 10).Y, 538);

  const TRect start{100, 100, 400, 300};
  EXPECT_EQ(TrackOutline(start, DragKind::Move, {15, -5}, {}), (TRect{115, 95, 415, 295}));
  EXPECT_EQ(TrackOutline(start, DragKind::BottomRight, {40, 20}, {120, 80}), (TRect{100, 100, 440, 320}));
  // Pulled past the minimum, the edge stays where the minimum puts it.
  EXPECT_EQ(TrackOutline(start, DragKind::TopLeft, {250, 180}, {120, 80}), (TRect{280, 220, 400, 300}));
  EXPECT_EQ(TrackOutline(start, DragKind::Right, {-500, 0}, {120, 80}), (TRect{100, 100, 220, 300}));
}

} // namespace
