// The frame provider on real forms: the hit codes of the title buttons, the caption, the borders and the
// corners; the title buttons' states and mouse paths; the system menu's commands by mouse and keyboard;
// skin set, refreshed and cleared on a live form; the installer-like form; handles and screen copies over
// many paints; and the sound answers to faults of the frame's messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "skin/adapters/win/MainWnd.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FrameTracking.h"
#include "skin/frame/win/OutlineTracker.h"
#include "skin/frame/win/RedrawLock.h"
#include "skin/frame/win/SkinFrames.h"
#include "skin/frame/win/SkinProvider.h"
#include "skin/frame/win/SystemMenu.h"
#include "skin/model/SkinPackWriter.h"
#include "skin/model/SystemColors.h"
#include "skin/pixels/win/DibStorage.h"
#include "tests/skin_engine/ManagerTestSupport.h"
#include "tests/toolkit/UiTestSupport.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

RECT Outer(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

// The answer to WM_NCHITTEST at a point in window coordinates.
int Hit(HWND window, int x, int y) {
  const RECT r = Outer(window);
  return static_cast<int>(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y)));
}

// A mouse message of the frame at a point in window coordinates (screen coordinates in lParam).
void FrameMouse(HWND window, UINT message, WPARAM code, int x, int y) {
  const RECT r = Outer(window);
  SendMessageW(window, message, code, MAKELPARAM(r.left + x, r.top + y));
}

// What the screen shows of the window's top rows.
Image24 TopOnScreen(HWND window, int rows) {
  Image24 image = CreateDib24(Outer(window).right - Outer(window).left, rows);
  const ImageSurface surface(image);
  const WindowDC dc(window, true);
  BitBlt(surface.Handle(), 0, 0, image.Width(), rows, dc.Get(), 0, 0, SRCCOPY);
  return image;
}

int Count(const Image24 &a, const Image24 &b, const TRect &r) {
  int differing = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      differing += a.Pixel(x, y) != b.Pixel(x, y);
  return differing;
}

// The internal skin with lines of its options file left out.
std::vector<uint8_t> PackWithout(const std::vector<std::string> &keys) {
  auto read = [](const std::string &name) {
    std::ifstream file(std::string(KELVORA_BLUEGAUZE_DIR) + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  };
  const std::vector<uint8_t> options = read("Options.dat");
  std::string text(options.begin(), options.end()), kept;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start + 1);
    bool drop = false;
    for (const std::string &key : keys)
      drop |= line.rfind(key + "=", 0) == 0;
    if (!drop) kept += line;
    start = end + 1;
  }
  return WriteSkinPack({{"Options.dat", std::vector<uint8_t>(kept.begin(), kept.end())},
                        {"ButtonHuge.bmp", read("ButtonHuge.bmp")},
                        {"Master.bmp", read("Master.bmp")}});
}

class FrameProviderTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    InitializeSkinFrames();
  }
  FrameProviderTest() {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddInternalSkin(*manager, InternalSkinName, BlueGauzePack());
    manager->AnimEffects().SkinChanging.Active = false;
  }
  ~FrameProviderTest() override {
    SetFrameCopyWatch(nullptr);
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
      (*it)->Free();
    manager.reset();
  }

  // A shown form with a provider; the installer's look by default.
  TForm *Form(TFormBorderStyle style = TFormBorderStyle::bsSingle, TBorderIcons icons = biSystemMenu | biMinimize,
              bool mainForm = false) {
    TForm *form = mainForm ? Application->CreateForm<TForm>() : TComponent::Create<TForm>(Application);
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetBounds(60 + 20 * static_cast<int>(forms.size()), 60, 446, 351);
    form->SetCaption("Установка программы Kelvora");
    provider = TComponent::Create<TsSkinProvider>(form);
    forms.push_back(form);
    return form;
  }
  void Skin(TForm *form) {
    form->Show();
    manager->SetSkinName(InternalSkinName);
    PumpUntil([] { return false; }, 50);
  }
  LONG Style(TForm *form) { return GetWindowLongW(form->Handle(), GWL_STYLE); }
  Image24 Cache() { return provider->SkinData().CacheImage.Clone(); }
  // The right end of the title buttons: inside the frame and one space.
  int ButtonsRight(TForm *form) {
    const int frame = provider->Frame().Geometry().FrameX;
    return form->Width() - frame - manager->Skin()->SkinData.BISpace;
  }
  int ButtonMiddle() { return provider->Frame().Geometry().TitleMiddle(); }

  std::unique_ptr<TsSkinManager> manager;
  TsSkinProvider *provider = nullptr;
  std::vector<TForm *> forms;
};

