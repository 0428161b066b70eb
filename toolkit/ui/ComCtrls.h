#pragma once
// Common controls: the progress bar (a msctls_progress32 window).

#include "toolkit/ui/Controls.h"

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
  TK_CLASS(TProgressBar)
public:
  explicit TProgressBar(TComponent *owner);

  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  // Read from the window when it exists, so a hook that changed it is seen.
  int Position() const;
  // Sent to the window as PBM_SETPOS, which the window's hooks see and which repaints it.
  void SetPosition(int v);
  int Step() const { return step_; }
  void SetStep(int v);
  void StepIt();
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation v);

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateHandleDone() override;

private:
  int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
  bool smooth_ = false;
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
};
