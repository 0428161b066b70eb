// The skin manager with real windows: how a skin set, refreshed and cleared reaches forms and controls,
// controls that paint from their parent's background, the look without a skin, and fades on their ticks.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "skin/model/SystemColors.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/Blending.h"
#include "skin/engine/win/CommonData.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/engine/win/Fades.h"
#include "skin/engine/win/SkinEngine.h"
#include "tests/skin_engine/ManagerTestSupport.h"
#include "tests/toolkit/UiTestSupport.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/WindowSubclass.h"

namespace {

using Log = std::vector<std::string>;

// A windowed control skinned by its skin data, as the skinned controls are: it records the announcements
// it gets, passes them on to its children, paints from its cache and answers the fade's requests.
class TRecordingControl : public TCustomControl {
public:
  TRecordingControl(TComponent *owner, Log &log, const std::string &section) : TCustomControl(owner), log_(log) {
    SkinData.SetSkinSection(section);
  }
  TsCommonData SkinData{*this, true};
  TsFadeSlot Fade;
  int State = 0;
  std::vector<Image24> FadeFrames;
  std::vector<std::chrono::steady_clock::time_point> FadeTimes;
  bool Stopped = false;

  // What the control shows, painted into an image.
  Image24 Snapshot() {
    Image24 image = CreateDib24(Width(), Height());
    ImageSurface surface(image);
    PaintWindow(surface.Handle());
    return image;
  }

protected:
  void WndProc(TMessage &m) override {
    if (m.Msg != SM_TESSORACMD) {
      if (!SkinData.HandleMessage(m)) TCustomControl::WndProc(m);
      return;
    }
    const uint16_t command = SkinCommandOf(m.WParam);
    if (const std::string name = AnnouncementName(command); !name.empty()) log_.push_back(name + " " + Name());
    switch (command) {
    case AC_STOPFADE:
      StopFade(Fade);
      Stopped = true;
      SendToChildren(*this, m);
      return;
    case AC_PREPAREPAINT: SkinData.RepaintCache(State); return;
    case AC_PAINTFADE:
      FadeFrames.push_back(reinterpret_cast<const Image24 *>(m.LParam)->Clone());
      FadeTimes.push_back(std::chrono::steady_clock::now());
      m.Result = 0;
      return;
    default: break;
    }
    SkinData.HandleSkinCommand(m);
    if (command == AC_SKINSET || command == AC_SKINREFRESH || command == AC_SKINCLEARED) {
      SendToChildren(*this, m);
      if (command != AC_SKINSET) Invalidate();
    }
  }
  void PaintWindow(HDC dc) override {
    if (!SkinData.UsesSkin()) {
      RECT r = ClientRect();
      FillRectColor(dc, r, clBtnFace);
      return;
    }
    if (SkinData.PaintSuspended()) return;
    if (SkinData.BackgroundStale) SkinData.RepaintCache(State);
    ImageSurface cache(SkinData.CacheImage);
    BitBlt(dc, 0, 0, Width(), Height(), cache.Handle(), 0, 0, SRCCOPY);
  }

private:
  Log &log_;
};

// A form that records the announcements its window gets.
class TRecordingForm : public TForm {
public:
  TRecordingForm(TComponent *owner, Log &log) : TForm(owner), log_(log) {}

protected:
  void WndProc(TMessage &m) override {
    if (m.Msg == SM_TESSORACMD)
      if (const std::string name = AnnouncementName(SkinCommandOf(m.WParam)); !name.empty())
        log_.push_back(name + " " + Name());
    TForm::WndProc(m);
  }
  Log &log_;
};

// Stands for a frame provider: the form answers that it is skinned and names the provider.
class FakeProvider final : public TsFrameProviderLink {
public:
  FakeProvider(TCustomForm &form, TsSkinManager &manager, Log &log) : form_(form), manager_(manager), log_(log) {
    hook_.Attach(form.WindowHooks(), [this](TMessage &m, const TWindowHookNext &next) {
      if (m.Msg == SM_TESSORACMD && SkinCommandOf(m.WParam) == AC_QUERYSKINNED) {
        m.Result = 1;
        return;
      }
      if (m.Msg == SM_TESSORACMD && SkinCommandOf(m.WParam) == AC_QUERYPROVIDER) {
        m.Result = reinterpret_cast<LRESULT>(static_cast<TsFrameProviderLink *>(this));
        return;
      }
      if (m.Msg == WM_SETREDRAW) log_.push_back(std::string(m.WParam ? "redraw on " : "redraw off ") + form_.Name());
      next(m);
    });
    AddSkinnedForm(form);
  }
  ~FakeProvider() override { RemoveSkinnedForm(form_); }
  TsSkinManager *ProviderManager() const override { return &manager_; }
  void UpdateFrame() override { log_.push_back("update frame " + form_.Name()); }
  void PrepareFrame() override {}

private:
  TCustomForm &form_;
  TsSkinManager &manager_;
  Log &log_;
  TWindowHook hook_;
};

class SkinWindowsTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    InitializeSkinEngine();
  }
  SkinWindowsTest() {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddInternalSkin(*manager, InternalSkinName, BlueGauzePack());
    manager->AnimEffects().SkinChanging.Active = false;
    SetButtonEventMask(AllBtnEvents);
  }
  ~SkinWindowsTest() override {
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
      (*it)->Free();
    manager.reset();
  }

  TRecordingForm *Form(const std::string &name, int left) {
    auto *form = TComponent::Create<TRecordingForm>(Application, log);
    form->SetName(name);
    form->SetBounds(left, 40, 300, 200);
    forms.push_back(form);
    return form;
  }
  TRecordingControl *Control(TWinControl *parent, const std::string &name, const std::string &section, RECT bounds) {
    TComponent *owner = parent->ParentForm() ? static_cast<TComponent *>(parent->ParentForm()) : parent;
    auto *control = TComponent::Create<TRecordingControl>(owner, log, section);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    return control;
  }
  Log Only(const std::string &prefix) const {
    Log result;
    for (const auto &entry : log)
      if (entry.starts_with(prefix)) result.push_back(entry);
    return result;
  }

  Log log;
  std::unique_ptr<TsSkinManager> manager;
  std::vector<TForm *> forms;
};