TEST_F(FrameProviderTest, TheInstallerLikeFormShowsMinimizeAndCloseOnlyAndASixteenPixelIcon) {
  TForm *form = Form();
  EXPECT_TRUE(Style(form) & WS_SYSMENU);
  Skin(form);
  ASSERT_TRUE(provider->Skinned());
  EXPECT_FALSE(Style(form) & WS_SYSMENU);
  const int right = ButtonsRight(form), y = ButtonMiddle(), space = manager->Skin()->SkinData.BISpace;
  EXPECT_EQ(Hit(form->Handle(), right - 10, y), HTCLOSE);
  EXPECT_EQ(Hit(form->Handle(), right - 21 - space - 10, y), HTMINBUTTON);
  EXPECT_EQ(Hit(form->Handle(), right - 2 * (21 + space) - 10, y), HTCAPTION); // no Maximize
  const TsFrameGeometry g = provider->Frame().Geometry();
  EXPECT_EQ(Hit(form->Handle(), g.FrameX + 4, y), HTSYSMENU);

  // The icon: what changes when it is switched off (the caption left out) lies in a 16 x 16 square at the
  // left of the title.
  form->SetCaption("");
  provider->Frame().Render();
  const Image24 withIcon = Cache();
  provider->SetShowAppIcon(false);
  provider->Frame().Render();
  const Image24 without = Cache();
  TRect changed{1000, 1000, -1, -1};
  for (int y2 = 0; y2 < g.TopBand; ++y2)
    for (int x = 0; x < 60; ++x)
      if (withIcon.Pixel(x, y2) != without.Pixel(x, y2))
        changed = {std::min(changed.Left, x), std::min(changed.Top, y2), std::max(changed.Right, x + 1),
                   std::max(changed.Bottom, y2 + 1)};
  const TRect icon = provider->Frame().IconRect();
  EXPECT_EQ(icon.Width(), 0);
  provider->SetShowAppIcon(true);
  const TRect shown = provider->Frame().IconRect();
  EXPECT_EQ(shown.Width(), 16);
  EXPECT_EQ(shown.Height(), 16);
  EXPECT_GE(changed.Left, shown.Left);
  EXPECT_LE(changed.Right, shown.Right);
  EXPECT_GE(changed.Top, shown.Top);
  EXPECT_LE(changed.Bottom, shown.Bottom);
  EXPECT_GT(changed.Width(), 8);
  // Without an icon the place is caption (the text starts further left).
  provider->SetShowAppIcon(false);
  EXPECT_EQ(Hit(form->Handle(), g.FrameX + 4, y), HTCAPTION);
}

