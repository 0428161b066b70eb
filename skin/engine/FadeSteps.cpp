#include "skin/engine/FadeSteps.h"

#include <algorithm>

#include "skin/pixels/PixelAccess.h"

bool EventAnimates(TacBtnEvent event, TacAnimatEvents buttonEvents, TacBtnEvents globalEvents) {
  if (buttonEvents & (1u << event)) return true;
  return (buttonEvents & (1u << aeGlobalDef)) && (globalEvents & (1u << event));
}

FadeStart StartFadeSteps(FadeMode runningMode, int runningStep, int iterations, bool half) {
  FadeStart start{iterations, runningStep};
  if (runningMode == FadeMode::Towards)
    start.StepTotal = runningStep;
  else if (runningMode == FadeMode::Back)
    start.StepTotal = iterations - runningStep;
  if (half) start.StepTotal /= 2;
  if (start.StepNo >= start.StepTotal || start.StepNo <= 0) start.StepNo = 1;
  return start;
}

uint8_t FadeWeight(int step, int total) {
  if (total <= 0) return 0;
  return ClampByte(255 - step * 256 / total);
}

std::vector<uint8_t> FormShowWeights(int time) {
  std::vector<uint8_t> weights;
  if (time <= 7) return weights;
  const int n = time / 8, d = 255 / n;
  for (int i = 0, w = 255; i <= n; ++i, w -= d)
    weights.push_back(static_cast<uint8_t>(std::max(0, w)));
  return weights;
}
