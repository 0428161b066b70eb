// The push-button adapter on real buttons: the look follows the mouse, the keyboard focus, the default
// style, the pressed state and disabling; the screen shows the adapter's cache and the buttons keep their
// style bits; redraw switched around the system's handling never shows a hidden button, and printing leaves
// the window's pending update alone.

#include "skin/adapters/win/BtnWnd.h"
#include "skin/adapters/win/CtrlAdapter.h"
#include "skin/pixels/win/DibStorage.h"
#include "tests/skin_adapters/SkinnedFormsTest.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

void Key(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
  Pump(30);
}

POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class ButtonAdapterTest : public SkinnedFormsTest {
protected:
  TButton *Button(TForm *form, int left, const char *caption) {
    auto *button = TComponent::Create<TButton>(form);
    button->SetParent(form);
    button->SetBounds(left, 20, 75, 25);
    button->SetCaption(caption);
    button->OnClick = [this](TObject *) { ++clicks; };
    button->HandleNeeded();
    return button;
  }
  static TacBtnWnd &AdapterOf(TButton *button) {
    auto *adapter = dynamic_cast<TacBtnWnd *>(TacMainWnd::Of(button->Handle()));
    EXPECT_TRUE(adapter);
    return *adapter;
  }
  // The screen shows exactly what the adapter painted last, and that in the expected state.
  static void ExpectShows(TButton *button, int state) {
    TacBtnWnd &adapter = AdapterOf(button);
    EXPECT_EQ(adapter.StateIndex(), state) << button->Caption();
    const Image24 &cache = adapter.SkinData().CacheImage;
    EXPECT_TRUE(SameArea(ScreenOfWindow(button->Handle()), cache, RECT{0, 0, cache.Width(), cache.Height()}))
        << button->Caption();
  }
  int clicks = 0;
};
#define EXPECT_SHOWS(button, state)                                                                                    \
  do {                                                                                                                 \
    SCOPED_TRACE(__LINE__);                                                                                            \
    ExpectShows(button, state);                                                                                        \
  } while (false)