TEST_F(FrameProviderTest, HitCodesOverEachTitleButtonTheCaptionTheBordersAndTheCorners) {
  TForm *form = Form(TFormBorderStyle::bsSizeable, biSystemMenu | biMinimize | biMaximize | biHelp);
  TsTitleButton *pin = provider->TitleButtons().Add();
  TsTitleButton *off = provider->TitleButtons().Add();
  off->SetEnabled(false);
  Skin(form);
  const HWND window = form->Handle();
  const int right = ButtonsRight(form), y = ButtonMiddle(), step = 21 + manager->Skin()->SkinData.BISpace;
  const int expected[] = {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP, TitleHit::FirstUserButton, HTCAPTION};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(Hit(window, right - i * step - 10, y), expected[i]) << i;
  EXPECT_EQ(Hit(window, 200, y), HTCAPTION);
  const int w = form->Width(), h = form->Height();
  EXPECT_EQ(Hit(window, 1, h / 2), HTLEFT);
  EXPECT_EQ(Hit(window, w - 2, h / 2), HTRIGHT);
  EXPECT_EQ(Hit(window, w / 2, h - 2), HTBOTTOM);
  EXPECT_EQ(Hit(window, w / 2, 1), HTTOP);
  EXPECT_EQ(Hit(window, 1, 1), HTTOPLEFT);
  EXPECT_EQ(Hit(window, w - 2, h - 2), HTBOTTOMRIGHT);
  EXPECT_EQ(Hit(window, 1, h - 2), HTBOTTOMLEFT);
  EXPECT_EQ(Hit(window, w / 2, h / 2), HTCLIENT);
  (void)pin;

  // The grip answers as the bottom-right corner where it is drawn.
  provider->SetGripMode(TsGripMode::gmRightBottom);
  const TsFrameGeometry g = provider->Frame().Geometry();
  EXPECT_EQ(Hit(window, w - g.FrameX - 2, h - g.FrameY - 2), HTBOTTOMRIGHT);
}

TEST_F(FrameProviderTest, TitleButtonsGetHotAndPressedAndOnlyAReleaseOnTheButtonCloses) {
  TForm *form = Form();
  Skin(form);
  const HWND window = form->Handle();
  const int x = ButtonsRight(form) - 10, y = ButtonMiddle();
  const TRect close{ButtonsRight(form) - 21, 0, ButtonsRight(form), provider->Frame().Geometry().TopBand};
  const Image24 normal = Cache();
  Hit(window, x, y);
  const Image24 hot = Cache();
  EXPECT_GT(Count(normal, hot, close), 0);
  FrameMouse(window, WM_NCLBUTTONDOWN, HTCLOSE, x, y);
  const Image24 pressed = Cache();
  EXPECT_GT(Count(hot, pressed, close), 0);

  // Moving off to the caption and releasing there does not close.
  EXPECT_EQ(Hit(window, 200, y), HTCAPTION);
  EXPECT_EQ(Count(normal, Cache(), close), 0);
  FrameMouse(window, WM_NCLBUTTONUP, HTCAPTION, 200, y);
  EXPECT_TRUE(IsWindowVisible(window));
  // A release in the client area with Shift and the middle button held is no hit on Close.
  Hit(window, x, y);
  FrameMouse(window, WM_NCLBUTTONDOWN, HTCLOSE, x, y);
  SendMessageW(window, WM_LBUTTONUP, MK_SHIFT | MK_MBUTTON, MAKELPARAM(40, 40));
  FrameMouse(window, WM_NCLBUTTONUP, HTCLOSE, x, y);
  EXPECT_TRUE(IsWindowVisible(window));
  // Pressed and released on the button: the form closes.
  Hit(window, x, y);
  FrameMouse(window, WM_NCLBUTTONDOWN, HTCLOSE, x, y);
  FrameMouse(window, WM_NCLBUTTONUP, HTCLOSE, x, y);
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(FrameProviderTest, MinimizeByTitleButtonMinimizesTheApplicationAndUserButtonsFireTheirEvents) {
  TForm *form = Form(TFormBorderStyle::bsSingle, biSystemMenu | biMinimize, true);
  ASSERT_EQ(Application->MainForm(), form);
  TsTitleButton *pin = provider->TitleButtons().Add();
  std::vector<std::string> events;
  pin->OnMouseDown = [&](TObject *sender, TMouseButton, TShiftState, int, int) {
    events.push_back(sender == pin ? "down" : "down from another");
  };
  pin->OnMouseUp = [&](TObject *, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
  Skin(form);
  const HWND window = form->Handle();
  const int right = ButtonsRight(form), y = ButtonMiddle(), step = 21 + manager->Skin()->SkinData.BISpace;
  const int pinX = right - 2 * step - 10;
  EXPECT_EQ(Hit(window, pinX, y), TitleHit::FirstUserButton);
  FrameMouse(window, WM_NCLBUTTONDOWN, TitleHit::FirstUserButton, pinX, y);
  FrameMouse(window, WM_NCLBUTTONUP, TitleHit::FirstUserButton, pinX, y);
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));

  const int minX = right - step - 10;
  EXPECT_EQ(Hit(window, minX, y), HTMINBUTTON);
  FrameMouse(window, WM_NCLBUTTONDOWN, HTMINBUTTON, minX, y);
  FrameMouse(window, WM_NCLBUTTONUP, HTMINBUTTON, minX, y);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(window) != 0; }, 2000));
  Application->Restore();
  EXPECT_FALSE(IsIconic(window));
}

