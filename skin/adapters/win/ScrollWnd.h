#pragma once
// Skinned non-client scroll bars in place of the system's: the adapter makes the window lay out its frame
// without its scroll-bar styles, keeps the room of the bars for itself, and paints, hit-tests and drives
// the bars (arrows repeat after 300 ms every 55 ms, the thumb is dragged, the part under the mouse is hot).
// The system never draws its own bars over them.
//
// A frame provider makes one for a form whose AutoScroll is on and drives it:
//
//   scrollBars_ = TacMainWnd::Create<TacScrollWnd>({form.Handle(), &SkinData});
//   // WM_PARENTNOTIFY (children come and go):   scrollBars_->UpdateBars();
//   // laying out the frame:                     BarVisible(SB_VERT), BarThickness(SB_VERT), BarRect(SB_HORZ)
//   // AC_SKINCLEARED:                           scrollBars_.reset();
//
// The bars stand on what the window answers to AC_QUERYCACHE: its cache image with the offset of its client
// area in it, as a frame provider publishes its frame cache. A provider leaves BarRect and BoxRect out when
// it copies its frame to the window, so that each pixel reaches the screen once.
//
// Scrollable client windows use its descendants (TacBaseWnd, TacEditWnd, ...). A dialog adapter derives
// from it to frame a system dialog that may scroll.

#include "skin/adapters/ScrollBarGeometry.h"
#include "skin/adapters/win/MainWnd.h"

class TacScrollWnd : public TacMainWnd {
public:
  TacScrollWnd(Key key, const TacAdapterSetup &setup);
  ~TacScrollWnd() override;

  // Reads both bars' scroll information again and repaints them.
  void UpdateBars();
  // bar: SB_HORZ or SB_VERT.
  bool BarVisible(int bar) const { return Bar(bar).Visible; }
  int BarThickness(int bar) const;
  // The bar's rectangle on the screen; empty while it is not visible.
  RECT BarRect(int bar) const;
  // The box where both bars meet; empty unless both are visible.
  RECT BoxRect() const;
  // The scroll information the bar was last painted with.
  const SCROLLINFO &BarInfo(int bar) const { return Bar(bar).Info; }
  // Paints the visible bars and their box into a device context of the whole window (window coordinates).
  void PaintBars(HDC windowDc);

  // Overrides of the bars' thickness and arrow length; -1 uses the system's metrics.
  int ThicknessOverride[2] = {-1, -1};
  int ArrowOverride[2] = {-1, -1};

protected:
  void WndProc(TMessage &m) override;
  void Started() override;
  void CleanUp() override;
  // Paints the bars onto the screen when the window may be painted now.
  void RepaintBars();
  // A rectangle of the screen in the window's own coordinates.
  RECT InWindow(RECT screen) const;

private:
  struct ScrollBar {
    bool Vertical = false;
    bool Present = false; // the window has the bar's style
    bool Visible = false; // present and there is room for it
    // ESB_DISABLE_LTUP and ESB_DISABLE_RTDN as the system reports them.
    UINT DisabledArrows = 0;
    bool Available = false;
    SCROLLINFO Info{};
  };
  friend class TacScrollInput;

  ScrollBar &Bar(int bar) { return bars_[bar == SB_VERT ? 1 : 0]; }
  const ScrollBar &Bar(int bar) const { return bars_[bar == SB_VERT ? 1 : 0]; }
  void ReadBar(ScrollBar &bar);
  void CalcSize(TMessage &m);
  bool HitTest(TMessage &m);
  // The box is the corner of the parent's client area (the size grip of the parent lies there).
  bool BoxIsParentCorner() const;
  // Arrow length for the thumb arithmetic, and as long as the skin's arrow pictures are.
  int ArrowLength(int bar) const;
  int PictureArrowLength(int bar) const;
  TacScrollRange RangeOf(int bar) const;
  // The part of the bar under a point of the screen.
  TacScrollPart PartAtPoint(int bar, POINT screen) const;

  void PaintBar(HDC windowDc, int bar);
  void PaintBox(HDC windowDc);
  // Sends a scroll code to the window as its own bar would.
  void SendScroll(int bar, int code, int position);

  ScrollBar bars_[2];
  TacBarLayout layout_;
  bool repaintNow_;
  bool leftScrollBar_ = false;
  bool styleGuard_ = false;
  // Set while the adapter sends repeated scroll codes itself: the bars are not repainted in between.
  bool busy_ = false;
};
