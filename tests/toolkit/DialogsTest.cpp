// The message dialog driven as a user would (keys, clicks, the close box), the default error report,
// and the stand-in that answers both in unit tests.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "toolkit/testing/ScriptedPrompts.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

enum class Act { Enter, Escape, CloseBox, TabThenEnter, KeyN, ClickLast };

struct DialogCase {
  TMsgDlgType type;
  TMsgDlgButtons buttons;
  Act act;
  int expected;
  const char *caption;
  std::vector<std::string> buttonCaptions;
};

struct Seen {
  std::string windowClass, caption, defaultButton;
  std::vector<std::string> buttons;
  bool hasIcon = false;
  bool centred = false;
};

void Perform(HWND dialog, Act act) {
  std::vector<HWND> buttons = ChildWindowsLeftToRight(dialog);
  switch (act) {
  case Act::Enter: return PressKey(VK_RETURN);
  case Act::Escape: return PressKey(VK_ESCAPE);
  case Act::CloseBox: PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); return;
  case Act::TabThenEnter:
    PressKey(VK_TAB);
    After(30, [] { PressKey(VK_RETURN); });
    return;
  case Act::KeyN: PostMessageW(GetFocus(), WM_CHAR, 'n', 1); return;
  case Act::ClickLast: PostMessageW(buttons.back(), BM_CLICK, 0, 0); return;
  }
}

