#pragma once
// Moving or sizing a window by an outline: while the mouse is held, an inverted rectangle on the screen
// follows it (moved whole, or with the edges the drag kind names), and on release the window takes its
// bounds. Losing the mouse capture cancels without moving.

#include <windows.h>

#include <optional>

#include "toolkit/ui/Graphics.h"

class TsOutlineTracker {
public:
  // dragKind: DragKind of skin/frame/FrameTracking.h; anchor: the mouse's screen position at the start;
  // minimum: the smallest outline when sizing.
  TsOutlineTracker(HWND window, int dragKind, POINT anchor, SIZE minimum);
  // Erases the outline and gives the capture back when still tracking.
  ~TsOutlineTracker();
  TsOutlineTracker(const TsOutlineTracker &) = delete;
  TsOutlineTracker &operator=(const TsOutlineTracker &) = delete;

  // The mouse is at screen point.
  void MoveTo(POINT screen);
  RECT Bounds() const { return bounds_; }
  // Erases the outline and moves the window to it.
  void Finish();
  // Erases the outline and leaves the window where it was.
  void Cancel();

private:
  void DrawOutline();
  void Stop();

  HWND window_;
  int dragKind_;
  POINT anchor_;
  SIZE minimum_;
  RECT start_;
  RECT bounds_;
  std::optional<WindowDC> screen_;
};
