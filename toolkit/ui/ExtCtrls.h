#pragma once
// The timer and the window-less image.

#include "toolkit/ui/Controls.h"

// Raises OnTimer every Interval milliseconds while Enabled. Subclasses override Timer for their tick.
class TTimer : public TComponent {
  TK_CLASS(TTimer)
public:
  explicit TTimer(TComponent *owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  unsigned Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  TNotifyEvent OnTimer;
  void Loaded() override;

protected:
  virtual void Timer();

private:
  friend LRESULT CALLBACK TimerWindowProc(HWND, UINT, WPARAM, LPARAM);
  void UpdateTimer();

  HWND window_ = nullptr;
  bool enabled_ = true;
  unsigned interval_ = 1000;
};

// Shows an icon or a bitmap, centred or stretched.
class TImage : public TGraphicControl {
  TK_CLASS(TImage)
public:
  explicit TImage(TComponent *owner);
  TBitmap &Bitmap() { return bitmap_; }
  // An icon drawn at its own size; a shared (system) icon is not destroyed.
  void SetIcon(HICON icon);
  HICON Icon() const { return icon_; }
  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);

protected:
  void Paint() override;

private:
  TBitmap bitmap_;
  HICON icon_ = nullptr;
  bool center_ = false, stretch_ = false;
};
