#include "skin/adapters/win/ScrollInput.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/adapters/win/ScrollWnd.h"

namespace {

// The press in progress (one mouse: one press at a time).
struct PressState {
  TacScrollWnd *adapter = nullptr;
  int bar = SB_HORZ;
  TacScrollPart part = spNone;
  // The part under the mouse at the last move; the pressed part is drawn pressed only while they agree.
  TacScrollPart underMouse = spNone;
  bool repeating = false;
  // Dragging the thumb: where it started, how long it is, where the mouse holds it, the last position sent.
  bool dragging = false;
  int thumbStart = 0;
  int thumbLength = 0;
  int grab = 0;
  int lastPosition = 0;
};

// The bar under the mouse and its part, followed by the hover timer.
struct HoverState {
  TacScrollWnd *adapter = nullptr;
  int bar = SB_HORZ;
  TacScrollPart part = spNone;
  RECT rect{};
};

PressState press;
HoverState hover;

bool IsBarHit(WPARAM hit) { return hit == HTHSCROLL || hit == HTVSCROLL; }
int BarOfHit(WPARAM hit) { return hit == HTVSCROLL ? SB_VERT : SB_HORZ; }

POINT ScreenPoint(HWND window, LPARAM client) {
  POINT p{GET_X_LPARAM(client), GET_Y_LPARAM(client)};
  ClientToScreen(window, &p);
  return p;
}

} // namespace

TacScrollPart TacScrollInput::DrawnPressed(const TacScrollWnd &adapter, int bar) {
  if (press.adapter != &adapter || press.bar != bar || press.dragging) return spNone;
  return press.underMouse == press.part ? press.part : spNone;
}

TacScrollPart TacScrollInput::Hot(const TacScrollWnd &adapter, int bar) {
  return hover.adapter == &adapter && hover.bar == bar ? hover.part : spNone;
}

std::optional<int> TacScrollInput::DraggedThumbStart(const TacScrollWnd &adapter, int bar) {
  if (press.adapter != &adapter || press.bar != bar || !press.dragging) return std::nullopt;
  return press.thumbStart;
}

void TacScrollInput::Forget(TacScrollWnd &adapter) {
  if (press.adapter == &adapter) {
    KillTimer(adapter.Window(), RepeatDelayTimer);
    KillTimer(adapter.Window(), RepeatTimer);
    press = PressState{};
    if (GetCapture() == adapter.Window()) ReleaseCapture();
  }
  if (hover.adapter == &adapter) {
    KillTimer(adapter.Window(), HoverTimer);
    hover = HoverState{};
  }
}

bool TacScrollInput::Press(TacScrollWnd &adapter, int bar, POINT screen) {
  const TacScrollPart part = adapter.PartAtPoint(bar, screen);
  const auto &state = adapter.Bar(bar);
  const bool arrowDisabled = (part == spLineUp && (state.DisabledArrows & ESB_DISABLE_LTUP)) ||
                             (part == spLineDown && (state.DisabledArrows & ESB_DISABLE_RTDN));
  if (part == spNone || arrowDisabled || (part == spThumb && !state.Available)) return true;
  press = PressState{&adapter, bar, part, part};
  if (part == spThumb) {
    const RECT r = adapter.BarRect(bar);
    const int along = bar == SB_VERT ? screen.y - r.top : screen.x - r.left;
    const TacThumb thumb =
        ThumbOf(adapter.RangeOf(bar), bar == SB_VERT ? r.bottom - r.top : r.right - r.left, adapter.ArrowLength(bar));
    press.dragging = true;
    press.thumbStart = thumb.Start;
    press.thumbLength = thumb.Length;
    press.grab = along - thumb.Start;
    press.lastPosition = state.Info.nPos;
    adapter.Bar(bar).Info.nTrackPos = state.Info.nPos;
  } else {
    adapter.SendScroll(bar, part, 0);
    press.repeating = true;
    SetTimer(adapter.Window(), RepeatDelayTimer, RepeatDelay, nullptr);
  }
  SetCapture(adapter.Window());
  adapter.RepaintBars();
  return true;
}

void TacScrollInput::Move(TacScrollWnd &adapter, POINT screen) {
  const int bar = press.bar;
  if (!press.dragging) {
    const TacScrollPart under = adapter.PartAtPoint(bar, screen);
    if (under == press.underMouse) return;
    press.underMouse = under;
    adapter.RepaintBars();
    return;
  }
  const RECT r = adapter.BarRect(bar);
  const int length = bar == SB_VERT ? r.bottom - r.top : r.right - r.left;
  const int arrow = adapter.ArrowLength(bar), track = TrackLength(length, arrow);
  const int along = bar == SB_VERT ? screen.y - r.top : screen.x - r.left;
  press.thumbStart = std::clamp(along - press.grab, arrow, std::max(arrow, arrow + track - press.thumbLength));
  const int position = ThumbDragPosition(adapter.RangeOf(bar), press.thumbStart - arrow, track, press.thumbLength);
  adapter.RepaintBars();
  if (position == press.lastPosition) return;
  press.lastPosition = position;
  adapter.Bar(bar).Info.nTrackPos = position;
  adapter.SendScroll(bar, SB_THUMBTRACK, position);
}

