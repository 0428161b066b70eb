#include "skin/frame/win/OutlineTracker.h"

#include "skin/frame/FrameTracking.h"

TsOutlineTracker::TsOutlineTracker(HWND window, int dragKind, POINT anchor, SIZE minimum)
    : window_(window), dragKind_(dragKind), anchor_(anchor), minimum_(minimum) {
  GetWindowRect(window, &start_);
  bounds_ = start_;
  screen_.emplace(nullptr);
  SetCapture(window);
  DrawOutline();
}

TsOutlineTracker::~TsOutlineTracker() { Stop(); }

void TsOutlineTracker::DrawOutline() {
  if (!screen_) return;
  HDC dc = screen_->Get();
  DcStateScope state(dc);
  SetROP2(dc, R2_NOT);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  const POINT corners[5] = {{bounds_.left, bounds_.top},
                            {bounds_.right - 1, bounds_.top},
                            {bounds_.right - 1, bounds_.bottom - 1},
                            {bounds_.left, bounds_.bottom - 1},
                            {bounds_.left, bounds_.top}};
  Polyline(dc, corners, 5);
}

void TsOutlineTracker::MoveTo(POINT screen) {
  if (!screen_) return;
  DrawOutline(); // drawn again, the inverted outline is gone
  const TRect r = TrackOutline({start_.left, start_.top, start_.right, start_.bottom}, dragKind_,
                               {screen.x - anchor_.x, screen.y - anchor_.y}, {minimum_.cx, minimum_.cy});
  bounds_ = {r.Left, r.Top, r.Right, r.Bottom};
  DrawOutline();
}

void TsOutlineTracker::Stop() {
  if (!screen_) return;
  DrawOutline();
  screen_.reset();
  if (GetCapture() == window_) ReleaseCapture();
}

void TsOutlineTracker::Finish() {
  if (!screen_) return;
  Stop();
  MoveWindow(window_, bounds_.left, bounds_.top, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top, TRUE);
}

void TsOutlineTracker::Cancel() { Stop(); }
