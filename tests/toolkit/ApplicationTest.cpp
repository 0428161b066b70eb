// The application object: the end of the message loop (Terminate), timers, and errors escaping the
// form's create and show events. Terminate ends the loop for good, so these run in their own program.
#include <gtest/gtest.h>

#include <cstdio>
#include <exception>

#include "UiTestSupport.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/testing/ScriptedPrompts.h"
#include "toolkit/ui/ErrorPath.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"

namespace {

class TFailingForm : public TForm {
  TK_CLASS(TFailingForm)
public:
  explicit TFailingForm(TComponent *owner) : TForm(owner) {}
  std::vector<std::string> events;
  void FormCreate(TObject *) {
    events.push_back("create");
    throw Exception("Create failed");
  }
  void FormShow(TObject *) {
    events.push_back("show");
    throw EInOutError(5);
  }
};

const TMetaClass &TFailingForm::StaticMetaClass() {
  return DefineClass<TFailingForm, TForm>("TFailingForm", [](TClassBuilder<TFailingForm> &c) {
    c.Handler("FormCreate", &TFailingForm::FormCreate);
    c.Handler("FormShow", &TFailingForm::FormShow);
  });
}

// A timer that counts its ticks in the overridable tick handler, as the fade timers do.
class TCountingTimer : public TTimer {
  TK_CLASS(TCountingTimer)
public:
  explicit TCountingTimer(TComponent *owner) : TTimer(owner) {}
  int ticks = 0;

protected:
  void Timer() override {
    ++ticks;
    TTimer::Timer();
  }
};

const TMetaClass &TCountingTimer::StaticMetaClass() { return DefineClass<TCountingTimer, TTimer>("TCountingTimer"); }

class ApplicationTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  ScriptedPrompts prompts;
};

TEST_F(ApplicationTest, ErrorsFromCreateAndShowAreReportedAndTheFormCarriesOn) {
  auto *form = Application->CreateForm<TFailingForm>(
      "object Failing : TFailingForm { OnCreate = FormCreate OnShow = FormShow Caption = \"x\" }");
  EXPECT_EQ(form->events, std::vector<std::string>{"create"});
  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(form->events, (std::vector<std::string>{"create", "show"}));
  EXPECT_EQ(prompts.ErrorReports(), (std::vector<std::string>{"Create failed.", "File access denied."}));
  EXPECT_EQ(Application->MainForm(), form);
  form->Free();
  EXPECT_EQ(Application->MainForm(), nullptr); // the next form created becomes the main form
}

TEST_F(ApplicationTest, ABrokenLayoutLeavesNoFormBehind) {
  int forms = Screen->FormCount();
  EXPECT_THROW(Application->CreateForm<TFailingForm>("object F : TFailingForm { Nonsense = 1 }"), ELayoutError);
  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_THROW(Application->CreateForm<TForm>("object F : TForm { object B : TButton { Left = \"x\" } }"),
               ELayoutError);
  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_THROW(LoadLayoutResource("NO_SUCH_LAYOUT"), EResNotFound);
}

TEST_F(ApplicationTest, TimersTickWhileEnabledAndTheirErrorsAreReported) {
  auto *owner = Application->CreateForm<TForm>();
  auto *timer = TComponent::Create<TCountingTimer>(owner);
  timer->SetInterval(10);
  timer->OnTimer = [&](TObject *) {
    if (timer->ticks == 2) throw Exception("tick failed");
    if (timer->ticks == 3) timer->SetEnabled(false);
  };
  EXPECT_TRUE(PumpUntil([&] { return !timer->Enabled(); }));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(timer->ticks, 3);
  EXPECT_EQ(prompts.ErrorReports(), std::vector<std::string>{"tick failed."});
  owner->Free();
}

// Writes the error reports of a process that is about to end where its parent test can read them.
class ReportToStderr : public PromptStandIn {
public:
  int MessageDlg(const std::string &, TMsgDlgType, TMsgDlgButtons) override { return mrCancel; }
  void ErrorReport(const std::string &text, const std::string &caption) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
};