TEST_F(FrameProviderTest, TheSystemMenuCommandsActOnTheForm) {
  TForm *form = Form(TFormBorderStyle::bsSizeable, biSystemMenu | biMinimize | biMaximize);
  Skin(form);
  const HWND window = form->Handle();
  TsSystemMenu *menu = provider->SystemMenu();
  ASSERT_NE(menu, nullptr);
  std::vector<WPARAM> commands;
  TWindowHook trace;
  trace.Attach(form->WindowHooks(), [&](TMessage &m, const TWindowHookNext &next) {
    if (m.Msg == WM_SYSCOMMAND) commands.push_back(m.WParam & 0xFFF0);
    // The system's keyboard move and size loops are left out of the test.
    if (m.Msg == WM_SYSCOMMAND && ((m.WParam & 0xFFF0) == SC_MOVE || (m.WParam & 0xFFF0) == SC_SIZE)) return;
    next(m);
  });
  menu->ItemMaximize->Click();
  EXPECT_TRUE(IsZoomed(window));
  menu->UpdateItems();
  EXPECT_FALSE(menu->ItemMaximize->Enabled());
  EXPECT_TRUE(menu->ItemRestore->Enabled());
  EXPECT_FALSE(menu->ItemMove->Visible());
  menu->ItemRestore->Click();
  EXPECT_FALSE(IsZoomed(window));
  menu->ItemMove->Click();
  menu->ItemSize->Click();
  menu->ItemMinimize->Click();
  EXPECT_TRUE(IsIconic(window));
  menu->ItemRestore->Click();
  EXPECT_FALSE(IsIconic(window));
  menu->ItemClose->Click();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(commands,
            (std::vector<WPARAM>{SC_MAXIMIZE, SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_RESTORE, SC_CLOSE}));
  trace.Detach();
}

TEST_F(FrameProviderTest, AltSpaceAndARightClickOnTheCaptionOpenTheSystemMenuWhoseKeysWork) {
  TForm *form = Form();
  Skin(form);
  const HWND window = form->Handle();
  TsSystemMenu *menu = provider->SystemMenu();
  // The installer's menu: Restore and Size shown disabled, no Maximize.
  EXPECT_TRUE(menu->ItemRestore->Visible() && !menu->ItemRestore->Enabled());
  EXPECT_TRUE(menu->ItemSize->Visible() && !menu->ItemSize->Enabled());
  EXPECT_FALSE(menu->ItemMaximize->Visible());

  bool opened = false;
  WhenWindowAppears(L"#32768", [&](HWND) {
    opened = true;
    EndMenu();
  });
  FrameMouse(window, WM_NCRBUTTONUP, HTCAPTION, 200, ButtonMiddle());
  EXPECT_TRUE(opened);

  // Alt+Space, then Up (the last item, Close) and Enter.
  WhenWindowAppears(L"#32768", [&](HWND) {
    PostMessageW(window, WM_KEYDOWN, VK_UP, 0);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
  });
  SetForegroundWindow(window);
  SendMessageW(window, WM_SYSCHAR, VK_SPACE, 1 << 29);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }, 3000));
}

