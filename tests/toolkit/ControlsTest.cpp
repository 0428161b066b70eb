// Controls on live windows: window-procedure hooks from the first message on, Perform, the notifications,
// window-less children (painting and mouse), and the wrapped controls' setters going through the window.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/testing/ScriptedPrompts.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

#include <commctrl.h>

namespace {

constexpr UINT kPing = WM_APP + 80;

// A form that answers kPing itself.
class TProbeForm : public TForm {
  TK_CLASS(TProbeForm)
public:
  explicit TProbeForm(TComponent *owner) : TForm(owner) {}

protected:
  void WndProc(TMessage &m) override {
    if (m.Msg != kPing) return TForm::WndProc(m);
    m.Result = 7;
  }
};

const TMetaClass &TProbeForm::StaticMetaClass() { return DefineClass<TProbeForm, TForm>("TProbeForm"); }

// A window-less control that records where and how it was painted and clicked.
class TPaintProbe : public TGraphicControl {
  TK_CLASS(TPaintProbe)
public:
  explicit TPaintProbe(TComponent *owner) : TGraphicControl(owner) { SetBounds(0, 0, 20, 10); }
  int paints = 0;
  RECT clip{};
  POINT origin{};

protected:
  void Paint() override {
    ++paints;
    GetClipBox(Canvas().Handle(), &clip);
    GetViewportOrgEx(Canvas().Handle(), &origin);
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect(ClientRect());
  }
};

const TMetaClass &TPaintProbe::StaticMetaClass() { return DefineClass<TPaintProbe, TGraphicControl>("TPaintProbe"); }

// A push button drawn by its owner, as a skinned button is.
class TOwnerDrawnButton : public TButton {
  TK_CLASS(TOwnerDrawnButton)
public:
  explicit TOwnerDrawnButton(TComponent *owner) : TButton(owner) {}

protected:
  void CreateParams(TCreateParams &p) override {
    TButton::CreateParams(p);
    p.style = (p.style & ~0x0F) | BS_OWNERDRAW;
  }
  void SetButtonStyle(bool) override {}
};

const TMetaClass &TOwnerDrawnButton::StaticMetaClass() {
  return DefineClass<TOwnerDrawnButton, TButton>("TOwnerDrawnButton");
}

// A hook that records the messages it sees and passes on those it does not consume.
class Recorder {
public:
  explicit Recorder(TControl &control, std::function<bool(TMessage &)> consume = {}) : consume_(std::move(consume)) {
    hook_.Attach(control.WindowHooks(), [this](TMessage &m, const TWindowHookNext &next) {
      messages.push_back(m);
      if (!consume_ || !consume_(m)) next(m);
    });
  }
  bool Saw(UINT msg) const {
    return std::any_of(messages.begin(), messages.end(), [msg](const TMessage &m) { return m.Msg == msg; });
  }
  const TMessage *Last(UINT msg) const {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it)
      if (it->Msg == msg) return &*it;
    return nullptr;
  }
  std::vector<TMessage> messages;

private:
  std::function<bool(TMessage &)> consume_;
  TWindowHook hook_;
};

class ControlsTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form = TComponent::Create<TProbeForm>(Application);
    form->SetBounds(100, 100, 300, 200);
  }
  void TearDown() override { form->Free(); }
  template <class T> T *Add(TWinControl *parent) {
    auto *c = TComponent::Create<T>(form);
    c->SetParent(parent);
    return c;
  }
  TProbeForm *form = nullptr;
  ScriptedPrompts prompts;
};

