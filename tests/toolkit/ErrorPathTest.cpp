// Errors from every way into our code end in the error report and the loop goes on: keys and accelerators
// handled by the message loop itself, modal loops, hook procedures; reports never nest; quiet paths drop
// their errors.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/testing/ScriptedPrompts.h"
#include "toolkit/ui/ErrorPath.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

// A form class of its own, so that tests can wait for its window.
class TModalProbe : public TForm {
  TK_CLASS(TModalProbe)
public:
  explicit TModalProbe(TComponent *owner) : TForm(owner) {}
};

const TMetaClass &TModalProbe::StaticMetaClass() { return DefineClass<TModalProbe, TForm>("TModalProbe"); }

// Raises a second error from inside the report of the first, as a message handled by the box's own loop
// would, and notes how deep reports were nested.
class NestingPrompts : public ScriptedPrompts {
public:
  int depth = 0, deepest = 0;
  void ErrorReport(const std::string &text, const std::string &caption) override {
    ++depth;
    deepest = std::max(deepest, depth);
    ScriptedPrompts::ErrorReport(text, caption);
    if (text == "first.") Application->HandleException(std::make_exception_ptr(Exception("second")));
    --depth;
  }
};

class ErrorPathTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form = TComponent::Create<TForm>(Application);
    form->SetBounds(60, 60, 300, 160);
  }
  void TearDown() override { form->Free(); }
  // A button on parent whose click fails.
  TButton *FailingButton(TWinControl *parent, const std::string &caption, const std::string &error) {
    auto *button = TComponent::Create<TButton>(parent);
    button->SetParent(parent);
    button->SetBounds(10, 50, 75, 25);
    button->SetCaption(caption);
    button->OnClick = [error](TObject *) { throw Exception(error); };
    return button;
  }
  TForm *form = nullptr;
};

TEST_F(ErrorPathTest, ButtonsPressedByEnterAndByAcceleratorsReportTheirErrorsAndTheLoopGoesOn) {
  ScriptedPrompts prompts;
  auto *edit = TComponent::Create<TEdit>(form);
  edit->SetParent(form);
  FailingButton(form, "&Go", "Нет драйвера")->SetDefault(true);
  form->Show();
  edit->SetFocus();
  PressKey(VK_RETURN);
  PostMessageW(edit->Handle(), WM_SYSCHAR, 'g', 1 << 29); // Alt+G
  EXPECT_TRUE(PumpUntil([&] { return prompts.ErrorReports().size() == 2; }, 2000));
  PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return prompts.ErrorReports().size() == 3; }, 2000));
  EXPECT_EQ(prompts.ErrorReports(), std::vector<std::string>(3, "Нет драйвера."));
}

TEST_F(ErrorPathTest, AModalFormThatFailsEndsHiddenAndGivesTheOtherWindowsBack) {
  ScriptedPrompts prompts;
  form->Show();
  auto *modal = TComponent::Create<TModalProbe>(Application);
  modal->SetBounds(100, 100, 200, 120);
  FailingButton(modal, "Go", "Сбой кнопки")->SetDefault(true);
  modal->OnCloseQuery = [](TObject *, bool &) { throw Exception("Сбой закрытия"); };
  bool ownerEnabledDuring = true;
  WhenWindowAppears(L"TModalProbe", [&](HWND) {
    ownerEnabledDuring = IsWindowEnabled(form->Handle());
    PressKey(VK_RETURN);                             // reported; the modal loop goes on
    After(50, [&] { modal->SetModalResult(mrOk); }); // then closing fails
  });
  EXPECT_THROW(modal->ShowModal(), Exception);
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_EQ(prompts.ErrorReports(), std::vector<std::string>{"Сбой кнопки."});
  EXPECT_FALSE(modal->Visible());
  EXPECT_FALSE(IsWindowVisible(modal->Handle()));
  EXPECT_FALSE(modal->Modal());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  modal->Free();
}

TEST_F(ErrorPathTest, ReportsNeverNestAndWaitForTheLoopOutsideHookProcedures) {
  NestingPrompts prompts;
  Application->HandleException(std::make_exception_ptr(Exception("first")));
  EXPECT_EQ(prompts.ErrorReports(), (std::vector<std::string>{"first.", "second."}));
  EXPECT_EQ(prompts.deepest, 1);

  GuardHookProcedure([] { throw Exception("in a hook"); });
  EXPECT_EQ(prompts.ErrorReports().size(), 2u);
  EXPECT_TRUE(PumpUntil([&] { return prompts.ErrorReports().size() == 3; }, 2000));
  EXPECT_EQ(prompts.ErrorReports().back(), "in a hook.");
}

TEST_F(ErrorPathTest, QuietPathsDropTheErrorsThatGuardsCatchInsideThem) {
  ScriptedPrompts prompts;
  constexpr UINT kFail = WM_APP + 81;
  TWindowHook failing;
  failing.Attach(form->WindowHooks(), [](TMessage &m, const TWindowHookNext &next) {
    if (m.Msg == kFail) throw Exception("Сбой отрисовки");
    next(m);
  });
  Quietly([&] {
    SendMessageW(form->Handle(), kFail, 0, 0);
    throw Exception("own error");
  });
  EXPECT_TRUE(prompts.ErrorReports().empty());
  SendMessageW(form->Handle(), kFail, 0, 0);
  EXPECT_EQ(prompts.ErrorReports(), std::vector<std::string>{"Сбой отрисовки."});
}

} // namespace