TEST_F(ButtonAdapterTest, TheLookFollowsMouseFocusDefaultAndDisablingWhileTheStyleStays) {
  LoadSkin();
  TForm *form = Form(300, 120);
  TButton *yes = Button(form, 10, "&Yes");
  TButton *no = Button(form, 100, "&No");
  yes->SetDefault(true);
  const LONG yesStyle = GetWindowLongW(yes->Handle(), GWL_STYLE), noStyle = GetWindowLongW(no->Handle(), GWL_STYLE);
  TsCommonData providerData(*form, false);
  TacCtrlAdapter controls(*form, providerData, nullptr);
  controls.AddAllItems();
  ASSERT_EQ(controls.Count(), 2);
  EXPECT_EQ(GetWindowLongW(yes->Handle(), GWL_STYLE), yesStyle);
  EXPECT_EQ(GetWindowLongW(no->Handle(), GWL_STYLE), noStyle);
  EXPECT_FALSE(dynamic_cast<TacBitBtnWnd *>(TacMainWnd::Of(yes->Handle())));

  // The default button shows the active look while it has the focus, and gives it up to the button the
  // keyboard moves the focus to, which shows the focus mark.
  yes->SetFocus();
  Pump(50);
  EXPECT_SHOWS(yes, 1);
  EXPECT_SHOWS(no, 0);
  const Image24 noNormal = AdapterOf(no).SkinData().CacheImage.Clone();
  Key(VK_TAB, true);
  Key(VK_TAB, false);
  ASSERT_EQ(GetFocus(), no->Handle());
  EXPECT_SHOWS(yes, 0);
  EXPECT_SHOWS(no, 1);
  EXPECT_TRUE(SendMessageW(no->Handle(), BM_GETSTATE, 0, 0) & BST_FOCUS);
  EXPECT_EQ((GetWindowLongW(yes->Handle(), GWL_STYLE) & BS_TYPEMASK), BS_PUSHBUTTON);

  // Space presses the focused button and clicks it on release.
  Key(VK_SPACE, true);
  EXPECT_SHOWS(no, 2);
  Key(VK_SPACE, false);
  EXPECT_SHOWS(no, 1);
  EXPECT_EQ(clicks, 1);

  // The mouse makes the button under it hot; moving on to the next repaints both; leaving straight out of
  // the form (the system tells of that a little later) makes it normal.
  MouseTo(CentreOf(yes->Handle()));
  EXPECT_SHOWS(yes, 1);
  MouseTo(CentreOf(no->Handle()));
  EXPECT_SHOWS(yes, 0);
  EXPECT_SHOWS(no, 1);
  MouseTo(CentreOf(yes->Handle()));
  MouseTo(POINT{CentreOf(yes->Handle()).x, CentreOf(form->Handle()).y + 200});
  for (int i = 0; i < 50 && AdapterOf(yes).StateIndex() != 0; ++i)
    Pump(20);
  EXPECT_SHOWS(yes, 0);
  MouseTo(CentreOf(yes->Handle()));
  LeftButton(true);
  EXPECT_SHOWS(yes, 2);
  LeftButton(false);
  EXPECT_EQ(clicks, 2);
  EXPECT_SHOWS(yes, 1);

  // A disabled button never looks active, under the mouse or not, and fades into its parent.
  no->SetEnabled(false);
  Pump(30);
  EXPECT_SHOWS(no, 0);
  MouseTo(CentreOf(no->Handle()));
  EXPECT_SHOWS(no, 0);
  const Image24 &disabled = AdapterOf(no).SkinData().CacheImage;
  EXPECT_FALSE(SameArea(disabled, noNormal, RECT{0, 0, disabled.Width(), disabled.Height()}));

  for (TButton *button : {yes, no})
    EXPECT_NE(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  MouseTo(POINT{0, 0});
}

TEST_F(ButtonAdapterTest, SwitchingRedrawShowsNoHiddenButtonAndPrintingKeepsThePendingUpdate) {
  LoadSkin();
  TForm *form = Form(300, 120);
  TButton *hidden = Button(form, 10, "Hidden");
  hidden->SetVisible(false);
  TButton *shown = Button(form, 100, "Shown");
  auto hiddenAdapter = TacMainWnd::Create<TacBtnWnd>({hidden->Handle(), nullptr, "BUTTON"});
  auto shownAdapter = TacMainWnd::Create<TacBtnWnd>({shown->Handle(), nullptr, "BUTTON"});
  Pump(30);

  SetFocus(hidden->Handle());
  SendMessageW(hidden->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Still hidden"));
  SendMessageW(hidden->Handle(), BM_SETSTATE, TRUE, 0);
  EXPECT_FALSE(GetWindowLongW(hidden->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(IsWindowVisible(hidden->Handle()));

  // The system's handling of a new text paints nothing of its own: the screen shows the skinned caption.
  const Image24 before = shownAdapter->SkinData().CacheImage.Clone();
  shown->SetCaption("Changed");
  const Image24 &after = shownAdapter->SkinData().CacheImage;
  EXPECT_FALSE(SameArea(before, after, RECT{0, 0, after.Width(), after.Height()}));
  EXPECT_SHOWS(shown, 0);

  InvalidateRect(shown->Handle(), nullptr, FALSE);
  Image24 printed = CreateDib24(75, 25);
  {
    const ImageSurface surface(printed);
    SendMessageW(shown->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(surface.Handle()), PRF_CLIENT);
  }
  RECT pending;
  EXPECT_TRUE(GetUpdateRect(shown->Handle(), &pending, FALSE));
  EXPECT_TRUE(SameArea(printed, shownAdapter->SkinData().CacheImage, RECT{0, 0, 75, 25}));
}

TEST_F(ButtonAdapterTest, ABitButtonShowsItsPictureBesideTheCaption) {
  LoadSkin();
  TForm *form = Form(300, 120);
  auto *button = TComponent::Create<TBitBtn>(form);
  button->SetParent(form);
  button->SetBounds(10, 20, 120, 30);
  button->SetCaption("Open");
  TBitmap &glyph = button->Glyph();
  glyph.SetSize(16, 16);
  glyph.Canvas().Brush().SetColor(0x0000FF);
  glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
  glyph.Canvas().Brush().SetColor(0x00FF00); // the bottom-left pixel: transparent
  glyph.Canvas().FillRect(RECT{0, 15, 1, 16});
  button->HandleNeeded();
  TsCommonData providerData(*form, false);
  TacCtrlAdapter controls(*form, providerData, nullptr);
  controls.AddAllItems();
  auto *adapter = dynamic_cast<TacBitBtnWnd *>(TacMainWnd::Of(button->Handle()));
  ASSERT_TRUE(adapter);
  Pump(30);
  const Image24 &cache = adapter->SkinData().CacheImage;
  // Picture left of the caption, the two centred together; its transparent pixel shows the button.
  int leftmost = cache.Width(), red = 0;
  for (int y = 0; y < cache.Height(); ++y)
    for (int x = 0; x < cache.Width(); ++x)
      if (cache.Pixel(x, y) == 0x0000FF) {
        ++red;
        leftmost = std::min(leftmost, x);
      }
  EXPECT_EQ(red, 16 * 16 - 1);
  EXPECT_GT(leftmost, 4);
  EXPECT_LT(leftmost, (120 - 16) / 2);
}

} // namespace
