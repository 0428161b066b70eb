#pragma once
// The arithmetic of fades and of the form-show animation: which events fade a button, how many steps a
// fade takes (also when it reverses a running one) and the blend weight of each frame.

#include <cstdint>
#include <vector>

#include "skin/engine/AnimEffects.h"

// A button's own choice of fading events: the four events, or aeGlobalDef for the manager's setting.
enum TacAnimatEvent : uint8_t { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = uint32_t; // bit (1 << event)

// The event (numbered as TacBtnEvent) is in the button's set, or the set holds aeGlobalDef and the event
// is in globalEvents.
bool EventAnimates(TacBtnEvent event, TacAnimatEvents buttonEvents, TacBtnEvents globalEvents = ButtonEventMask());

enum class FadeMode : uint8_t { None = 0, Towards = 1, Back = 2 };

struct FadeStart {
  int StepTotal = 0;
  int StepNo = 1;
};
// The steps of a fade that starts while a fade in runningMode stands at runningStep: a fade reversing
// a running one takes the steps already done; half halves the total. The step restarts at 1 when it is
// out of range.
FadeStart StartFadeSteps(FadeMode runningMode, int runningStep, int iterations, bool half);

// The share of the old look in the frame of step (of total): 255 - step * 256 div total, limited to a
// byte; step total gives 0, the new look alone.
uint8_t FadeWeight(int step, int total);

// The weights of the form-show animation's cross-fade frames for time milliseconds: none for time 7 or
// less, else n + 1 frames for n = time div 8, from 255 down by 255 div n (never below 0).
std::vector<uint8_t> FormShowWeights(int time);
// The pause between two frames of the form-show animation.
constexpr unsigned FormShowFramePauseMs = 8;
// Every fade ticks at this interval, whatever the skin section says.
constexpr unsigned FadeIntervalMs = 10;
