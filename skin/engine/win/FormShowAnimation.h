#pragma once
// The form-show animation: a form fades in from what the screen showed under it, drawn on an output
// window laid over the form, in frames 8 ms apart for about the given time.

#include <cstdint>
#include <functional>

#include "toolkit/ui/Forms.h"

// Blocks for about time milliseconds; with time 7 or less the form is shown at once. The form is
// redrawn afterwards.
void AnimShowForm(TCustomForm &form, int time);

// Watches the frames that the output window shows (tests and the timing of frames); null: none.
using TsFormShowFrameWatch = std::function<void(int frame, uint8_t weight)>;
void SetFormShowFrameWatch(TsFormShowFrameWatch watch);
