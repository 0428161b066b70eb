// The skinned button and progress bar in a form read from a stored layout, driven by real mouse and
// keyboard input and measured from outside: window styles and regions, clicks, the application's hints,
// pixels on the screen, GDI objects held and what one paint draws.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "skin/controls/win/Button.h"
#include "skin/controls/win/ProgressBar.h"
#include "skin/controls/win/SkinControls.h"
#include "skin/pixels/win/DibStorage.h"
#include "tests/skin_adapters/SkinnedFormsTest.h"
#include "tests/skin_engine/ManagerTestSupport.h"
#include "tests/toolkit/UiTestSupport.h"

namespace {

constexpr const char *kLayout = R"(object Form1 : TForm {
  ClientWidth = 440 ClientHeight = 220
  object sProgressBar1 : TsProgressBar { Left = 8 Top = 192 Width = 425 Height = 16 Min = 0 Max = 7
    SkinData.SkinSection = "GAUGE" }
  object Other : TButton { Left = 8 Top = 18 Width = 75 Height = 21 Caption = "Other" TabOrder = 0 }
  object sButton1 : TsButton { Left = 357 Top = 18 Width = 75 Height = 21 Caption = "Установка" TabOrder = 1
    SkinData.SkinSection = "BUTTON" }
})";

void Settle(unsigned ms = 60) {
  PumpUntil([] { return false; }, ms);
}

// Real input, as a user gives it, then the time to handle it.
void Send(INPUT input) {
  SendInput(1, &input, sizeof input);
  Settle();
}
void Mouse(DWORD flags) {
  INPUT input{INPUT_MOUSE, {}};
  input.mi.dwFlags = flags;
  Send(input);
}
void Key(WORD key, DWORD flags = 0) {
  INPUT input{INPUT_KEYBOARD, {}};
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  Send(input);
}

void MouseTo(TWinControl &control, int x, int y) {
  POINT p{x, y};
  ClientToScreen(control.Handle(), &p);
  SetCursorPos(p.x, p.y);
  Mouse(MOUSEEVENTF_MOVE);
}

bool Pushed(TWinControl &button) { return SendMessageW(button.Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED; }

// What the window shows on the screen.
Image24 OnScreen(TWinControl &control) {
  Image24 image = CreateDib24(control.Width(), control.Height());
  const WindowDC screen(control.Handle(), true);
  const ImageSurface surface(image);
  BitBlt(surface.Handle(), 0, 0, image.Width(), image.Height(), screen.Get(), 0, 0, SRCCOPY);
  return image;
}

bool Same(const Image24 &a, const Image24 &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

// The progress is painted in blues, the trough in greys.
bool IsProgress(TColor c) { return BlueOf(c) > RedOf(c) + 40; }

class SkinnedControlsTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    InitializeSkinControls();
  }
  SkinnedControlsTest() {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddInternalSkin(*manager, InternalSkinName, BlueGauzePack());
    manager->AnimEffects().SkinChanging.Active = false;
    manager->AnimEffects().Buttons.SetEvents(0); // as the installer: no button fades
    form = TComponent::Create<TForm>(Application);
    form->ReadLayout(kLayout);
    form->SetBounds(60, 60, form->Width(), form->Height());
    button = form->FindComponent<TsButton>("sButton1");
    bar = form->FindComponent<TsProgressBar>("sProgressBar1");
    other = form->FindComponent<TButton>("Other");
    button->OnClick = [this](TObject *) { ++clicks; };
    form->Show();
    SetForegroundWindow(form->Handle());
    manager->SetSkinName(InternalSkinName);
    Settle();
  }
  ~SkinnedControlsTest() override {
    if (form) form->Free();
    manager.reset();
    Application->SetShowHint(true);
  }

  std::unique_ptr<TsSkinManager> manager;
  TForm *form = nullptr;
  TsButton *button = nullptr;
  TsProgressBar *bar = nullptr;
  TButton *other = nullptr;
  int clicks = 0;
};