TEST_F(SkinWindowsTest, ASkinReachesPlainFormsThenSkinnedFormsEachWithItsControls) {
  TRecordingForm *plain = Form("Plain", 20);
  TRecordingControl *first = Control(plain, "First", "EDIT", {8, 8, 108, 29});
  TRecordingControl *panel = Control(plain, "Panel", "PANEL", {8, 40, 208, 140});
  Control(panel, "Inner", "BUTTON", {10, 10, 85, 31});
  TRecordingControl *skipped = Control(plain, "Skipped", "BUTTON", {120, 8, 195, 29});
  skipped->SetTag(NoSkinTag);
  TRecordingForm *skinned = Form("Skinned", 340);
  Control(skinned, "OnSkinned", "BUTTON", {8, 8, 83, 29});
  FakeProvider provider(*skinned, *manager, log);
  plain->Show();
  skinned->Show();
  (void)first;

  manager->SetSkinName(InternalSkinName);
  const Log each = {"Plain", "First", "Panel", "Inner", "Skipped", "Skinned", "OnSkinned"};
  Log expected;
  for (const char *command : {"SKINSET", "STOPFADE", "SKINREFRESH"})
    for (const auto &name : each)
      expected.push_back(std::string(command) + " " + name);
  Log announcements;
  for (const auto &entry : log)
    if (!entry.starts_with("redraw") && !entry.starts_with("update")) announcements.push_back(entry);
  EXPECT_EQ(announcements, expected);
  // Only the skinned form is frozen and thawed, and its frame updated after it is thawed.
  EXPECT_EQ(Only("redraw"), (Log{"redraw off Skinned", "redraw off Skinned", "redraw on Skinned"}));
  EXPECT_EQ(Only("update"), (Log{"update frame Skinned"}));
  EXPECT_TRUE(first->SkinData.UsesSkin());

  log.clear();
  manager->SetActive(false);
  Log cleared;
  for (const auto &name : each)
    cleared.push_back("SKINCLEARED " + name);
  EXPECT_EQ(log, cleared);
  EXPECT_FALSE(first->SkinData.UsesSkin());
}

