#pragma once
// Where the parts of a skinned window frame lie: the caption band, the border strips, the client area's
// offset in the whole-window cache, the title icon and the caption text. The system keeps computing the
// frame (the skin does not change its metrics); these are the same values seen from the frame's painter.
// All sizes in pixels; halves are truncated toward zero.

#include <cstdint>

#include "skin/pixels/Geometry.h"

// The border styles of a form, as the frame tells them apart.
enum class TsBorderKind : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// The system metrics the frame follows.
struct TsFrameMetrics {
  int CaptionHeight = 0;      // SM_CYCAPTION
  int SmallCaptionHeight = 0; // SM_CYSMCAPTION
  int DialogFrameX = 0;       // SM_CXDLGFRAME
  int DialogFrameY = 0;       // SM_CYDLGFRAME
  int SizingFrameX = 0;       // SM_CXFRAME
  int SizingFrameY = 0;       // SM_CYFRAME
};

// The window as the frame sees it at one moment.
struct TsFrameShape {
  TsBorderKind Border = TsBorderKind::bsSizeable;
  // The window style has both bits of the caption (a title bar).
  bool FullCaption = true;
  bool Iconic = false;
  // The form's own BorderWidth (space inside the frame).
  int BorderWidth = 0;
  // Outer size of the window (its window rectangle) and size of its client area.
  TSize Window;
  TSize Client;
  // Skinned scroll bars shown in the non-client area (0 when none).
  int HorzScrollHeight = 0;
  int VertScrollWidth = 0;
};

struct TsFrameGeometry {
  int CaptionBarHeight = 0;
  int FrameX = 0; // thickness of the left and right border
  int FrameY = 0; // thickness of the top and bottom border
  int BorderWidth = 0;
  int BottomThickness = 0;
  // Height of the non-client band above the client area.
  int TopBand = 0;
  int ClientOffsetX = 0;
  int ClientOffsetY = 0;
  int FrameWidth = 0;
  int FrameHeight = 0;
  // The line that icon, caption and title buttons are centred on.
  int TitleMiddle() const { return (CaptionBarHeight + FrameY) / 2; }
};

bool HasBorder(TsBorderKind border);
TsFrameGeometry ComputeFrameGeometry(const TsFrameShape &shape, const TsFrameMetrics &metrics);

// The rectangle the frame paints: the whole window, or only the caption strip of an iconic window.
TRect FrameTarget(const TsFrameGeometry &geometry, bool iconic);

// The title icon's side when none is set, from the caption height: below 9 none, up to 16 8 pixels, up to
// 27 16 pixels, above that 32.
int AutoIconSide(int captionHeight);
// An icon shows on single and sizeable borders only.
bool IconShows(TsBorderKind border, bool showAppIcon);
// The icon's rectangle at the left end of the title, centred on the title's middle line.
TRect TitleIconRect(const TsFrameGeometry &geometry, TSize iconSize);

// Where the caption text may go: between the icon (iconWidth, 0 when none shows) and the title buttons.
TRect CaptionTextRect(const TsFrameGeometry &geometry, int iconWidth, int titleButtonsWidth);
// The caption rectangle narrowed to a line of text textHeight high, centred in it.
TRect CenteredTextLine(TRect rect, int textHeight);

// The four pieces of the cache that reach the window's frame: top band, left, right and bottom strips
// (the client area is left out).
struct TsFrameStrips {
  TRect Top, Left, Right, Bottom;
};
TsFrameStrips FrameStrips(const TsFrameGeometry &geometry, bool iconic);
// The same for a window without border style that has a sizing frame: strips borderWidth + 3 wide.
TsFrameStrips ThickFrameStrips(const TsFrameGeometry &geometry, int borderWidth);

// Where the client area lies in the cache.
TPoint ClientOrigin(const TsFrameGeometry &geometry);