TEST_F(ApplicationTest, AnErrorThatEscapesEverythingIsReportedAndEndsTheProgram) {
  Application->SetTitle("Escape");
  ReportToStderr report;
  auto escape = [&](bool withError) {
    SetPromptStandIn(&report);
    // The program ends next, so neither a quiet scope nor a hook procedure holds the report back.
    QuietScope quiet;
    HookProcedureScope hook;
    try {
      if (withError) throw Exception("Unwinding failed");
    } catch (...) {
      std::terminate();
    }
    std::terminate();
  };
  EXPECT_EXIT(escape(true), ::testing::ExitedWithCode(1), "Escape: Unwinding failed\\.");
  EXPECT_EXIT(escape(false), ::testing::ExitedWithCode(1), "Escape: Abnormal program termination\\.");
}

// The states the taskbar and the window manager go by: the main form is an unowned window that appears on
// the taskbar with its caption and icons; the application window never shows; other forms belong to the
// main form (Windows hides them with it); minimising and restoring (title button, taskbar, program) reverse
// each other.
void ExpectTheMainFormIsTheProgramsWindow(TCustomForm &main, TCustomForm &other) {
  HWND window = main.Handle(), application = Application->Handle();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_FALSE(IsWindowVisible(application));
  other.Show();
  EXPECT_EQ(GetWindow(other.Handle(), GW_OWNER), window);

  SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); // the title bar's button
  EXPECT_TRUE(IsIconic(window));
  SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0); // the taskbar button
  EXPECT_FALSE(IsIconic(window));
  Application->Minimize();
  EXPECT_TRUE(IsIconic(window));
  Application->Restore();
  EXPECT_FALSE(IsIconic(window));

  other.Hide();
  SetActiveWindow(application); // given to the hidden window, the activation goes on to the main form
  EXPECT_EQ(GetActiveWindow(), window);
}

// Must stay the last test: once terminated, the application's loop does not run again.
TEST_F(ApplicationTest, RunShowsTheMainFormAsTheProgramsWindowAndEndsWhenTerminated) {
  auto *main = Application->CreateForm<TForm>();
  ASSERT_EQ(Application->MainForm(), main);
  main->SetCaption("Установка");
  auto *other = TComponent::Create<TForm>(Application);
  constexpr UINT kQueued = WM_APP + 9;
  int queuedHandled = 0;
  bool handlerFinished = false;
  TWindowHook counter;
  counter.Attach(main->WindowHooks(), [&](TMessage &m, const TWindowHookNext &next) {
    if (m.Msg == kQueued) ++queuedHandled;
    next(m);
  });
  main->OnShow = [&](TObject *) {
    After(10, [&] {
      ExpectTheMainFormIsTheProgramsWindow(*main, *other);
      PostMessageW(main->Handle(), kQueued, 0, 0);
      Application->Terminate();
      EXPECT_FALSE(Application->Terminated()); // the request takes effect when the loop gets to it
      PostMessageW(main->Handle(), kQueued, 0, 0);
      handlerFinished = true;
    });
  };
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(handlerFinished);
  EXPECT_EQ(queuedHandled, 2);
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  // Once the program ends, a form is not put on the screen any more: a silent run shows no window.
  other->Show();
  EXPECT_FALSE(IsWindowVisible(other->Handle()));
  // A form first shown then runs its show event, but makes no window at all.
  auto *fresh = TComponent::Create<TForm>(Application);
  bool freshShowEventRan = false;
  fresh->OnShow = [&](TObject *) { freshShowEventRan = true; };
  fresh->Show();
  EXPECT_TRUE(freshShowEventRan);
  EXPECT_FALSE(fresh->HandleAllocated());
  fresh->Free();
  // A modal form then ends at once as cancelled, rather than waiting for messages that never come.
  auto *late = TComponent::Create<TForm>(Application);
  EXPECT_EQ(late->ShowModal(), mrCancel);
  EXPECT_FALSE(IsWindowVisible(late->Handle()));
  late->Free();
  other->Free();
}

} // namespace
