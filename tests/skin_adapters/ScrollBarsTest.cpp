// Skinned scroll bars on real windows: where they stand, what the screen shows of them while the window
// scrolls by keyboard, and the mouse on them: the thumb dragged and released, an arrow held down while
// the capture goes elsewhere.

#include <utility>
#include <vector>

#include "skin/adapters/win/EditWnd.h"
#include "skin/adapters/win/ScrollInput.h"
#include "skin/pixels/win/DibStorage.h"
#include "tests/skin_adapters/SkinnedFormsTest.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

TRect AsTRect(const RECT &r) { return TRect{r.left, r.top, r.right, r.bottom}; }

// A window of a class of its own with a vertical bar over positions 0 to 10 (page 0), which scrolls as
// its bar tells it and notes every scroll code with its position.
std::vector<std::pair<int, int>> scrolls;

LRESULT CALLBACK ScrolledProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_VSCROLL) return DefWindowProcW(window, msg, wParam, lParam);
  const int code = LOWORD(wParam), position = HIWORD(wParam);
  scrolls.emplace_back(code, position);
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(window, SB_VERT, &info);
  if (code == SB_LINEDOWN) info.nPos = std::min(info.nPos + 1, info.nMax);
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) info.nPos = position;
  info.fMask = SIF_POS;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  return 0;
}

HWND ScrolledWindow(HWND parent, int width, int height) {
  static const ATOM registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ScrolledProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"KelvoraScrolledWindow";
    return RegisterClassW(&wc);
  }();
  (void)registered;
  const HWND window =
      CreateWindowExW(0, L"KelvoraScrolledWindow", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER, 10, 10,
                      width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 10, 0, 0, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  scrolls.clear();
  return window;
}

int Count(int code) {
  int n = 0;
  for (const auto &[c, p] : scrolls)
    n += c == code;
  return n;
}

POINT Middle(const RECT &r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The bars as the adapter paints them now, in an image of the whole window.
Image24 PaintedBars(TacScrollWnd &adapter) {
  Image24 image = ScreenOfWindow(adapter.Window());
  const ImageSurface surface(image);
  adapter.PaintBars(surface.Handle());
  return image;
}

class ScrollBarsTest : public SkinnedFormsTest {};

TEST_F(ScrollBarsTest, AMemosSkinnedBarStandsWhereTheSystemsWouldAndFollowsTheKeyboard) {
  TForm *form = Form(300, 220);
  auto *memo = TComponent::Create<TMemo>(form);
  memo->SetParent(form);
  memo->SetBounds(10, 10, 200, 150);
  memo->SetScrollBars(TScrollStyle::ssVertical);
  for (int i = 0; i < 60; ++i)
    memo->Lines().Add("line " + std::to_string(i));
  memo->SetSelStart(0);
  SendMessageW(memo->Handle(), EM_SCROLLCARET, 0, 0);
  Pump(50);
  SCROLLBARINFO system{};
  system.cbSize = sizeof system;
  ASSERT_TRUE(GetScrollBarInfo(memo->Handle(), OBJID_VSCROLL, &system));
  RECT clientBefore;
  GetClientRect(memo->Handle(), &clientBefore);
  const Image24 systemLook = ScreenOfWindow(memo->Handle());

  LoadSkin();
  auto adapter = TacMainWnd::Create<TacEditWnd>({memo->Handle(), nullptr, "EDIT"});
  ASSERT_TRUE(adapter);
  Pump(50);
  ASSERT_TRUE(adapter->BarVisible(SB_VERT));
  EXPECT_FALSE(adapter->BarVisible(SB_HORZ));
  EXPECT_EQ(AsTRect(adapter->BarRect(SB_VERT)), AsTRect(system.rcScrollBar));
  RECT client;
  GetClientRect(memo->Handle(), &client);
  EXPECT_EQ(AsTRect(client), AsTRect(clientBefore));
  EXPECT_EQ(SendMessageW(memo->Handle(), WM_NCHITTEST, 0,
                         MAKELPARAM(Middle(system.rcScrollBar).x, Middle(system.rcScrollBar).y)),
            HTVSCROLL);

  // The screen shows the skinned bar and the skinned frame, not the system's.
  const RECT bar = InWindow(memo->Handle(), system.rcScrollBar);
  Image24 screen = ScreenOfWindow(memo->Handle());
  Image24 painted = PaintedBars(*adapter);
  EXPECT_TRUE(SameArea(screen, painted, bar));
  EXPECT_FALSE(SameArea(screen, systemLook, bar));
  EXPECT_EQ(screen.Pixel(1, 1), adapter->SkinData().CacheImage.Pixel(1, 1));

  // Scrolled by the keyboard, the thumb moves and the screen still shows the skinned bar.
  for (int i = 0; i < 2; ++i) {
    PostMessageW(memo->Handle(), WM_KEYDOWN, VK_NEXT, 1);
    PostMessageW(memo->Handle(), WM_KEYUP, VK_NEXT, 0xC0000001);
  }
  Pump(100);
  EXPECT_GT(adapter->BarInfo(SB_VERT).nPos, 0);
  EXPECT_EQ(adapter->BarInfo(SB_VERT).nPos, GetScrollPos(memo->Handle(), SB_VERT));
  const Image24 scrolled = PaintedBars(*adapter);
  EXPECT_FALSE(SameArea(scrolled, painted, bar));
  EXPECT_TRUE(SameArea(ScreenOfWindow(memo->Handle()), scrolled, bar));
}

// The thumb sends its position only when it changes, never past the last position (a page of 0 shows
// position 10 at the bottom, not 11), and closes with the position and the end of the scroll.
TEST_F(ScrollBarsTest, ADraggedThumbSendsChangedPositionsThenItsPositionAndTheEnd) {
  LoadSkin();
  TForm *form = Form(300, 260);
  const HWND window = ScrolledWindow(form->Handle(), 120, 220);
  auto adapter = TacMainWnd::Create<TacScrollWnd>({window});
  ASSERT_TRUE(adapter);
  Pump(50);
  const RECT bar = adapter->BarRect(SB_VERT);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL), length = bar.bottom - bar.top;
  const TacThumb thumb = ThumbOf(TacScrollRange{0, 10, 0, 0}, length, arrow);
  const int room = TrackLength(length, arrow) - thumb.Length;
  const POINT grab{(bar.left + bar.right) / 2, bar.top + thumb.Start + thumb.Length / 2};

  // The part under the mouse is hot while the mouse stays on the bar.
  MouseTo(grab);
  Pump(60);
  EXPECT_EQ(TacScrollInput::Hot(*adapter, SB_VERT), spThumb);
  MouseTo(POINT{bar.right + 100, grab.y});
  Pump(60);
  EXPECT_EQ(TacScrollInput::Hot(*adapter, SB_VERT), spNone);
  EXPECT_FALSE(KillTimer(window, TacScrollInput::HoverTimer));

  MouseTo(grab);
  LeftButton(true);
  EXPECT_EQ(GetCapture(), window);
  MouseTo(POINT{grab.x, grab.y + 2}); // not far enough for another position
  MouseTo(POINT{grab.x, grab.y + 3});
  MouseTo(POINT{grab.x, grab.y + MulDiv(5, room, 10)});
  MouseTo(POINT{grab.x, bar.bottom + 40}); // past the end of the bar
  LeftButton(false);

  const std::vector<std::pair<int, int>> expected{
      {SB_THUMBTRACK, 5}, {SB_THUMBTRACK, 10}, {SB_THUMBPOSITION, 10}, {SB_ENDSCROLL, 10}};
  EXPECT_EQ(scrolls, expected);
  EXPECT_NE(GetCapture(), window);
  EXPECT_EQ(adapter->BarInfo(SB_VERT).nPos, 10);
}