// -98 keeps the dialog hook and the window adapters away; a skinned control or form so marked still takes
// the skin.
TEST_F(SkinWindowsTest, ControlsAndFormsTaggedAgainstAutomaticSkinningStillTakeTheSkin) {
  TRecordingForm *form = Form("Tagged", 20);
  form->SetTag(NoSkinTag);
  TRecordingControl *button = Control(form, "Button", "BUTTON", {8, 8, 83, 29});
  button->SetTag(NoSkinTag);
  form->Show();
  manager->SetSkinName(InternalSkinName);
  EXPECT_EQ(Only("SKINSET"), (Log{"SKINSET Tagged", "SKINSET Button"}));
  EXPECT_TRUE(ExcludedFromSkinning(*button));
  EXPECT_TRUE(button->SkinData.UsesSkin());
  EXPECT_NE(button->Snapshot().Pixel(37, 10), ResolveSystemColor(clBtnFace));
}

// The client window that holds the child forms of an MDI main form hears every announcement too.
TEST_F(SkinWindowsTest, TheClientWindowOfAnMdiMainFormGetsTheAnnouncements) {
  TRecordingForm *main = Form("Main", 20);
  main->SetFormStyle(TFormStyle::fsMDIForm);
  main->Show();
  CLIENTCREATESTRUCT client{nullptr, 0xFF00};
  const HWND window = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, main->Handle(),
                                      nullptr, GetModuleHandleW(nullptr), &client);
  ASSERT_NE(window, nullptr);
  {
    WindowSubclass recorder(window, [&](TMessage &m) {
      if (m.Msg == SM_TESSORACMD)
        if (const std::string name = AnnouncementName(SkinCommandOf(m.WParam)); !name.empty())
          log.push_back(name + " client");
      return false;
    });
    manager->SetSkinName(InternalSkinName);
    manager->SetActive(false);
  }
  DestroyWindow(window);
  EXPECT_EQ(Only("SKIN"), (Log{"SKINSET Main", "SKINSET client", "SKINREFRESH Main", "SKINREFRESH client",
                               "SKINCLEARED Main", "SKINCLEARED client"}));
}

TEST_F(SkinWindowsTest, MakingTheManagerInactiveReturnsTheSystemLook) {
  TRecordingForm *form = Form("Plain", 20);
  TRecordingControl *button = Control(form, "Button", "BUTTON", {8, 8, 83, 29});
  form->Show();
  manager->SetSkinName(InternalSkinName);
  const TColor skinned = button->Snapshot().Pixel(37, 10);
  EXPECT_NE(skinned, ResolveSystemColor(clBtnFace));
  EXPECT_FALSE(button->SkinData.CacheImage.Empty());

  manager->SetActive(false);
  EXPECT_EQ(button->Snapshot().Pixel(37, 10), ResolveSystemColor(clBtnFace));
  EXPECT_TRUE(button->SkinData.CacheImage.Empty());
  EXPECT_EQ(button->SkinData.SectionIdx, -1);

  manager->SetActive(true);
  EXPECT_EQ(button->Snapshot().Pixel(37, 10), skinned);
}

