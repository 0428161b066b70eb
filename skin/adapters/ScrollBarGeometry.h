#pragma once
// The arithmetic of skinned scroll bars that needs no window: where the bars of a window lie once its own
// border is known, how long the thumb is and where it stands for a scroll range, which part of a bar lies
// under a point, and the scroll position a dragged thumb stands for. Lengths run along a bar from its
// start (left or top); rectangles are in one coordinate system of the caller's choice (screen or window).

#include "skin/pixels/Geometry.h"

// A window's scroll range as SCROLLINFO gives it.
struct TacScrollRange {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
};

// The parts of a bar; each number is the scroll code that the part sends.
enum TacScrollPart : int {
  spNone = -1,
  spLineUp = 0,   // up or left arrow
  spLineDown = 1, // down or right arrow
  spPageUp = 2,   // page area before the thumb
  spPageDown = 3, // page area after the thumb
  spThumb = 5,
};

// No thumb is drawn shorter than this.
constexpr int MinThumbLength = 10;

// a * b / c rounded half away from zero, as the system's MulDiv; -1 when c is 0.
int MulDivRounded(int a, int b, int c);

// The length between the arrows.
constexpr int TrackLength(int barLength, int arrowLength) { return barLength - 2 * arrowLength; }
// Both arrows fit at their full length; otherwise each takes half of the bar.
constexpr bool ArrowsFit(int barLength, int arrowLength) { return 2 * arrowLength <= barLength; }

// The thumb along a bar: its start counted from the bar's start (after the first arrow) and its length;
// a length of 0 means no thumb.
struct TacThumb {
  int Start = 0;
  int Length = 0;
};

// As long as an arrow for a page of 0, else the page's share of the track, never below MinThumbLength;
// 0 for an empty range.
int ThumbLength(const TacScrollRange &range, int trackLength, int arrowLength);
TacThumb ThumbOf(const TacScrollRange &range, int barLength, int arrowLength);
// The thumb fills the whole track (or there is none): the bar has no thumb and no page areas.
bool HasThumb(const TacThumb &thumb, int barLength, int arrowLength);

// The part at a point counted from the bar's start; spNone outside the bar.
TacScrollPart PartAt(int at, const TacScrollRange &range, int barLength, int arrowLength);

// The position a thumb dragged to offset (from the end of the first arrow) stands for: from Min up to the
// last position that still shows a whole page (Max for a page of 0); the offset itself for a range of one
// position or none.
int ThumbDragPosition(const TacScrollRange &range, int offset, int trackLength, int thumbLength);

// What the window's own border and its scroll-bar styles leave for the client area and the bars.
struct TacBarLayoutInput {
  TRect Window; // the proposed window rectangle
  TRect Client; // the client rectangle the window computed without scroll-bar styles
  bool HorzPresent = false;
  bool VertPresent = false;
  bool LeftScrollBar = false; // WS_EX_LEFTSCROLLBAR
  int HorzThickness = 0;      // height of the horizontal bar
  int VertThickness = 0;      // width of the vertical bar
};

struct TacBarLayout {
  // Widths of the window's own border on each side.
  int EdgeLeft = 0;
  int EdgeTop = 0;
  int EdgeRight = 0;
  int EdgeBottom = 0;
  bool HorzVisible = false;
  bool VertVisible = false;
  // The client rectangle with the visible bars taken off.
  TRect Client;
};

// A present bar is visible when the client area is at least as high (horizontal bar) or wide (vertical
// bar) as the bar is thick; a visible bar takes its room off the client area's bottom or right (left).
TacBarLayout LayOutBars(const TacBarLayoutInput &input);

// The bars and the box where they meet, for a window rectangle and its layout; empty when not visible.
TRect HorzBarRect(const TRect &window, const TacBarLayout &layout, int horzThickness, int vertThickness,
                  bool leftScrollBar);
TRect VertBarRect(const TRect &window, const TacBarLayout &layout, int horzThickness, int vertThickness,
                  bool leftScrollBar);
TRect BarBoxRect(const TRect &window, const TacBarLayout &layout, int horzThickness, int vertThickness,
                 bool leftScrollBar);