TEST_F(FrameProviderTest, TheSkinsListIsBuiltAnewForEachPopupWithOneSeparator) {
  TForm *form = Form();
  AddInternalSkin(*manager, "Second & last", BlueGauzePack());
  provider->MakeSkinMenu = true;
  Skin(form);
  TsSystemMenu *menu = provider->SystemMenu();
  for (int popup = 0; popup < 3; ++popup) {
    WhenWindowAppears(L"#32768", [](HWND) { EndMenu(); });
    provider->PopupSystemMenu({form->Left() + 20, form->Top() + 30});
  }
  int separators = 0;
  for (int i = 0; i < menu->Items().Count(); ++i)
    separators += menu->Items().Items(i)->IsLine();
  EXPECT_EQ(separators, 2);
  TMenuItem *skins = menu->Items().Items(0);
  ASSERT_EQ(skins->Name(), "SkinSelectItem");
  ASSERT_EQ(skins->Count(), 2);
  EXPECT_TRUE(skins->Items(0)->Checked());
  EXPECT_EQ(skins->Items(1)->Caption(), "Second && last");
  skins->Items(1)->Click();
  EXPECT_EQ(manager->SkinName(), "Second & last");
}

TEST_F(FrameProviderTest, SkinSetRefreshedAndClearedOnALiveFormReturnsTheSystemLook) {
  TForm *form = Form(TFormBorderStyle::bsSizeable);
  provider->TitleButtons().Add();
  form->SetColor(clWindow);
  form->Show();
  const HWND window = form->Handle();
  RECT box;
  EXPECT_EQ(GetWindowRgnBox(window, &box), ERROR);
  EXPECT_EQ(form->Color(), clWindow); // not skinned: the form keeps its own look

  manager->SetSkinName(InternalSkinName);
  PumpUntil([] { return false; }, 50);
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);
  EXPECT_NE(GetWindowRgnBox(window, &box), ERROR);
  EXPECT_EQ(form->Color(), manager->GlobalColor());
  const int userX = ButtonsRight(form) - 2 * (21 + manager->Skin()->SkinData.BISpace) - 10;
  EXPECT_EQ(Hit(window, userX, ButtonMiddle()), TitleHit::FirstUserButton);
  const Image24 before = Cache();
  ASSERT_FALSE(before.Empty());

  manager->SetHueOffset(120);
  PumpUntil([] { return false; }, 50);
  EXPECT_TRUE(provider->Skinned());
  const Image24 recoloured = Cache();
  ASSERT_EQ(recoloured.Width(), before.Width());
  EXPECT_GT(Count(before, recoloured, {0, 0, before.Width(), before.Height()}), 0);

  manager->SetActive(false);
  PumpUntil([] { return false; }, 50);
  EXPECT_FALSE(provider->Skinned());
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(GetWindowRgnBox(window, &box), ERROR);
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_TRUE(provider->SkinData().CacheImage.Empty());
  // The system answers for its own caption again.
  EXPECT_EQ(Hit(window, userX, ButtonMiddle()), HTCAPTION);
}

TEST_F(FrameProviderTest, AThousandFramePaintsKeepTheHandlesAndEachPaintCopiesEveryPixelOnce) {
  TForm *form = Form();
  Skin(form);
  const HWND window = form->Handle();
  const int x = ButtonsRight(form) - 10, y = ButtonMiddle();
  const GdiUsage before = ToolkitGdiUsage();
  const DWORD systemBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 1000; ++i) {
    provider->Frame().InvalidateCache();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Hit(window, i % 2 ? x : 200, y); // hot and back: one button repainted
  }
  const GdiUsage after = ToolkitGdiUsage();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.deviceContexts, before.deviceContexts);
  EXPECT_EQ(after.deletedWhileSelected, before.deletedWhileSelected);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), systemBefore + 2);

  // One paint of the frame and the client area: every pixel of the window reaches the screen once.
  const int w = form->Width(), h = form->Height();
  std::vector<int> copies(static_cast<size_t>(w * h));
  PumpUntil([] { return false; }, 100); // no paint of before is left waiting
  SetFrameCopyWatch([&](HWND target, const RECT &r) {
    if (target != window) return;
    for (int py = std::max(0L, r.top); py < std::min<LONG>(h, r.bottom); ++py)
      for (int px = std::max(0L, r.left); px < std::min<LONG>(w, r.right); ++px)
        ++copies[static_cast<size_t>(py * w + px)];
  });
  provider->Frame().InvalidateCache();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  SetFrameCopyWatch(nullptr);
  int once = 0, other = 0;
  for (int c : copies)
    (c == 1 ? once : other) += 1;
  EXPECT_EQ(other, 0);
  EXPECT_EQ(once, w * h);
}