TEST_F(ControlsTest, WindowProcHookSeesTheFirstMessagesAndChainsOnALiveWindow) {
  auto *button = Add<TButton>(form);
  button->SetCaption("Go");
  Recorder creation(*button);
  HWND window = button->Handle(); // creates the form's window, then the button's
  ASSERT_FALSE(creation.messages.empty());
  EXPECT_EQ(creation.messages.front().Msg, static_cast<UINT>(WM_NCCREATE));
  EXPECT_TRUE(creation.Saw(WM_CREATE));
  EXPECT_EQ(WindowText(window), "Go");
  EXPECT_EQ(ClassNameOf(window), "TButton");
  EXPECT_EQ(ClassNameOf(form->Handle()), "TProbeForm");
  EXPECT_EQ(ClassNameOf(Application->Handle()), "TApplication");
  EXPECT_EQ(TWinControl::FindControl(window), button);

  constexpr UINT kQuestion = WM_APP + 77;
  {
    Recorder outer(*form, [](TMessage &m) {
      if (m.Msg != kQuestion) return false;
      m.Result = 42;
      return true;
    });
    Recorder outermost(*form);
    EXPECT_EQ(SendMessageW(form->Handle(), kQuestion, 0, 0), 42);
    EXPECT_EQ(form->Perform(kQuestion), 42);
    EXPECT_EQ(outermost.messages.size(), 2u);
  }
  EXPECT_EQ(SendMessageW(form->Handle(), kQuestion, 0, 0), 0); // the layers are gone again
  EXPECT_EQ(SendMessageW(form->Handle(), 0xBC4D, 0x41A2, 0), 0);
}

TEST_F(ControlsTest, HooksDetachInAnyOrderAlsoFromInsideTheirOwnMessage) {
  TWindowHookChain &chain = form->WindowHooks();
  std::vector<std::string> calls;
  auto trace = [&calls](std::string name) {
    return [&calls, name](TMessage &m, const TWindowHookNext &next) {
      if (m.Msg == kPing) calls.push_back(name);
      next(m);
    };
  };
  TWindowHook a, b;
  a.Attach(chain, trace("A"));
  b.Attach(chain, trace("B"));
  a.Detach(); // the older one first
  EXPECT_EQ(SendMessageW(form->Handle(), kPing, 0, 0), 7);
  EXPECT_EQ(calls, std::vector<std::string>{"B"});
  b.Attach(chain, trace("B again")); // no second B
  EXPECT_EQ(chain.Count(), 1);

  // One hook frees itself, another detaches the one below it, both while the message runs through them.
  auto self = std::make_unique<TWindowHook>();
  TWindowHook below, remover;
  below.Attach(chain, trace("below"));
  self->Attach(chain, [&](TMessage &m, const TWindowHookNext &next) {
    if (m.Msg == kPing) {
      self.reset();
      calls.push_back("self");
    }
    next(m);
  });
  remover.Attach(chain, [&](TMessage &m, const TWindowHookNext &next) {
    if (m.Msg == kPing) below.Detach();
    next(m);
  });
  calls.clear();
  EXPECT_EQ(form->Perform(kPing), 7);
  EXPECT_EQ(calls, (std::vector<std::string>{"self", "B again"}));
  EXPECT_EQ(chain.Count(), 2);
  calls.clear();
  form->Perform(kPing);
  EXPECT_EQ(calls, std::vector<std::string>{"B again"});

  auto *button = TComponent::Create<TButton>(form);
  TWindowHook onButton;
  onButton.Attach(button->WindowHooks(), trace("button"));
  button->Free();
  EXPECT_FALSE(onButton.Attached()); // the control took its chain along
}

