// Skinned dialogs with real windows: the program's message form and a system message box take the skin
// when they are activated and keep their texts, buttons, answers and copying; a second system box keeps
// the system's look; the rules and the skin's removal switch it all off; what was attached goes with its
// window; handles stay flat over many dialogs.

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "skin/adapters/win/BtnWnd.h"
#include "skin/dialogs/win/DialogHook.h"
#include "skin/menus/win/MenuWindow.h"
#include "skin/dialogs/win/DialogProvider.h"
#include "skin/dialogs/win/SkinDialogs.h"
#include "skin/dialogs/win/StaticWnd.h"
#include "skin/engine/win/SkinDelivery.h"
#include "tests/skin_adapters/SkinnedFormsTest.h"
#include "tests/toolkit/UiTestSupport.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

bool HasRegion(HWND window) {
  RECT box;
  return GetWindowRgnBox(window, &box) != ERROR;
}

bool Skinned(HWND window) {
  const TMessage answer = SendSkinCommand(window, AC_QUERYSKINNED);
  return answer.LParam == 1 || answer.Result == 1;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::string &className) {
  std::vector<HWND> found;
  for (HWND child : ChildWindowsLeftToRight(parent))
    if (ClassNameOf(child) == className) found.push_back(child);
  return found;
}

POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point a little inside the right top of the title part that the window answers with the hit code.
POINT TitlePointWithHit(HWND window, LRESULT hit) {
  RECT r;
  GetWindowRect(window, &r);
  for (int y = r.top + 2; y < r.top + 30; ++y)
    for (int x = r.right - 2; x > r.left; --x)
      if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) return POINT{x - 3, y + 3};
  return POINT{-1, -1};
}