TEST_F(SkinnedControlsTest, AButtonIsOwnerDrawnAndShapedByItsBorderWhileSkinnedAndTheSystemsOnceTheSkinIsCleared) {
  auto *round = TComponent::Create<TsButton>(form);
  round->SetParent(form);
  round->SetBounds(100, 60, 75, 25);
  round->SkinData.SetSkinSection("GAUGE"); // a border with transparent pixels in its corners
  Settle();
  const GdiObject region(CreateRectRgn(0, 0, 0, 0));
  const auto rgn = static_cast<HRGN>(region.Get());
  auto typeOf = [](TWinControl &b) { return GetWindowLongW(b.Handle(), GWL_STYLE) & BS_TYPEMASK; };

  ASSERT_TRUE(button->SkinData.UsesSkin());
  EXPECT_EQ(typeOf(*button), BS_OWNERDRAW);
  EXPECT_EQ(GetWindowRgn(button->Handle(), rgn), SIMPLEREGION); // "BUTTON" has no transparent corners
  EXPECT_EQ(typeOf(*round), BS_OWNERDRAW);
  ASSERT_EQ(GetWindowRgn(round->Handle(), rgn), COMPLEXREGION);
  // The corner blocks are 3 pixels wide; each has one transparent pixel in its inner corner.
  EXPECT_TRUE(PtInRegion(rgn, 1, 1));
  EXPECT_FALSE(PtInRegion(rgn, 2, 2));
  EXPECT_FALSE(PtInRegion(rgn, 72, 22));

  // A change of style from outside with a redraw (a default-button switch makes one) is undone by the next
  // paint without asking for another paint: the button then stays quiet.
  int paints = 0;
  TWindowHook counter;
  counter.Attach(button->WindowHooks(), [&](TMessage &m, const TWindowHookNext &next) {
    paints += m.Msg == WM_PAINT;
    next(m);
  });
  SendMessageW(button->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  Settle(300);
  EXPECT_EQ(typeOf(*button), BS_OWNERDRAW);
  EXPECT_EQ(paints, 1);

  manager->SetActive(false);
  Settle();
  for (TsButton *b : {button, round}) {
    EXPECT_NE(typeOf(*b), BS_OWNERDRAW);
    EXPECT_EQ(GetWindowRgn(b->Handle(), rgn), ERROR); // no shape: the whole window
  }
}

TEST_F(SkinnedControlsTest, APressDraggedOffDoesNotClickAndOneReleasedOnTheButtonDoes) {
  Application->SetShowHint(true);
  button->SetFocus();
  MouseTo(*button, 30, 10);
  const Image24 hovered = OnScreen(*button); // focused and hovered: active
  Mouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(Pushed(*button));
  EXPECT_FALSE(Application->ShowHint()); // no hint pops up over a press
  // The manager's button events are empty: the pressed face is there at once, without a fade.
  EXPECT_FALSE(button->Fading());
  EXPECT_FALSE(Same(OnScreen(*button), hovered));

  MouseTo(*button, 30, 60); // off the button, still held
  EXPECT_FALSE(Pushed(*button));
  EXPECT_TRUE(Same(OnScreen(*button), hovered)); // still focused, so active
  Mouse(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(Application->ShowHint());

  MouseTo(*button, 30, 10);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(Pushed(*button));
  EXPECT_TRUE(Same(OnScreen(*button), hovered));
}

TEST_F(SkinnedControlsTest, SpacePressedAndReleasedAndEnterClickTheFocusedButton) {
  MouseTo(*form, 200, 120); // not over the button
  button->SetFocus();
  Settle();
  const Image24 focused = OnScreen(*button);
  Key(VK_SPACE);
  ASSERT_TRUE(Pushed(*button));
  EXPECT_FALSE(Same(OnScreen(*button), focused));
  EXPECT_EQ(clicks, 0);
  Key(VK_SPACE, KEYEVENTF_KEYUP);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Same(OnScreen(*button), focused));

  Key(VK_RETURN);
  Key(VK_RETURN, KEYEVENTF_KEYUP);
  EXPECT_EQ(clicks, 2);
}

// Hints go off with a left press and come back however the press ends.
TEST_F(SkinnedControlsTest, HintsComeBackWhenAButtonHeldDownByTheProgramIsReleasedOrThePressLosesTheFocus) {
  Application->SetShowHint(true);
  button->SetDown(true);
  MouseTo(*button, 30, 10);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  EXPECT_FALSE(Application->ShowHint());
  Mouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(Application->ShowHint());
  EXPECT_EQ(clicks, 1);
  button->SetDown(false);

  Mouse(MOUSEEVENTF_LEFTDOWN);
  EXPECT_FALSE(Application->ShowHint());
  other->SetFocus();
  Settle();
  EXPECT_TRUE(Application->ShowHint());
  EXPECT_FALSE(Pushed(*button));
  Mouse(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Application->ShowHint());
}

// A release while the press still fades in shows the fully pressed face for 30 ms first. Meanwhile only
// paint messages are handled, so work queued then (here: freeing the whole form) waits until the
// button's release is over.
TEST_F(SkinnedControlsTest, AReleaseDuringThePressFadeHoldsThePressedFaceAndRunsNothingElseMeanwhile) {
  manager->AnimEffects().Buttons.SetEvents(AllBtnEvents);
  MouseTo(*button, 30, 10);
  ASSERT_TRUE(PumpUntil([&] { return !button->Fading(); })); // the hover fade
  bool releasing = false, ranDuringRelease = false, freed = false;
  std::chrono::steady_clock::duration held{};
  TWindowHook hook;
  hook.Attach(button->WindowHooks(), [&](TMessage &m, const TWindowHookNext &next) {
    if (m.Msg != WM_LBUTTONUP) return next(m);
    After(1, [&] {
      ranDuringRelease = releasing;
      form->Free();
      form = nullptr;
      freed = true;
    });
    releasing = true;
    const auto start = std::chrono::steady_clock::now();
    next(m);
    held = std::chrono::steady_clock::now() - start;
    releasing = false;
  });
  Mouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(button->Fading());
  Mouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return freed; }));
  EXPECT_FALSE(ranDuringRelease);
  EXPECT_GE(held, std::chrono::milliseconds(30));
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinnedControlsTest, TheProgressBarShowsItsTroughAtZeroItsBlocksAsItAdvancesAndEveryBlockAtTheMaximum) {
  auto progressColumns = [](const Image24 &image, int row) {
    std::vector<int> columns;
    for (int x = 0; x < image.Width(); ++x)
      if (IsProgress(image.Pixel(x, row))) columns.push_back(x);
    return columns;
  };
  auto shown = [&](int position) {
    bar->SetPosition(position);
    bar->Update();
    return OnScreen(*bar);
  };
  const Image24 trough = shown(0);
  for (int y = 0; y < trough.Height(); ++y)
    EXPECT_TRUE(progressColumns(trough, y).empty()) << y;

  const Image24 first = shown(1);
  const std::vector<int> columns = progressColumns(first, 8);
  ASSERT_FALSE(columns.empty());
  EXPECT_EQ(columns.front(), 1);
  EXPECT_EQ(columns.back(), 58); // the sixth block ends at 58
  EXPECT_FALSE(IsProgress(first.Pixel(9, 8)));
  EXPECT_TRUE(IsProgress(first.Pixel(11, 8)));

  const Image24 full = shown(7);
  EXPECT_EQ(progressColumns(full, 8).back(), 423); // the remainder block reaches the area's end
  // The trough's frame shows all round: blocks are cut to the progress area.
  for (int x = 0; x < full.Width(); ++x) {
    EXPECT_EQ(full.Pixel(x, 0), trough.Pixel(x, 0)) << x;
    EXPECT_EQ(full.Pixel(x, 15), trough.Pixel(x, 15)) << x;
  }
  for (int y = 0; y < full.Height(); ++y)
    EXPECT_EQ(full.Pixel(424, y), trough.Pixel(424, y)) << y;

  // A bar without range (here one that never had one) shows its trough.
  bar->SetMax(0);
  bar->SkinData.CacheImage = Image24();
  EXPECT_TRUE(Same(shown(0), trough));
}

