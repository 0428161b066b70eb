#pragma once
// The push-button adapter: a standard push button (a BUTTON window that is no skinned control) painted
// from the skin's "BUTTON" section — background, border, caption and focus mark — into the adapter's cache
// and copied over the window in one piece. The button keeps its style bits and its behaviour (clicks, keys,
// the default button); only its painting is the adapter's. Around the system's own handling of focus,
// enabling, text and state changes the window's redraw is off, so the system's look never shows between
// two skinned paints.
//
// The control adapter of a frame provider attaches one to each control its manager's ThirdButtons list
// names, a dialog adapter one to each push button of a system dialog:
//
//   auto adapter = TacMainWnd::Create<TacBtnWnd>({button, nullptr, "BUTTON", manager, true, dialogMode});
//
// TacBitBtnWnd adds the picture of a bit button (the toolkit's TBitBtn) beside the caption.

#include "skin/adapters/PushButtonLook.h"
#include "skin/adapters/win/MainWnd.h"

class TacBtnWnd : public TacMainWnd {
public:
  using TacMainWnd::TacMainWnd;

  // The state the button shows now: 0 normal, 1 active, 2 pressed.
  int StateIndex() const;

protected:
  void WndProc(TMessage &m) override;
  bool HandleSkinCommand(TMessage &m) override;
  // Renders the cache anew: background and border over the parent's, caption, picture, disabled look.
  void PrepareCache() override;

  // A picture drawn after the caption, and how far the caption moves aside for it; none here.
  virtual TPoint CaptionOffset(TSize /*button*/, TSize /*caption*/) const { return {}; }
  virtual void DrawGlyph(Image24 & /*cache*/, TSize /*caption*/, int /*state*/) {}
  // The pushed and focus bits the button reports (BM_GETSTATE).
  UINT ButtonState() const;

private:
  void DrawCaption(Image24 &cache, int state);
  // The system handles the message (pass) with the window's redraw off; then the focus flag follows a
  // focus message and the adapter repaints, unless it was freed meanwhile.
  template <class Pass> void Unpainted(TMessage &m, Pass pass);
  // Renders and copies the cache to the window, unless painting waits for the parent.
  void Paint();
  // Marks the cache stale and paints at once when the window shows.
  void Repaint();
  // Renders into dc (WM_PRINT, WM_PAINT with a device context); the window's pending update stays.
  void Print(HDC dc);
  // The manager's window under the mouse follows the cursor (point: client coordinates) in and out of the
  // button.
  void TrackMouse(LPARAM point);
};

class TacBitBtnWnd : public TacBtnWnd {
public:
  using TacBtnWnd::TacBtnWnd;

protected:
  TPoint CaptionOffset(TSize button, TSize caption) const override;
  void DrawGlyph(Image24 &cache, TSize caption, int state) override;
};