TEST_F(ControlsTest, NotificationsReachTheHook) {
  auto *edit = Add<TEdit>(form);
  Recorder formLog(*form);
  auto *button = Add<TButton>(form);
  const TMessage *listChange = formLog.Last(CM_CONTROLLISTCHANGE);
  ASSERT_NE(listChange, nullptr);
  EXPECT_EQ(listChange->WParam, reinterpret_cast<WPARAM>(button));
  EXPECT_EQ(listChange->LParam, 1);

  // The first show runs OnShow before the windows are made; later ones inside CM_SHOWINGCHANGED, with the
  // window still hidden.
  bool visibleAtShowing = true;
  std::vector<std::pair<bool, bool>> windowAndShowingAtOnShow;
  form->OnShow = [&](TObject *) {
    windowAndShowingAtOnShow.emplace_back(form->HandleAllocated(), formLog.Saw(CM_SHOWINGCHANGED));
  };
  Recorder showing(*form, [&](TMessage &m) {
    if (m.Msg == CM_SHOWINGCHANGED) visibleAtShowing = IsWindowVisible(form->Handle());
    return false;
  });
  // Measuring a child before the windows exist (as a layout being read does) makes none.
  EXPECT_GT(edit->ClientRect().right, 0);
  ASSERT_FALSE(form->HandleAllocated());
  form->Show();
  EXPECT_FALSE(visibleAtShowing);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  form->Hide();
  formLog.messages.clear();
  form->Show();
  EXPECT_EQ(windowAndShowingAtOnShow, (std::vector<std::pair<bool, bool>>{{false, false}, {true, true}}));
  EXPECT_TRUE(IsWindowVisible(edit->Handle()));

  Recorder editLog(*edit);
  edit->SetEnabled(false);
  EXPECT_TRUE(editLog.Saw(CM_ENABLEDCHANGED));
  EXPECT_FALSE(IsWindowEnabled(edit->Handle()));
  edit->SetEnabled(true);
  edit->SetVisible(false);
  ASSERT_NE(editLog.Last(CM_VISIBLECHANGED), nullptr);
  EXPECT_EQ(editLog.Last(CM_VISIBLECHANGED)->WParam, 0u);
  EXPECT_FALSE(IsWindowVisible(edit->Handle()));
  edit->SetVisible(true);
  edit->SetText("abc");
  EXPECT_TRUE(editLog.Saw(WM_SETTEXT));
  EXPECT_TRUE(editLog.Saw(CM_TEXTCHANGED));
  edit->SetColor(clRed);
  EXPECT_TRUE(editLog.Saw(CM_COLORCHANGED));

  Recorder buttonLog(*button);
  edit->SetFocus();
  ASSERT_NE(formLog.Last(CM_FOCUSCHANGED), nullptr);
  EXPECT_EQ(formLog.Last(CM_FOCUSCHANGED)->LParam, reinterpret_cast<LPARAM>(edit));
  EXPECT_TRUE(buttonLog.Saw(CM_FOCUSCHANGED));
  EXPECT_EQ(form->ActiveControl(), edit);

  SendMessageW(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_TRUE(editLog.Saw(CM_MOUSEWHEEL));

  SendMessageW(edit->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  ASSERT_NE(editLog.Last(CM_MOUSEENTER), nullptr);
  ASSERT_NE(formLog.Last(CM_MOUSEENTER), nullptr); // passed on up with the control entered
  EXPECT_EQ(formLog.Last(CM_MOUSEENTER)->LParam, reinterpret_cast<LPARAM>(edit));
  EXPECT_TRUE(edit->MouseInControl());
  SetCursorPos(0, 0); // away from the form: the leave is real
  SendMessageW(edit->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(editLog.Saw(CM_MOUSELEAVE));
  EXPECT_FALSE(edit->MouseInControl());
}

TEST_F(ControlsTest, OwnerDrawnChildrenGetTheirOwnDrawNotices) {
  auto *first = Add<TOwnerDrawnButton>(form);
  auto *second = Add<TOwnerDrawnButton>(form);
  second->SetLeft(100);
  auto drawnBy = [](std::vector<HWND> &items) {
    return [&items](TMessage &m) {
      if (m.Msg != CN_DRAWITEM) return false;
      items.push_back(reinterpret_cast<DRAWITEMSTRUCT *>(m.LParam)->hwndItem);
      m.Result = TRUE;
      return true;
    };
  };
  std::vector<HWND> firstItems, secondItems;
  Recorder firstLog(*first, drawnBy(firstItems)), secondLog(*second, drawnBy(secondItems));
  form->Show();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_NE(GetDlgCtrlID(first->Handle()), GetDlgCtrlID(second->Handle()));
  ASSERT_FALSE(firstItems.empty());
  ASSERT_FALSE(secondItems.empty());
  EXPECT_EQ(firstItems.front(), first->Handle());
  EXPECT_EQ(secondItems.front(), second->Handle());
}

TEST_F(ControlsTest, AFormLeftThroughItsFrameGetsOneMouseLeaveNotice) {
  form->Show();
  Recorder log(*form);
  auto leaves = [&] {
    return std::count_if(log.messages.begin(), log.messages.end(), [&](const TMessage &m) {
      return m.Msg == CM_MOUSELEAVE && m.LParam == reinterpret_cast<LPARAM>(form);
    });
  };
  SetCursorPos(0, 0);
  SendMessageW(form->Handle(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(form->Left() + 20, form->Top() + 5));
  EXPECT_TRUE(form->MouseInControl());
  SendMessageW(form->Handle(), WM_NCMOUSELEAVE, 0, 0);
  SendMessageW(form->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(leaves(), 1);
  EXPECT_FALSE(form->MouseInControl());

  // From the client area into the title bar is no leave.
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  SetCursorPos(form->Left() + 40, form->Top() + 5);
  SendMessageW(form->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(leaves(), 1);
  EXPECT_TRUE(form->MouseInControl());
}

TEST_F(ControlsTest, WindowlessChildrenArePaintedAfterTheirParentAndGetMouseInLocalCoordinates) {
  auto *onForm = Add<TPaintProbe>(form);
  onForm->SetBounds(30, 40, 20, 10);
  auto *edit = Add<TEdit>(form);
  edit->SetBounds(100, 10, 150, 30);
  auto *inEdit = Add<TPaintProbe>(edit); // inside a system-class window
  inEdit->SetBounds(120, 2, 20, 10);
  form->Show();
  EXPECT_TRUE(IsWindowVisible(edit->Handle()));
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_GT(onForm->paints, 0);
  EXPECT_GT(inEdit->paints, 0);
  EXPECT_EQ(onForm->origin.x, 30);
  EXPECT_EQ(onForm->origin.y, 40);
  EXPECT_LE(onForm->clip.right - onForm->clip.left, 20);

  int clicks = 0;
  POINT down{};
  onForm->OnClick = [&](TObject *) { ++clicks; };
  onForm->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int x, int y) { down = {x, y}; };
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(33, 44));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(34, 45));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(down.x, 3);
  EXPECT_EQ(down.y, 4);
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); // beside it
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, WrappedControlsChangeThroughTheirWindows) {
  auto *memo = Add<TMemo>(form);
  auto *bar = Add<TProgressBar>(form);
  bar->SetMax(7);
  memo->Lines().Add("stored before the window");
  form->Show();
  EXPECT_EQ(memo->Lines().Count(), 1);
  Recorder memoLog(*memo), barLog(*bar);
  memo->Lines().Add("Начата установка");
  memo->Lines().Add("second");
  EXPECT_TRUE(memoLog.Saw(EM_REPLACESEL));
  EXPECT_TRUE(memoLog.Saw(EM_SCROLLCARET));
  EXPECT_EQ(memo->Lines().ToVector(),
            (std::vector<std::string>{"stored before the window", "Начата установка", "second"}));
  bar->SetPosition(7);
  ASSERT_NE(barLog.Last(PBM_SETPOS), nullptr);
  EXPECT_EQ(bar->Position(), 7);
  EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 7);

  memo->SetWordWrap(false); // recreates the window; the lines stay
  EXPECT_EQ(memo->Lines().Count(), 3);
  memo->Lines().Delete(0);
  memo->Lines().Clear();
  EXPECT_EQ(memo->Lines().Count(), 0);
  EXPECT_EQ(memo->Text(), "");
}

TEST_F(ControlsTest, ExceptionsInsideTheWindowProcGoToTheErrorReport) {
  constexpr UINT kFail = WM_APP + 78;
  Recorder failing(*form, [](TMessage &m) {
    if (m.Msg == kFail) throw Exception("Сбой");
    return false;
  });
  form->HandleNeeded();
  EXPECT_EQ(SendMessageW(form->Handle(), kFail, 0, 0), 0);
  EXPECT_EQ(prompts.ErrorReports(), std::vector<std::string>{"Сбой."});
}

} // namespace
