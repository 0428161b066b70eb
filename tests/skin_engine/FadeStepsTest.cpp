// The arithmetic of fades, of the form-show animation and of control kinds.

#include <gtest/gtest.h>

#include "skin/engine/ControlKinds.h"
#include "skin/engine/FadeSteps.h"

namespace {

TEST(FadeSteps, FiveIterationsBlendWithFallingWeightsDownToTheNewLook) {
  std::vector<int> weights;
  for (int step = 1; step <= 5; ++step)
    weights.push_back(FadeWeight(step, 5));
  EXPECT_EQ(weights, (std::vector<int>{204, 153, 102, 51, 0}));
  EXPECT_EQ(FadeWeight(20, 20), 0);
  EXPECT_EQ(FadeWeight(0, 20), 255);
  EXPECT_EQ(FadeWeight(1, 0), 0); // no steps: the new look at once
}

TEST(FadeSteps, ReversingAFadeTakesTheStepsAlreadyDone) {
  const FadeStart fresh = StartFadeSteps(FadeMode::None, 1, 5, false);
  EXPECT_EQ(fresh.StepTotal, 5);
  EXPECT_EQ(fresh.StepNo, 1);
  const FadeStart reversed = StartFadeSteps(FadeMode::Towards, 2, 5, false);
  EXPECT_EQ(reversed.StepTotal, 2);
  EXPECT_EQ(reversed.StepNo, 1);
  const FadeStart back = StartFadeSteps(FadeMode::Back, 2, 5, false);
  EXPECT_EQ(back.StepTotal, 3);
  EXPECT_EQ(back.StepNo, 2);
  const FadeStart half = StartFadeSteps(FadeMode::None, 1, 20, true);
  EXPECT_EQ(half.StepTotal, 10);
  EXPECT_EQ(StartFadeSteps(FadeMode::None, -3, 5, false).StepNo, 1);
}

TEST(FadeSteps, EventsFadeByTheButtonsOwnSetOrTheGlobalOne) {
  const TacAnimatEvents global = 1u << aeGlobalDef;
  EXPECT_FALSE(EventAnimates(beMouseEnter, global, 0));
  EXPECT_TRUE(EventAnimates(beMouseEnter, global, AllBtnEvents));
  EXPECT_FALSE(EventAnimates(beMouseDown, global, 1u << beMouseEnter));
  // A button with its own events fades whatever the global setting says.
  EXPECT_TRUE(EventAnimates(beMouseUp, 1u << aeMouseUp, 0));
  EXPECT_FALSE(EventAnimates(beMouseUp, 1u << aeMouseDown, AllBtnEvents));
}

TEST(FadeSteps, TheFormShowAnimationMakesTimeDiv8PlusOneFrames) {
  const std::vector<uint8_t> weights = FormShowWeights(100);
  ASSERT_EQ(weights.size(), 13u);
  EXPECT_EQ(weights.front(), 255);
  EXPECT_EQ(weights[1], 234);
  EXPECT_EQ(weights.back(), 3);
  EXPECT_TRUE(FormShowWeights(7).empty());
  EXPECT_EQ(FormShowWeights(8), (std::vector<uint8_t>{255, 0}));
}

TEST(ControlKinds, KindsChooseSectionsAndHover) {
  EXPECT_EQ(DefaultSectionOfKind(93), "BUTTON");
  EXPECT_EQ(DefaultSectionOfKind(97), "EDIT");
  EXPECT_EQ(DefaultSectionOfKind(14), "COMBOBOX");
  EXPECT_EQ(DefaultSectionOfKind(161), "GAUGE");
  EXPECT_EQ(DefaultSectionOfKind(226), "GROUPBOX");
  EXPECT_FALSE(DefaultSectionOfKind(224).has_value());
  EXPECT_FALSE(KindShowsHover(161));
  EXPECT_FALSE(KindShowsHover(51));
  EXPECT_FALSE(KindShowsHover(110));
  EXPECT_TRUE(KindShowsHover(93));
  EXPECT_TRUE(KindShowsHover(97));
}

} // namespace
