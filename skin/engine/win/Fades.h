#pragma once
// Fades: a skinned button's change of look shown as a short cross-fade from the old look to the new one,
// one frame every 10 ms. TsFadeTimer serves windowed buttons (the frame goes to the button's window),
// TsAnimTimer windowless ones (the button paints the frame while its parent paints it).
//
// A button keeps its timer in a slot (std::unique_ptr) and calls RequestFade when its state changes:
//
//   RequestFade(fade_, SkinData, /*half*/ false, FadeMode::Towards, EventAnimates(beMouseEnter, AnimatEvents));
//
// It answers AC_PREPAREPAINT by rendering its cache in the new state without showing it, AC_PAINTFADE
// (lParam: the frame, an Image24) by drawing the frame itself or answering 0, and AC_STOPFADE with
// StopFade. A fade ends on the new look: its last frame is the cache image itself.

#include <memory>

#include "skin/engine/FadeSteps.h"
#include "skin/pixels/Image24.h"
#include "skin/engine/win/CommonData.h"
#include "toolkit/ui/ExtCtrls.h"

class TsFadeTimer : public TTimer {
  TK_CLASS(TsFadeTimer)
public:
  TsFadeTimer();

  FadeMode Mode() const { return mode_; }
  // None disables the timer; a fade mode enables it (a negative step becomes 1).
  void SetMode(FadeMode mode);
  TsCommonData *SkinDataRef = nullptr;
  int StepTotal = 0;
  int StepNo = 1;
  // The control's look before the change.
  Image24 StartImage;

  // One frame, or the end of the fade.
  void Tick();

protected:
  void Timer() override;

private:
  FadeMode mode_ = FadeMode::None;
};

using TsFadeSlot = std::unique_ptr<TsFadeTimer>;

// Repaints with a fade when animate is set, no skin is being applied, the section fades, the control has a
// cache image and its cache is up to date; otherwise at once (stopping a running fade).
void RequestFade(TsFadeSlot &slot, TsCommonData &data, bool half, FadeMode mode, bool animate);
void StartFade(TsFadeSlot &slot, TsCommonData &data, bool half, FadeMode mode);
void StopFade(TsFadeSlot &slot);

class TsAnimTimer : public TTimer {
  TK_CLASS(TsAnimTimer)
public:
  TsAnimTimer();

  TsCommonData *SkinDataRef = nullptr;
  int StepTotal = 0;
  int StepNo = 0;
  Image24 StartImage;
  // The frame the control shows while it repaints during a tick.
  Image24 FrameImage;
  bool Busy = false;

  // Binds the timer to the data: 10 ms ticks, the section's iterations (halved with half).
  void Prepare(TsCommonData &data, bool half);
  void Tick();

protected:
  void Timer() override;
};

using TsAnimSlot = std::unique_ptr<TsAnimTimer>;

// Starts the fade of a windowless control: the running one is replaced, going on from the steps it had
// left; repaintCache renders the cache in the new state. The first frame is made at once.
void StartAnimation(TsAnimSlot &slot, TsCommonData &data, bool half, const std::function<void()> &repaintCache);