// The system writes its own caption when the text or the icon changes; the screen shows the skinned title
// with the new text all the same.
TEST_F(FrameProviderTest, ChangingTheCaptionRepaintsTheTitleFromTheCache) {
  TForm *form = Form();
  Skin(form);
  const HWND window = form->Handle();
  const int band = provider->Frame().Geometry().TopBand;
  const Image24 before = Cache();
  form->SetCaption("Удаление программы Kelvora");
  PumpUntil([] { return false; }, 100);
  const Image24 after = Cache();
  EXPECT_GT(Count(before, after, {0, 0, after.Width(), band}), 0);
  const Image24 screen = TopOnScreen(window, band);
  // The corners outside the window's outline are left out.
  EXPECT_EQ(Count(screen, after, {8, 0, form->Width() - 8, band}), 0);
  // A new icon of the window: the same.
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_WARNING)));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(Count(TopOnScreen(window, band), Cache(), {8, 0, form->Width() - 8, band}), 0);
}

// Another window taking the activation: the title turns to the section's normal look on the screen, and
// back to the active one.
TEST_F(FrameProviderTest, DeactivatingTheFormDrawsItsTitleInTheInactiveLook) {
  TForm *form = Form();
  TsSkinProvider *first = provider;
  Skin(form);
  const HWND window = form->Handle();
  SetActiveWindow(window);
  PumpUntil([] { return false; }, 50);
  const Image24 active = first->SkinData().CacheImage.Clone();
  TForm *other = Form();
  other->SetLeft(560);
  other->Show();
  SetActiveWindow(other->Handle());
  PumpUntil([] { return false; }, 100);
  EXPECT_FALSE(first->Frame().Active);
  const Image24 &inactive = first->SkinData().CacheImage;
  const int band = first->Frame().Geometry().TopBand;
  EXPECT_GT(Count(active, inactive, {0, 0, active.Width(), band}), 0);
  const Image24 screen = TopOnScreen(window, band);
  EXPECT_EQ(Count(screen, inactive, {8, 0, form->Width() - 8, band}), 0);
  SetActiveWindow(window);
  PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(first->Frame().Active);
  EXPECT_EQ(Count(active, first->SkinData().CacheImage, {0, 0, active.Width(), band}), 0);
}

// The form's standard controls get window adapters and an AutoScroll form skinned scroll bars while the
// skin lasts: one each however often the skin is refreshed and the form shown, none once it goes.
TEST_F(FrameProviderTest, StandardControlsAndScrollBarsAreAdaptedWhileTheFormIsSkinned) {
  TForm *form = Form(TFormBorderStyle::bsSizeable);
  form->SetAutoScroll(true);
  auto *memo = TComponent::Create<TMemo>(form);
  memo->SetParent(form);
  memo->SetBounds(8, 8, 200, 100);
  Skin(form);
  ASSERT_NE(provider->ControlAdapter(), nullptr);
  TacMainWnd *adapter = TacMainWnd::Of(memo->Handle());
  EXPECT_NE(adapter, nullptr);
  EXPECT_NE(provider->ScrollBars(), nullptr);
  manager->SetHueOffset(60);
  manager->SetHueOffset(0);
  form->Hide();
  form->Show();
  EXPECT_EQ(provider->ControlAdapter()->Count(), 1);
  EXPECT_EQ(TacMainWnd::Of(memo->Handle()), adapter);
  // A control added to the skinned form is adapted too.
  auto *edit = TComponent::Create<TEdit>(form);
  edit->SetParent(form);
  edit->SetBounds(8, 120, 200, 21);
  edit->HandleNeeded();
  EXPECT_NE(TacMainWnd::Of(edit->Handle()), nullptr);
  manager->SetActive(false);
  EXPECT_EQ(provider->ControlAdapter(), nullptr);
  EXPECT_EQ(provider->ScrollBars(), nullptr);
  EXPECT_EQ(TacMainWnd::Of(memo->Handle()), nullptr);
  EXPECT_EQ(TacMainWnd::Of(edit->Handle()), nullptr);
}