// Held on an arrow, the bar scrolls at once, then repeats while the mouse stays on the arrow; losing the
// capture ends the press and the repeat with it.
TEST_F(ScrollBarsTest, AnArrowRepeatsWhileHeldAndStopsWhenTheCaptureIsLost) {
  LoadSkin();
  TForm *form = Form(300, 260);
  const HWND window = ScrolledWindow(form->Handle(), 120, 220);
  auto adapter = TacMainWnd::Create<TacScrollWnd>({window});
  ASSERT_TRUE(adapter);
  Pump(50);
  const RECT bar = adapter->BarRect(SB_VERT);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  const POINT down{(bar.left + bar.right) / 2, bar.bottom - arrow / 2};

  MouseTo(down);
  LeftButton(true);
  EXPECT_EQ(Count(SB_LINEDOWN), 1);
  Pump(500);
  EXPECT_GE(Count(SB_LINEDOWN), 3);

  // Off the arrow the repeat waits; back on it, it goes on.
  MouseTo(POINT{down.x, bar.top + (bar.bottom - bar.top) / 2});
  const int paused = Count(SB_LINEDOWN);
  Pump(200);
  EXPECT_EQ(Count(SB_LINEDOWN), paused);
  MouseTo(down);
  Pump(200);
  EXPECT_GT(Count(SB_LINEDOWN), paused);

  SetCapture(form->Handle());
  const int stopped = Count(SB_LINEDOWN);
  ASSERT_FALSE(scrolls.empty());
  EXPECT_EQ(scrolls.back(), std::make_pair(int(SB_ENDSCROLL), 0));
  Pump(300);
  EXPECT_EQ(Count(SB_LINEDOWN), stopped);
  EXPECT_FALSE(KillTimer(window, TacScrollInput::RepeatTimer));
  ReleaseCapture();
  const size_t before = scrolls.size();
  LeftButton(false);
  EXPECT_EQ(scrolls.size(), before);
}

} // namespace