void Chord(WORD modifier, WORD key) {
  INPUT input[4]{};
  for (INPUT &i : input)
    i.type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[3].ki.wVk = modifier;
  input[1].ki.wVk = input[2].ki.wVk = key;
  input[2].ki.dwFlags = input[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, input, sizeof(INPUT));
  Pump(50);
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = Narrow(static_cast<const wchar_t *>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Runs action on the window of the class once it shows; a fatal failure in it closes the window, so the
// modal loop that showed it ends.
void Inspect(const wchar_t *className, std::function<void(HWND)> action) {
  WhenWindowAppears(className, [action = std::move(action)](HWND window) {
    action(window);
    if (::testing::Test::HasFatalFailure() && IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
  });
}

int SystemDialogProviders() {
  const auto &all = DialogProviders();
  return static_cast<int>(
      std::count_if(all.begin(), all.end(), [](const TacProvider *p) { return p->DialogAdapter(); }));
}

// A system message box of the owner, shown modally; inspect runs once it shows and must answer it.
int SystemBox(HWND owner, const wchar_t *text, std::function<void(HWND)> inspect) {
  Inspect(L"#32770", std::move(inspect));
  return MessageBoxW(owner, text, L"Kelvora", MB_OKCANCEL | MB_ICONINFORMATION);
}

class DialogsTest : public SkinnedFormsTest {
protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    InitializeSkinDialogs();
  }
  TForm *Owner() {
    TForm *owner = Form(300, 150);
    Pump(50);
    return owner;
  }
};

TEST_F(DialogsTest, TheMessageFormTakesTheSkinAndKeepsItsTextButtonsAnswersAndCopying) {
  LoadSkin();
  Owner();
  bool inspected = false;
  Inspect(L"TMessageForm", [&](HWND dialog) {
    inspected = true;
    auto *form = dynamic_cast<TMessageForm *>(TWinControl::FindControl(dialog));
    const TacProvider *provider = FindDialogProvider(dialog);
    ASSERT_TRUE(form && provider && provider->FrameProvider());
    Pump(100);
    EXPECT_EQ(SendSkinCommand(dialog, AC_QUERYSKINNED).Result, 1);
    EXPECT_TRUE(HasRegion(dialog));
    EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU);
    const TsTitleRules rules = provider->FrameProvider()->Frame().Rules();
    EXPECT_TRUE(rules.CloseVisible);
    EXPECT_FALSE(rules.MinVisible || rules.MaxVisible);
    const std::vector<HWND> buttons = ChildrenOfClass(dialog, "TButton");
    ASSERT_EQ(buttons.size(), 2u);
    for (HWND button : buttons)
      EXPECT_TRUE(dynamic_cast<TacBtnWnd *>(TacMainWnd::Of(button)));
    EXPECT_EQ(dynamic_cast<TacBtnWnd *>(TacMainWnd::Of(buttons[0]))->StateIndex(), 1); // the default "&Yes"
    EXPECT_TRUE(form->FindComponent<TLabel>("Message")->Transparent());
    Chord(VK_CONTROL, 'C');
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(MessageDlg("Продолжить установку?", TMsgDlgType::mtConfirmation, mbYes | mbNo), mrYes);
  EXPECT_TRUE(inspected);
  const std::string copied = ClipboardText();
  EXPECT_NE(copied.find("Confirm"), std::string::npos) << copied;
  EXPECT_NE(copied.find("Продолжить установку?"), std::string::npos) << copied;
  EXPECT_NE(copied.find("Yes   No"), std::string::npos) << copied;

  // The skinned Close of the title, clicked with the mouse, answers as the system's would.
  Inspect(L"TMessageForm", [&](HWND dialog) {
    Pump(100);
    const POINT close = TitlePointWithHit(dialog, HTCLOSE);
    ASSERT_NE(close.x, -1);
    MouseTo(close);
    LeftButton(true);
    LeftButton(false);
  });
  EXPECT_EQ(MessageDlg("Закрыть?", TMsgDlgType::mtWarning, mbOK), mrCancel);
  // Each form's provider went with it.
  for (const TacProvider *provider : DialogProviders())
    EXPECT_FALSE(dynamic_cast<TMessageForm *>(provider->Form()));
}

TEST_F(DialogsTest, ASystemBoxTakesTheDialogSkinWhileASecondOneKeepsTheSystemLook) {
  LoadSkin();
  TForm *owner = Owner();
  bool second = false;
  const int answer = SystemBox(owner->Handle(), L"Первый", [&](HWND box) {
    Pump(100);
    const TacProvider *provider = FindDialogProvider(box);
    ASSERT_TRUE(provider && provider->DialogAdapter());
    EXPECT_EQ(provider->DialogAdapter()->Border(), TacDialogBorder::Modal);
    EXPECT_EQ(SendMessageW(box, SM_TESSORACMD, SkinCommandWParam(AC_QUERYSKINNED, 0), 0), 1);
    EXPECT_TRUE(HasRegion(box));
    const std::vector<HWND> buttons = ChildrenOfClass(box, "Button");
    ASSERT_EQ(buttons.size(), 2u);
    for (HWND button : buttons) {
      auto *adapter = dynamic_cast<TacBtnWnd *>(TacMainWnd::Of(button));
      ASSERT_TRUE(adapter);
      EXPECT_TRUE(adapter->DialogMode());
      const Image24 &cache = adapter->SkinData().CacheImage;
      EXPECT_TRUE(SameArea(ScreenOfWindow(button), cache, RECT{0, 0, cache.Width(), cache.Height()}));
    }
    int texts = 0, icons = 0;
    for (HWND child : ChildrenOfClass(box, "Static")) {
      texts +=
          dynamic_cast<TacStaticWnd *>(TacMainWnd::Of(child)) && !dynamic_cast<TacIconWnd *>(TacMainWnd::Of(child));
      icons += dynamic_cast<TacIconWnd *>(TacMainWnd::Of(child)) != nullptr;
    }
    EXPECT_EQ(texts, 1);
    EXPECT_EQ(icons, 1);

    // A second box opened over the first keeps the system's look.
    EXPECT_EQ(SystemBox(box, L"Второй",
                        [&](HWND other) {
                          second = true;
                          EXPECT_NE(other, box);
                          EXPECT_FALSE(FindDialogProvider(other));
                          EXPECT_FALSE(HasRegion(other));
                          EXPECT_FALSE(Skinned(other));
                          PressKey(VK_ESCAPE);
                        }),
              IDCANCEL);
    // The first box answers the mouse on its skinned button.
    MouseTo(CentreOf(buttons[0]));
    LeftButton(true);
    LeftButton(false);
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_TRUE(second);
  EXPECT_EQ(SystemDialogProviders(), 0);
}

TEST_F(DialogsTest, WithoutTheDialogRuleOrAfterTheSkinIsClearedDialogsStayPlain) {
  LoadSkin();
  TForm *owner = Owner();
  EXPECT_TRUE(DialogHookInstalled());
  auto expectPlain = [&] {
    Inspect(L"TMessageForm", [](HWND dialog) {
      EXPECT_FALSE(FindDialogProvider(dialog));
      EXPECT_FALSE(Skinned(dialog));
      EXPECT_FALSE(HasRegion(dialog));
      PressKey(VK_RETURN);
    });
    EXPECT_EQ(MessageDlg("?", TMsgDlgType::mtInformation, mbOK), mrOk);
    EXPECT_EQ(SystemBox(owner->Handle(), L"?",
                        [](HWND box) {
                          EXPECT_FALSE(FindDialogProvider(box));
                          EXPECT_FALSE(HasRegion(box));
                          PressKey(VK_RETURN);
                        }),
              IDOK);
  };
  manager->SetSkinningRules(srStdForms | srThirdParty);
  expectPlain();

  manager->SetSkinningRules(srStdForms | srStdDialogs | srThirdParty);
  EXPECT_TRUE(FindDialogProvider(owner->Handle())); // the owner form was taken as a form of the program
  manager->SetActive(false);
  EXPECT_FALSE(DialogHookInstalled());
  EXPECT_TRUE(DialogProviders().empty());
  EXPECT_TRUE(GetWindowLongW(owner->Handle(), GWL_STYLE) & WS_SYSMENU); // its own frame again
  expectPlain();
}

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

OwnedWindow Child(HWND parent, const wchar_t *className, DWORD style, RECT r) {
  return OwnedWindow(CreateWindowExW(0, className, L"OK", WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr, nullptr));
}

// A tab control of the one vetoed size keeps its dialog unskinned, and the button adapted before it was
// met is given up again; at any other size the dialog takes the skin.
TEST_F(DialogsTest, ATabControlThatVetoesLeavesTheWholeDialogUnskinned) {
  LoadSkin();
  TForm *owner = Owner();
  const OwnedWindow dialog(CreateWindowExW(0, L"#32770", L"Kelvora", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                                           40, 40, 520, 460, owner->Handle(), nullptr, nullptr, nullptr));
  const OwnedWindow button = Child(dialog.get(), L"Button", BS_PUSHBUTTON, {10, 10, 85, 35});
  const OwnedWindow tabs = Child(dialog.get(), L"SysTabControl32", 0, {10, 50, 480, 399});
  ASSERT_TRUE(dialog && button && tabs);
  const LONG buttonStyle = GetWindowLongW(button.get(), GWL_STYLE);
  auto activate = [&] {
    SetForegroundWindow(owner->Handle());
    Pump(50);
    ShowWindow(dialog.get(), SW_SHOW);
    SetForegroundWindow(dialog.get());
    Pump(100);
  };
  activate();
  EXPECT_EQ(GetForegroundWindow(), dialog.get());
  EXPECT_FALSE(FindDialogProvider(dialog.get()));
  EXPECT_FALSE(TacMainWnd::Of(button.get()));
  EXPECT_FALSE(Skinned(button.get()));
  EXPECT_FALSE(HasRegion(dialog.get()));
  EXPECT_EQ(GetWindowLongW(button.get(), GWL_STYLE), buttonStyle);

  SetWindowPos(tabs.get(), nullptr, 0, 0, 470, 350, SWP_NOMOVE | SWP_NOZORDER);
  activate();
  EXPECT_TRUE(FindDialogProvider(dialog.get()));
  EXPECT_TRUE(dynamic_cast<TacBtnWnd *>(TacMainWnd::Of(button.get())));
  EXPECT_TRUE(HasRegion(dialog.get()));
}

TEST_F(DialogsTest, AMenuWindowsAdapterGoesWithItsWindow) {
  LoadSkin();
  TForm *owner = Owner();
  TPopupMenu menu(owner);
  for (const char *caption : {"One", "Two"}) {
    auto *item = TComponent::Create<TMenuItem>(&menu);
    item->SetCaption(caption);
    menu.Items().Add(item);
  }
  int whileOpen = -1;
  for (int i = 0; i < 2; ++i) {
    After(150, [&] {
      whileOpen = AdoptedMenuWindows();
      EndMenu();
    });
    menu.Popup(60, 60);
    Pump(50);
    EXPECT_EQ(whileOpen, 1);
    EXPECT_EQ(AdoptedMenuWindows(), 0);
  }
}

TEST_F(DialogsTest, HandlesStayFlatOverManyDialogs) {
  LoadSkin();
  TForm *owner = Owner();
  auto dialog = [&](int i) {
    if (i % 2) {
      Inspect(L"TMessageForm", [](HWND) { PressKey(VK_ESCAPE); });
      MessageDlg("Повторить?", TMsgDlgType::mtConfirmation, mbYes | mbNo);
    } else {
      SystemBox(owner->Handle(), L"Повторить?", [](HWND) { PressKey(VK_ESCAPE); });
    }
  };
  for (int i = 0; i < 4; ++i)
    dialog(i);
  const GdiUsage before = ToolkitGdiUsage();
  const DWORD processBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 50; ++i)
    dialog(i);
  const GdiUsage after = ToolkitGdiUsage();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.deviceContexts, before.deviceContexts);
  EXPECT_EQ(after.deletedWhileSelected, before.deletedWhileSelected);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), processBefore);
  EXPECT_EQ(SystemDialogProviders(), 0);
  EXPECT_EQ(DialogProviders().size(), 1u); // the owner's
}

} // namespace