// Moved near an edge of the work area, the window snaps to it; an outline dragged by the mouse moves or
// sizes the window on release and keeps the minimum size.
TEST_F(FrameProviderTest, TheWindowSnapsToTheWorkAreaAndAnOutlineMovesAndSizesIt) {
  TForm *form = Form();
  provider->ScreenSnap = true;
  Skin(form);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  form->SetBounds(work.right - form->Width() - 6, 100, form->Width(), form->Height());
  EXPECT_EQ(Outer(form->Handle()).right, work.right);
  form->SetBounds(300, 100, form->Width(), form->Height());
  EXPECT_EQ(Outer(form->Handle()).left, 300);

  const HWND window = form->Handle();
  {
    TsOutlineTracker move(window, DragKind::Move, {500, 500}, {0, 0});
    EXPECT_EQ(GetCapture(), window);
    move.MoveTo({530, 480});
    move.Finish();
  }
  EXPECT_EQ(Outer(window).left, 330);
  EXPECT_EQ(Outer(window).top, 80);
  EXPECT_NE(GetCapture(), window);
  {
    TsOutlineTracker size(window, DragKind::BottomRight, {500, 500}, {200, 150});
    size.MoveTo({100, 100});
    size.Finish();
  }
  EXPECT_EQ(Outer(window).right - Outer(window).left, 200);
  EXPECT_EQ(Outer(window).bottom - Outer(window).top, 150);
  {
    TsOutlineTracker cancelled(window, DragKind::Move, {500, 500}, {0, 0});
    cancelled.MoveTo({600, 600});
  }
  EXPECT_EQ(Outer(window).left, 330);
}

// WM_PRINT draws the whole window into the caller's device context and gives it back as it came.
TEST_F(FrameProviderTest, PrintDrawsTheFrameAndClientAndLeavesTheCallersContextAsItWas) {
  TForm *form = Form();
  Skin(form);
  Image24 picture = CreateDib24(form->Width(), form->Height());
  picture.Fill(0x0000FF);
  ImageSurface surface(picture);
  HDC dc = surface.Handle();
  SetViewportOrgEx(dc, 0, 0, nullptr);
  RECT clipBefore, clipAfter;
  GetClipBox(dc, &clipBefore);
  SendMessageW(form->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  GetClipBox(dc, &clipAfter);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  EXPECT_TRUE(EqualRect(&clipBefore, &clipAfter));
  GdiFlush();
  const Image24 cache = Cache();
  EXPECT_EQ(Count(picture, cache, {0, 0, picture.Width(), picture.Height()}), 0);
}

TEST_F(FrameProviderTest, AFormNotShownByTheToolkitIsValidatedByItsOwnHandlingInsteadOfRepaintedForever) {
  TForm *form = Form();
  manager->SetSkinName(InternalSkinName);
  int paints = 0;
  TWindowHook counter;
  counter.Attach(form->WindowHooks(), [&](TMessage &m, const TWindowHookNext &next) {
    paints += m.Msg == WM_PAINT;
    next(m);
  });
  // The window appears without the toolkit knowing: the form does not count as showing.
  ShowWindow(form->Handle(), SW_SHOWNA);
  PumpUntil([] { return false; }, 200);
  EXPECT_TRUE(provider->Skinned()); // its new window took the skin
  EXPECT_LE(paints, 2);
  EXPECT_FALSE(GetUpdateRect(form->Handle(), nullptr, FALSE));
  counter.Detach();
  ShowWindow(form->Handle(), SW_HIDE);
}

TEST_F(FrameProviderTest, WithoutACloseButtonPictureCloseIsStillPlacedAndNoPressAtTheLeftCloses) {
  manager.reset();
  manager = std::make_unique<TsSkinManager>(nullptr);
  AddInternalSkin(*manager, InternalSkinName, PackWithout({"BICONCLOSE"}));
  TForm *form = Form();
  Skin(form);
  const HWND window = form->Handle();
  EXPECT_NE(Hit(window, 0, ButtonMiddle()), HTCLOSE);
  EXPECT_NE(Hit(window, 1, ButtonMiddle()), HTCLOSE);
  EXPECT_EQ(Hit(window, ButtonsRight(form) - 10, ButtonMiddle()), HTCLOSE);
}

// Switching redraw off hides a child window; it is switched back on all the same.
TEST_F(FrameProviderTest, ChildrenSwitchedOffForAShowAreSwitchedOnAgain) {
  TForm *form = Form();
  form->Show();
  const HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, form->Handle(), nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  {
    const TsChildRedrawLock lock(form->Handle());
    EXPECT_FALSE(IsWindowVisible(child));
  }
  EXPECT_TRUE(IsWindowVisible(child));
  DestroyWindow(child);
}

TEST_F(FrameProviderTest, AProviderReadFromAStoredLayoutTakesItsManagerSectionAndTitleButtons) {
  auto *form = Application->CreateForm<TForm>(R"(
    object Form1 : TForm {
      Caption = "Layout"
      BorderStyle = bsSingle
      BorderIcons = [biSystemMenu, biMinimize]
      object sSkinProvider1 : TsSkinProvider {
        SkinData.SkinManager = sSkinManager1
        SkinData.SkinSection = "FORM"
        TitleButtons = collection { item { Name = "Pin" } item { Name = "Off" Enabled = false } }
      }
      object sSkinManager1 : TsSkinManager {
        IsDefault = false
      }
    })");
  ASSERT_NE(form, nullptr);
  forms.push_back(form);
  auto *stored = form->FindComponent<TsSkinProvider>("sSkinProvider1");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->SkinData().StoredManager(), form->FindComponent<TsSkinManager>("sSkinManager1"));
  EXPECT_EQ(stored->SkinData().SkinSection(), "FORM");
  ASSERT_EQ(stored->TitleButtons().Count(), 2);
  EXPECT_EQ(stored->TitleButtons().Items(0)->Name(), "Pin");
  EXPECT_FALSE(stored->TitleButtons().Items(1)->Enabled());
  // A second provider on the same form stays inert.
  auto *second = TComponent::Create<TsSkinProvider>(form);
  EXPECT_EQ(second->Form(), nullptr);
  EXPECT_EQ(QueryProvider(*form), static_cast<TsFrameProviderLink *>(stored));
}