TEST_F(SkinnedControlsTest, AThousandPaintsHoldNoMoreGdiObjectsAndEachPaintIsOneCopy) {
  const GdiUsage before = ToolkitGdiUsage();
  const DWORD processBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 1000; ++i) {
    // A new width each time gives the button a new window shape.
    button->SetWidth(75 + i % 2);
    bar->SetPosition(i % 8);
    button->Update();
    bar->Update();
  }
  const GdiUsage after = ToolkitGdiUsage();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.deviceContexts, before.deviceContexts);
  EXPECT_EQ(after.deletedWhileSelected, before.deletedWhileSelected);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), processBefore);

  button->SetFocus();
  Settle();
  for (TWinControl *control : {static_cast<TWinControl *>(button), static_cast<TWinControl *>(bar)})
    EXPECT_EQ(DrawingRecordsOfOnePrint(control->Handle()), std::vector<DWORD>{EMR_BITBLT}) << control->Name();
}

// Timing mode (--gtest_also_run_disabled_tests --gtest_filter=*Timing*): a repaint of the skinned button
// and bar (each copies the face it keeps) against the system's button and bar of the same size, side by side.
TEST_F(SkinnedControlsTest, DISABLED_PaintTiming) {
  auto *plainButton = TComponent::Create<TButton>(form);
  auto *plainBar = TComponent::Create<TProgressBar>(form);
  plainButton->SetParent(form);
  plainBar->SetParent(form);
  plainButton->SetBounds(260, 18, 75, 21);
  plainBar->SetBounds(8, 160, 425, 16);
  plainBar->SetMax(7);
  Settle();
  constexpr int Repeats = 500;
  auto perPaint = [&](TWinControl &control) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Repeats; ++i)
      RedrawWindow(control.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / Repeats;
  };
  for (int position : {0, 7}) {
    bar->SetPosition(position);
    plainBar->SetPosition(position);
    const double skinned = perPaint(*bar), system = perPaint(*plainBar);
    std::printf("bar at %d: skinned %.1f us, system %.1f us, ratio %.2f\n", position, skinned, system,
                skinned / system);
  }
  const double skinned = perPaint(*button), system = perPaint(*plainButton);
  std::printf("button: skinned %.1f us, system %.1f us, ratio %.2f\n", skinned, system, skinned / system);
}

} // namespace