Seen Inspect(HWND dialog) {
  Seen seen;
  seen.windowClass = ClassNameOf(dialog);
  seen.caption = WindowText(dialog);
  for (HWND b : ChildWindowsLeftToRight(dialog)) {
    EXPECT_EQ(ClassNameOf(b), "TButton");
    seen.buttons.push_back(WindowText(b));
    if ((GetWindowLongW(b, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) seen.defaultButton = WindowText(b);
  }
  auto *form = dynamic_cast<TMessageForm *>(TWinControl::FindControl(dialog));
  seen.hasIcon = form && form->FindComponent<TImage>("Image") && form->FindComponent<TImage>("Image")->Icon();
  RECT r;
  GetWindowRect(dialog, &r);
  seen.centred = std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
                 std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
  return seen;
}

class MessageDialogTest : public ::testing::TestWithParam<DialogCase> {
protected:
  static void SetUpTestSuite() { Application->Initialize(); }
};

TEST_P(MessageDialogTest, ShowsItsButtonsAndReturnsTheResultOfTheAnswer) {
  const DialogCase &c = GetParam();
  Seen seen;
  WhenWindowAppears(L"TMessageForm", [&](HWND dialog) {
    seen = Inspect(dialog);
    Perform(dialog, c.act);
  });
  int result = MessageDlg("Продолжить установку?", c.type, c.buttons);
  EXPECT_EQ(result, c.expected);
  EXPECT_EQ(seen.windowClass, "TMessageForm");
  EXPECT_EQ(seen.caption, c.caption);
  EXPECT_EQ(seen.buttons, c.buttonCaptions);
  EXPECT_EQ(seen.defaultButton, (c.buttons & mbOK) ? "OK" : (c.buttons & mbYes) ? "&Yes" : "");
  EXPECT_TRUE(seen.hasIcon);
  EXPECT_TRUE(seen.centred);
}

const std::vector<std::string> kYesNo{"&Yes", "&No"};
const std::vector<std::string> kYesNoCancel{"&Yes", "&No", "Cancel"};

INSTANTIATE_TEST_SUITE_P(
    Answers, MessageDialogTest,
    ::testing::Values(
        DialogCase{TMsgDlgType::mtWarning, mbOK, Act::Enter, mrOk, "Warning", {"OK"}},
        DialogCase{TMsgDlgType::mtWarning, mbOK, Act::Escape, mrOk, "Warning", {"OK"}},
        DialogCase{TMsgDlgType::mtWarning, mbOK, Act::CloseBox, mrCancel, "Warning", {"OK"}},
        DialogCase{TMsgDlgType::mtError, mbYes | mbNo, Act::Enter, mrYes, "Error", kYesNo},
        DialogCase{TMsgDlgType::mtError, mbYes | mbNo, Act::Escape, mrNo, "Error", kYesNo},
        DialogCase{TMsgDlgType::mtError, mbYes | mbNo, Act::CloseBox, mrCancel, "Error", kYesNo},
        DialogCase{TMsgDlgType::mtError, mbYes | mbNo, Act::KeyN, mrNo, "Error", kYesNo},
        DialogCase{TMsgDlgType::mtInformation, mbOK | mbCancel, Act::Escape, mrCancel, "Information", {"OK", "Cancel"}},
        DialogCase{TMsgDlgType::mtInformation, mbOK | mbCancel, Act::Enter, mrOk, "Information", {"OK", "Cancel"}},
        DialogCase{TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel, Act::Enter, mrYes, "Confirm", kYesNoCancel},
        DialogCase{TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel, Act::Escape, mrCancel, "Confirm",
                   kYesNoCancel},
        DialogCase{TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel, Act::TabThenEnter, mrNo, "Confirm",
                   kYesNoCancel},
        DialogCase{TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel, Act::ClickLast, mrCancel, "Confirm",
                   kYesNoCancel},
        DialogCase{TMsgDlgType::mtConfirmation,
                   mbYes | mbNo | mbOK | mbCancel,
                   Act::Enter,
                   mrOk,
                   "Confirm",
                   {"&Yes", "&No", "OK", "Cancel"}}));

TEST(MessageDialog, LoneCarriageReturnsBreakLinesAndTheFormIsFreedAfterwards) {
  Application->Initialize();
  TMessageForm *one = CreateMessageDialog("one line", TMsgDlgType::mtInformation, mbOK);
  TMessageForm *three = CreateMessageDialog("first\rsecond\rthird", TMsgDlgType::mtInformation, mbOK);
  auto *label1 = one->FindComponent<TLabel>("Message");
  auto *label3 = three->FindComponent<TLabel>("Message");
  ASSERT_TRUE(label1 && label3);
  EXPECT_GE(label3->Height(), 3 * label1->Height());
  EXPECT_EQ(one->Owner(), static_cast<TComponent *>(Application));
  one->Free();
  three->Free();

  int formsBefore = Screen->FormCount();
  WhenWindowAppears(L"TMessageForm", [](HWND) { PressKey(VK_RETURN); });
  MessageDlg("x", TMsgDlgType::mtWarning, mbOK);
  EXPECT_EQ(Screen->FormCount(), formsBefore);
}

TEST(MessageDialog, ShowModalDisablesTheOtherWindowsAndEnablesThemAgain) {
  Application->Initialize();
  auto *main = Application->CreateForm<TForm>();
  main->Show();
  bool enabledDuring = true;
  WhenWindowAppears(L"TMessageForm", [&](HWND) {
    enabledDuring = IsWindowEnabled(main->Handle());
    PressKey(VK_ESCAPE);
  });
  MessageDlg("?", TMsgDlgType::mtConfirmation, mbYes | mbNo);
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  main->Free();
}

TEST(ErrorReport, ShowsASystemBoxWithTheTitleAndTheCompletedText) {
  Application->Initialize();
  Application->SetTitle("Установка Kelvora");
  std::string caption, text;
  WhenWindowAppears(L"#32770", [&](HWND box) {
    caption = WindowText(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (ClassNameOf(child) == "Static" && !WindowText(child).empty()) text = WindowText(child);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  Application->HandleException(std::make_exception_ptr(EInOutError(3)));
  EXPECT_EQ(caption, "Установка Kelvora");
  EXPECT_EQ(text, "Invalid filename.");
}

TEST(ErrorReport, StandInTakesTheReportAndTheDialogs) {
  Application->Initialize();
  Application->SetTitle("Title");
  ScriptedPrompts prompts;
  prompts.Answer(mrNo);
  EXPECT_EQ(MessageDlg("Продолжить?", TMsgDlgType::mtError, mbYes | mbNo), mrNo);
  Application->HandleException(std::make_exception_ptr(Exception("Готово!")));
  Application->HandleException(std::make_exception_ptr(std::runtime_error("boom")));
  EXPECT_EQ(prompts.ErrorReports(), (std::vector<std::string>{"Готово!", "boom."}));
  EXPECT_EQ(prompts.Asked()[1].caption, "Title");
  EXPECT_EQ(prompts.Unanswered(), 0);
}

} // namespace