TEST_F(SkinWindowsTest, AControlPaintsItsSeeThroughPartsFromItsParentsBackground) {
  // A fully see-through section and the form's patterned background under it.
  manager->SetCommonSections({"[GLASS]", "TRANSPARENCY=100", "COLOR=255"});
  TRecordingForm *form = Form("Plain", 20);
  TRecordingControl *panel = Control(form, "Panel", "FORM", {0, 0, 280, 160});
  TRecordingControl *glass = Control(panel, "Glass", "GLASS", {37, 23, 97, 53});
  form->Show();
  manager->SetSkinName(InternalSkinName);
  panel->Update();
  glass->Update();
  ASSERT_FALSE(panel->SkinData.CacheImage.Empty());
  const Image24 &behind = panel->SkinData.CacheImage;
  const Image24 &cache = glass->SkinData.CacheImage;
  ASSERT_EQ(cache.Width(), 60);
  int differing = 0;
  for (int y = 0; y < cache.Height(); ++y)
    for (int x = 0; x < cache.Width(); ++x)
      differing += cache.Pixel(x, y) != behind.Pixel(37 + x, 23 + y);
  EXPECT_EQ(differing, 0);
  // The background is not one colour, so the place in the parent matters.
  bool varies = false;
  for (int y = 0; y < cache.Height(); ++y)
    for (int x = 0; x < cache.Width(); ++x)
      varies |= behind.Pixel(37 + x, 23 + y) != behind.Pixel(37, 23);
  EXPECT_TRUE(varies);

  // The colour the see-through control gives its own children is its parent's.
  const TsParentLink parentOfGlass = glass->SkinData.ParentLink();
  ASSERT_TRUE(parentOfGlass.QueryColor);
  const auto panelColor = parentOfGlass.QueryColor();
  ASSERT_TRUE(panelColor.has_value());
  EXPECT_EQ(*panelColor, ResolveSystemColor(panel->SkinData.Section()->Color));
  TColor answer = KeyColor;
  TMessage ask = SkinCommand(AC_QUERYCOLOR, 0, reinterpret_cast<LPARAM>(&answer));
  glass->Dispatch(ask);
  EXPECT_EQ(answer, *panelColor);

  // A child of a stale parent waits for it.
  panel->SkinData.BackgroundStale = true;
  EXPECT_TRUE(glass->SkinData.PaintSuspended());
}

// A window's cache copied to the screen leaves out its child windows, which paint themselves; a group box
// window shows the cache inside its frame and keeps only its caption band and frame strips.
TEST_F(SkinWindowsTest, TheCacheReachesAWindowAroundItsChildrenAndInsideGroupBoxes) {
  TRecordingForm *form = Form("Plain", 20);
  TRecordingControl *panel = Control(form, "Panel", "PANEL", {8, 8, 208, 108});
  form->Show();
  manager->SetSkinName(InternalSkinName);
  auto child = [&](const wchar_t *windowClass, DWORD style, RECT b) {
    return CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, b.left, b.top, b.right - b.left,
                           b.bottom - b.top, panel->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  };
  const HWND group = child(L"BUTTON", BS_GROUPBOX, {10, 10, 110, 70});
  const HWND label = child(L"STATIC", 0, {130, 10, 180, 40});
  panel->SkinData.PrepareCacheImage();
  panel->SkinData.CacheImage.Fill(0x00AA00);
  Image24 screen = CreateDib24(200, 100);
  screen.Fill(0x0000FF);
  {
    ImageSurface surface(screen);
    panel->SkinData.CopyCacheToDCWindows(panel->Handle(), TPoint{}, 0, 0, false, surface.Handle(),
                                         RECT{0, 0, 200, 100});
  }
  DestroyWindow(label);
  DestroyWindow(group);
  // "GROUPBOX" has frame strips one pixel wide; the group box gives no caption band, so its top strip is it.
  EXPECT_EQ(screen.Pixel(50, 40), 0x00AA00);
  EXPECT_EQ(screen.Pixel(11, 11), 0x00AA00);
  for (POINT strip : {POINT{50, 10}, POINT{10, 40}, POINT{109, 40}, POINT{50, 69}})
    EXPECT_EQ(screen.Pixel(strip.x, strip.y), 0x0000FF) << strip.x << "," << strip.y;
  EXPECT_EQ(screen.Pixel(150, 20), 0x0000FF);
  EXPECT_EQ(screen.Pixel(190, 90), 0x00AA00);
}

// The mouse notice of a control entered can come without the toolkit's own leave notice to the speed button
// that had the mouse: the skinned parent sends it, so no two buttons show the mouse.
TEST_F(SkinWindowsTest, EnteringOneSpeedButtonTellsTheOtherThatTheMouseLeftIt) {
  TRecordingForm *form = Form("Plain", 20);
  TRecordingControl *panel = Control(form, "Panel", "PANEL", {8, 8, 208, 108});
  auto *first = TComponent::Create<TSpeedButton>(form);
  auto *second = TComponent::Create<TSpeedButton>(form);
  first->SetParent(panel);
  second->SetParent(panel);
  first->SetBounds(4, 4, 23, 22);
  second->SetBounds(30, 4, 23, 22);
  int leaves = 0;
  first->OnMouseLeave = [&](TObject *) { ++leaves; };
  form->Show();
  manager->SetSkinName(InternalSkinName);
  first->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  ASSERT_TRUE(first->MouseInControl());
  EXPECT_EQ(leaves, 0);
  panel->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(leaves, 1);
}

