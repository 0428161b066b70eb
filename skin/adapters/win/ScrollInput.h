#pragma once
// The mouse on skinned scroll bars. There is one mouse, so one interaction at a time for all scroll-bar
// adapters: the pressed part (its scroll code sent once, again after 300 ms and then every 55 ms while the
// mouse stays on it), the dragged thumb, and the hot part under the mouse (followed every 20 ms). The
// window being scrolled holds the capture and the timers.

#include <windows.h>

#include <optional>

#include "skin/adapters/ScrollBarGeometry.h"
#include "toolkit/ui/Messages.h"

class TacScrollWnd;

class TacScrollInput {
public:
  // Mouse, capture and timer messages of the adapter's window; true when consumed.
  static bool Handle(TacScrollWnd &adapter, TMessage &m);
  // The adapter goes: an interaction on its bars ends without a word to the window.
  static void Forget(TacScrollWnd &adapter);

  // How the bar is to be drawn now.
  static TacScrollPart DrawnPressed(const TacScrollWnd &adapter, int bar);
  static TacScrollPart Hot(const TacScrollWnd &adapter, int bar);
  static std::optional<int> DraggedThumbStart(const TacScrollWnd &adapter, int bar);

  static constexpr UINT_PTR RepeatDelayTimer = 0xFFFD; // 300 ms after the press
  static constexpr UINT_PTR RepeatTimer = 0xFFFE;      // every 55 ms after that
  static constexpr UINT_PTR HoverTimer = 0xFFF2;       // every 20 ms while the mouse is over a bar
  static constexpr UINT RepeatDelay = 300;
  static constexpr UINT RepeatInterval = 55;
  static constexpr UINT HoverInterval = 20;

private:
  static bool Press(TacScrollWnd &adapter, int bar, POINT screen);
  static void Move(TacScrollWnd &adapter, POINT screen);
  // The press ends (button released or capture lost): the closing scroll codes go out.
  static void Release(TacScrollWnd &adapter, bool releaseCapture);
  static void Repeat(TacScrollWnd &adapter);
  static void Hover(TacScrollWnd &adapter, int bar);
  static void HoverTick(TacScrollWnd &adapter);
};