// A provider freed before its form gives the form the system's frame back.
TEST_F(FrameProviderTest, AProviderFreedBeforeItsFormLeavesTheSystemFrame) {
  TForm *form = Form();
  Skin(form);
  const HWND window = form->Handle();
  RECT box;
  ASSERT_NE(GetWindowRgnBox(window, &box), ERROR);
  provider->Free();
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(GetWindowRgnBox(window, &box), ERROR);
  EXPECT_EQ(QueryProvider(*form), nullptr);
  EXPECT_EQ(std::count(SkinnedForms().begin(), SkinnedForms().end(), form), 0);
}

// Timing mode (--gtest_also_run_disabled_tests --gtest_filter=*Timing*): a repaint of the whole window
// (frame and client area) from a warm cache against the same form unskinned, and a full render of the
// frame cache, as a share of a 16 ms frame.
TEST_F(FrameProviderTest, DISABLED_FrameRepaintTiming) {
  TForm *form = Form(TFormBorderStyle::bsSizeable);
  Skin(form);
  const HWND window = form->Handle();
  constexpr int Repeats = 300;
  auto perPaint = [&](const std::function<void()> &paint) {
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < Repeats; ++i)
      paint();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count() / Repeats;
  };
  auto repaint = [&] { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW); };
  const double skinned = perPaint(repaint);
  const double render = perPaint([&] {
    provider->Frame().InvalidateCache();
    provider->Frame().FullRender = true;
    provider->Frame().Render();
  });
  manager->SetActive(false);
  const double plain = perPaint(repaint);
  std::printf("window repaint %.3f ms skinned, %.3f ms unskinned (ratio %.2f); full frame render %.3f ms, %.1f%% "
              "of a 16 ms frame\n",
              skinned, plain, skinned / plain, render, 100.0 * render / 16.0);
}

} // namespace