void TacScrollInput::Release(TacScrollWnd &adapter, bool releaseCapture) {
  const PressState ended = press;
  press = PressState{};
  if (ended.repeating) {
    KillTimer(adapter.Window(), RepeatDelayTimer);
    KillTimer(adapter.Window(), RepeatTimer);
  }
  if (releaseCapture && GetCapture() == adapter.Window()) ReleaseCapture();
  if (ended.dragging) adapter.SendScroll(ended.bar, SB_THUMBPOSITION, ended.lastPosition);
  adapter.SendScroll(ended.bar, SB_ENDSCROLL, ended.dragging ? ended.lastPosition : 0);
  adapter.UpdateBars();
}

void TacScrollInput::Repeat(TacScrollWnd &adapter) {
  POINT cursor;
  GetCursorPos(&cursor);
  press.underMouse = adapter.PartAtPoint(press.bar, cursor);
  if (press.underMouse != press.part) return;
  // The bar is painted once after the step, not in between.
  adapter.busy_ = true;
  adapter.SendScroll(press.bar, press.part, 0);
  adapter.busy_ = false;
  adapter.UpdateBars();
}

void TacScrollInput::Hover(TacScrollWnd &adapter, int bar) {
  if (hover.adapter == &adapter && hover.bar == bar) return;
  if (hover.adapter && hover.adapter != &adapter) {
    TacScrollWnd &previous = *hover.adapter;
    KillTimer(previous.Window(), HoverTimer);
    hover = HoverState{};
    previous.RepaintBars();
  }
  hover = HoverState{&adapter, bar, spNone, adapter.BarRect(bar)};
  SetTimer(adapter.Window(), HoverTimer, HoverInterval, nullptr);
  adapter.RepaintBars();
}

void TacScrollInput::HoverTick(TacScrollWnd &adapter) {
  if (press.dragging) return;
  POINT cursor;
  GetCursorPos(&cursor);
  if (!PtInRect(&hover.rect, cursor)) {
    KillTimer(adapter.Window(), HoverTimer);
    hover = HoverState{};
    adapter.RepaintBars();
    return;
  }
  const TacScrollPart part = adapter.PartAtPoint(hover.bar, cursor);
  if (part == hover.part) return;
  hover.part = part;
  adapter.RepaintBars();
}

bool TacScrollInput::Handle(TacScrollWnd &adapter, TMessage &m) {
  const bool pressed = press.adapter == &adapter;
  switch (m.Msg) {
  case WM_NCMOUSEMOVE:
    if (IsBarHit(m.WParam) && adapter.Bar(BarOfHit(m.WParam)).Visible) Hover(adapter, BarOfHit(m.WParam));
    return false;
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONDBLCLK:
    if (!IsBarHit(m.WParam)) return false;
    m.Result = 0;
    return Press(adapter, BarOfHit(m.WParam), POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
  case WM_NCRBUTTONDOWN:
  case WM_NCRBUTTONUP:
  case WM_NCRBUTTONDBLCLK:
  case WM_NCMBUTTONDOWN:
  case WM_NCMBUTTONUP:
  case WM_NCMBUTTONDBLCLK: m.Result = 0; return IsBarHit(m.WParam);
  case WM_MOUSEMOVE:
    if (!pressed) return false;
    Move(adapter, ScreenPoint(adapter.Window(), m.LParam));
    return true;
  case WM_LBUTTONUP:
    if (!pressed) return false;
    Release(adapter, true);
    return true;
  case WM_CAPTURECHANGED:
    // Losing the capture ends the press as a release would: the repeat stops.
    if (pressed && reinterpret_cast<HWND>(m.LParam) != adapter.Window()) Release(adapter, false);
    return false;
  case WM_TIMER:
    if (m.WParam == HoverTimer && hover.adapter == &adapter) {
      HoverTick(adapter);
      return true;
    }
    if (!pressed || !press.repeating || (m.WParam != RepeatDelayTimer && m.WParam != RepeatTimer)) return false;
    if (m.WParam == RepeatDelayTimer) {
      KillTimer(adapter.Window(), RepeatDelayTimer);
      SetTimer(adapter.Window(), RepeatTimer, RepeatInterval, nullptr);
    }
    Repeat(adapter);
    return true;
  default: return false;
  }
}
