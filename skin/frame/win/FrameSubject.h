#pragma once
// The window a skinned frame is drawn for, as the frame asks about it. A frame provider answers for its
// form; a frame for a window the toolkit did not make (a system dialog) answers from the window's styles
// and text, and leaves the rest at the defaults.

#include <windows.h>

#include <string>

#include "skin/frame/TitleBar.h"
#include "skin/pixels/Image24.h"
#include "skin/pixels/TextCanvas.h"

class TsTitleButton;

class TsFrameSubject {
public:
  virtual ~TsFrameSubject() = default;

  virtual HWND FrameHandle() const = 0;
  virtual TsBorderKind BorderKind() const = 0;
  // TitleIcons bits.
  virtual uint32_t BorderIcons() const = 0;
  // The window is being created or read: nothing is painted yet.
  virtual bool Creating() const { return false; }
  virtual std::string CaptionText() const = 0;
  // The font the caption is written in (the frame makes it bold and sizes it as the system's caption).
  virtual TsFont CaptionFont() const { return {}; }

  // The title icon: its size for a title whose automatic icon side is autoSide, and its drawing into r of
  // the frame cache. The default shows none.
  virtual TSize TitleIconSize(int /*autoSide*/) const { return {}; }
  virtual void DrawTitleIcon(Image24 & /*cache*/, const TRect & /*r*/) {}

  // Buttons of the program's own in the title, after the system's.
  virtual int UserButtonCount() const { return 0; }
  virtual TsTitleButton *UserButton(int /*index*/) const { return nullptr; }

  // What the window draws over its client background in the cache (the form's paint handler); dc's origin
  // is the client area.
  virtual void PaintClientContent(HDC /*dc*/) {}
  // Skinned scroll bars shown in the non-client area: the height of the horizontal one, the width of the
  // vertical one (0 when none).
  virtual TSize ScrollBarSizes() const { return {}; }
  // True when the point (window coordinates) lies in the box where two skinned scroll bars meet.
  virtual bool InScrollBarCorner(TPoint /*point*/) const { return false; }

  // The system menu at a screen point.
  virtual void PopupSystemMenu(TPoint screen) = 0;
  // The window's normal way to close (close query and events).
  virtual void CloseByIcon() { SendMessageW(FrameHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }
  // Maximizes or restores the window; then the items of the system menu follow.
  virtual void SetShownState(TsWindowState state) = 0;
};