// What the skin data decides for its control: the look of a disabled control, whether an opaque control is
// painted with its parent, and which controls take their section anew when it is reloaded.
TEST_F(SkinWindowsTest, SkinDataFollowsItsControlsSettings) {
  TRecordingForm *form = Form("Plain", 20);
  TRecordingControl *button = Control(form, "Button", "BUTTON", {8, 8, 83, 29});
  TRecordingControl *edit = Control(form, "Edit", "EDIT", {8, 40, 108, 61});
  form->Show();
  manager->SetSkinName(InternalSkinName);

  button->SetEnabled(false);
  button->SkinData.DisabledKind = dkGrayed;
  button->SkinData.RepaintCache(0);
  const Image24 &gray = button->SkinData.CacheImage;
  bool colourless = true;
  for (int y = 0; y < gray.Height(); ++y)
    for (int x = 0; x < gray.Width(); ++x) {
      const TColor c = gray.Pixel(x, y);
      colourless &= RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c);
    }
  EXPECT_TRUE(colourless);
  button->SetEnabled(true);

  EXPECT_FALSE(button->SkinData.ShowsParent());
  button->SetControlStyleFlags(csOpaque, true);
  EXPECT_TRUE(button->SkinData.ShowsParent());

  const int editSection = edit->SkinData.SectionIdx;
  ASSERT_GE(editSection, 0);
  button->SkinData.SectionIdx = edit->SkinData.SectionIdx = -1;
  SetReloadedSection("EDIT");
  SendToChildren(*form, SkinCommand(AC_SECTIONRELOAD));
  SetReloadedSection("");
  EXPECT_EQ(edit->SkinData.SectionIdx, editSection);
  EXPECT_EQ(button->SkinData.SectionIdx, -1);
}

class FadeTest : public SkinWindowsTest {
protected:
  TRecordingControl *PaintedButton() {
    TRecordingForm *form = Form("Plain", 20);
    TRecordingControl *button = Control(form, "Button", "BUTTON", {8, 8, 83, 29});
    form->Show();
    manager->SetSkinName(InternalSkinName);
    button->Update();
    EXPECT_FALSE(button->SkinData.BackgroundStale);
    button->Stopped = false; // the skin change stopped fades too
    return button;
  }
  // The new look the fade must end on: the cache rendered in the new state.
  static Image24 Rendered(TRecordingControl &button) {
    button.SkinData.RepaintCache(button.State);
    return button.SkinData.CacheImage.Clone();
  }
};

TEST_F(FadeTest, AFadeRunsItsIterationsOnTenMillisecondTicksAndEndsOnTheNewLook) {
  TRecordingControl *button = PaintedButton();
  const Image24 before = button->SkinData.CacheImage.Clone();
  const int iterations = button->SkinData.Section()->FadingIterations;
  ASSERT_TRUE(button->SkinData.Section()->FadingEnabled);
  button->State = 1;
  const auto start = std::chrono::steady_clock::now();
  RequestFade(button->Fade, button->SkinData, false, FadeMode::Towards, EventAnimates(beMouseEnter, 1u << aeGlobalDef));
  ASSERT_TRUE(button->Fade);
  EXPECT_EQ(button->Fade->Interval(), 10u);
  EXPECT_TRUE(PumpUntil([&] { return button->Stopped; }, 5000));
  EXPECT_FALSE(button->Fade); // freed when it ended

  ASSERT_EQ(static_cast<int>(button->FadeFrames.size()), iterations);
  // A timer cannot tick faster than its interval.
  EXPECT_GE(button->FadeTimes.back() - start, std::chrono::milliseconds(10 * (iterations - 1)));
  const Image24 target = Rendered(*button);
  auto same = [](const Image24 &a, const Image24 &b) {
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
  };
  EXPECT_TRUE(same(button->FadeFrames.back(), target));
  EXPECT_FALSE(same(button->FadeFrames.front(), target));
  // Each frame lies between the old look and the new one, nearer the new one the later it comes (seen at
  // the pixel where the two looks differ most).
  auto distance = [](TColor a, TColor b) {
    return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) + std::abs(BlueOf(a) - BlueOf(b));
  };
  int px = 0, py = 0;
  for (int y = 0; y < target.Height(); ++y)
    for (int x = 0; x < target.Width(); ++x)
      if (distance(before.Pixel(x, y), target.Pixel(x, y)) > distance(before.Pixel(px, py), target.Pixel(px, py))) {
        px = x;
        py = y;
      }
  ASSERT_GT(distance(before.Pixel(px, py), target.Pixel(px, py)), 20);
  int previous = distance(before.Pixel(px, py), target.Pixel(px, py));
  for (const auto &frame : button->FadeFrames) {
    const int d = distance(frame.Pixel(px, py), target.Pixel(px, py));
    EXPECT_LE(d, previous);
    previous = d;
  }
}

