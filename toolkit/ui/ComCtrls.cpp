#include "toolkit/ui/ComCtrls.h"

#include <commctrl.h>

#include "toolkit/base/MetaClass.h"

const TMetaClass &TProgressBar::StaticMetaClass() {
  return DefineClass<TProgressBar, TWinControl>("TProgressBar", [](TClassBuilder<TProgressBar> &c) {
    c.Int("Min", &TProgressBar::SetMin);
    c.Int("Max", &TProgressBar::SetMax);
    c.Int("Position", &TProgressBar::SetPosition);
    c.Int("Step", &TProgressBar::SetStep);
    c.Bool("Smooth", &TProgressBar::SetSmooth);
    c.Enum<TProgressBarOrientation>("Orientation", &TProgressBar::SetOrientation,
                                    {{"pbHorizontal", int(TProgressBarOrientation::pbHorizontal)},
                                     {"pbVertical", int(TProgressBarOrientation::pbVertical)}});
  });
}

TProgressBar::TProgressBar(TComponent *owner) : TWinControl(owner) {
  SetTabStop(false);
  SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams &p) {
  TWinControl::CreateParams(p);
  p.baseClass = PROGRESS_CLASSW;
  if (smooth_) p.style |= PBS_SMOOTH;
  if (orientation_ == TProgressBarOrientation::pbVertical) p.style |= PBS_VERTICAL;
  if (BorderWidth() > 0) p.style |= WS_BORDER;
}

void TProgressBar::CreateHandleDone() {
  SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageW(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
  SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int v) {
  min_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TProgressBar::SetMax(int v) {
  max_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int TProgressBar::Position() const {
  if (!HandleAllocated()) return position_;
  return static_cast<int>(SendMessageW(const_cast<TProgressBar *>(this)->Handle(), PBM_GETPOS, 0, 0));
}

void TProgressBar::SetPosition(int v) {
  position_ = v < min_ ? min_ : v > max_ ? max_ : v;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetStep(int v) {
  step_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

void TProgressBar::StepIt() { SetPosition(Position() + step_); }

void TProgressBar::SetSmooth(bool v) {
  if (v == smooth_) return;
  smooth_ = v;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  RecreateWnd();
}