TEST_F(FadeTest, NoFadeStartsForAnEventThatTheSettingsDoNotList) {
  manager->AnimEffects().Buttons.SetEvents(1u << beMouseDown);
  TRecordingControl *button = PaintedButton();
  button->State = 1;
  RequestFade(button->Fade, button->SkinData, false, FadeMode::Towards, EventAnimates(beMouseEnter, 1u << aeGlobalDef));
  EXPECT_FALSE(button->Fade);
  button->Update();
  EXPECT_FALSE(button->SkinData.BackgroundStale); // repainted at once in the new state
  const Image24 shown = button->Snapshot();
  const Image24 target = Rendered(*button);
  EXPECT_EQ(shown.Pixel(37, 10), target.Pixel(37, 10));
  PumpUntil([] { return false; }, 60);
  EXPECT_TRUE(button->FadeFrames.empty());

  // The event the settings list does fade.
  button->State = 2;
  RequestFade(button->Fade, button->SkinData, true, FadeMode::Towards, EventAnimates(beMouseDown, 1u << aeGlobalDef));
  EXPECT_TRUE(button->Fade);
  StopFade(button->Fade);
}

// Timing mode (--gtest_also_run_disabled_tests --gtest_filter=*Timing*): one fade frame (copy of the old
// look, blend with the new one, copy to the window) and one full item paint into the cache, for the install
// button and a panel of the installer's client size, each as a share of the 10 ms tick.
TEST_F(FadeTest, DISABLED_FadeFrameTiming) {
  TRecordingForm *form = Form("Plain", 20);
  form->SetClientSize(460, 240);
  TRecordingControl *panel = Control(form, "Panel", "FORM", {0, 0, 440, 213});
  TRecordingControl *button = Control(panel, "Button", "BUTTON", {357, 18, 432, 39});
  form->Show();
  manager->SetSkinName(InternalSkinName);
  panel->Update();
  button->Update();
  constexpr int Repeats = 300;
  auto share = [](std::chrono::steady_clock::duration total) {
    return 100.0 * std::chrono::duration<double, std::milli>(total).count() / Repeats / FadeIntervalMs;
  };
  for (TRecordingControl *control : {button, panel}) {
    const Image24 start = control->SkinData.CacheImage.Clone();
    auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < Repeats; ++i) {
      Image24 frame = start.Clone();
      BlendImage(frame, control->SkinData.CacheImage, static_cast<uint8_t>(i));
      HDC dc = GetDC(control->Handle());
      ImageSurface surface(frame);
      BitBlt(dc, 0, 0, frame.Width(), frame.Height(), surface.Handle(), 0, 0, SRCCOPY);
      ReleaseDC(control->Handle(), dc);
    }
    const double frameShare = share(std::chrono::steady_clock::now() - begin);
    begin = std::chrono::steady_clock::now();
    for (int i = 0; i < Repeats; ++i)
      control->SkinData.RepaintCache(i % 2);
    const double paintShare = share(std::chrono::steady_clock::now() - begin);
    std::printf("%dx%d: fade frame %.2f%% of the tick, full item paint %.2f%% of the tick\n", control->Width(),
                control->Height(), frameShare, paintShare);
  }
}

} // namespace
