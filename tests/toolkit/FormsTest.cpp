// Form behaviour: closing (queries, actions, modal results), keyboard navigation, alignment and anchors
// on resize, edits' change notices, labels that size to their text, and windows made again.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/testing/ScriptedPrompts.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

// An edit made multi-line, as the folder edit with its button is.
class TMultiLineEdit : public TEdit {
  TK_CLASS(TMultiLineEdit)
public:
  explicit TMultiLineEdit(TComponent *owner) : TEdit(owner) {}

protected:
  void CreateParams(TCreateParams &p) override {
    TEdit::CreateParams(p);
    p.style |= ES_MULTILINE;
  }
};

const TMetaClass &TMultiLineEdit::StaticMetaClass() { return DefineClass<TMultiLineEdit, TEdit>("TMultiLineEdit"); }

class FormsTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form = TComponent::Create<TForm>(Application);
    form->SetBounds(50, 50, 320, 200);
  }
  void TearDown() override { form->Free(); }
  template <class T> T *Add(TWinControl *parent, int left, int top, int width, int height) {
    auto *c = TComponent::Create<T>(form);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
  }
  TForm *form = nullptr;
  ScriptedPrompts prompts;
};

TEST_F(FormsTest, CloseAsksFirstAndFollowsTheCloseAction) {
  form->Show();
  bool allow = false;
  std::vector<std::string> calls;
  form->OnCloseQuery = [&](TObject *, bool &canClose) {
    calls.push_back("query");
    canClose = allow;
  };
  TCloseAction action = TCloseAction::caNone;
  form->OnClose = [&](TObject *, TCloseAction &a) {
    calls.push_back("close");
    a = action;
  };
  form->Close();
  EXPECT_TRUE(form->Visible());
  allow = true;
  form->Close(); // caNone keeps it open
  EXPECT_TRUE(form->Visible());
  action = TCloseAction::caHide;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0); // the title bar's close
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(calls, (std::vector<std::string>{"query", "query", "close", "query", "close"}));
}

TEST_F(FormsTest, AModalFormEndsOnlyWhenItsCloseQueryAgrees) {
  auto *ok = Add<TButton>(form, 10, 10, 75, 25);
  ok->SetModalResult(mrOk);
  int queries = 0;
  form->OnCloseQuery = [&](TObject *, bool &canClose) { canClose = ++queries > 1; };
  WhenWindowAppears(L"TForm", [&](HWND) {
    SendMessageW(ok->Handle(), BM_CLICK, 0, 0);                     // refused: stays open
    After(30, [&] { SendMessageW(ok->Handle(), BM_CLICK, 0, 0); }); // agreed
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(queries, 2);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->Modal());
  EXPECT_THROW((form->Show(), form->ShowModal()), Exception); // a visible form cannot become modal
}

TEST_F(FormsTest, TabMovesTheFocusInTabOrderAndSkipsWhatCannotTakeIt) {
  auto *third = Add<TEdit>(form, 10, 70, 100, 21);
  auto *first = Add<TEdit>(form, 10, 10, 100, 21);
  auto *hidden = Add<TEdit>(form, 10, 40, 100, 21);
  auto *second = Add<TButton>(form, 120, 10, 75, 25);
  first->SetTabOrder(0);
  hidden->SetTabOrder(1);
  second->SetTabOrder(2);
  third->SetTabOrder(3);
  hidden->SetVisible(false);
  form->Show();
  first->SetFocus();
  EXPECT_EQ(form->FindNextControl(first, true, true), second);
  EXPECT_EQ(form->FindNextControl(third, true, true), first); // wraps around
  EXPECT_EQ(form->FindNextControl(first, false, true), third);
  form->SelectNext(first, true, true);
  EXPECT_EQ(form->ActiveControl(), second);
  EXPECT_TRUE(second->Focused());
  std::vector<std::string> events;
  second->OnExit = [&](TObject *) { events.push_back("exit button"); };
  third->OnEnter = [&](TObject *) { events.push_back("enter edit"); };
  form->Perform(CM_DIALOGKEY, VK_TAB);
  EXPECT_EQ(form->ActiveControl(), third);
  EXPECT_EQ(events, (std::vector<std::string>{"exit button", "enter edit"}));
}

TEST_F(FormsTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  auto *edit = Add<TEdit>(form, 10, 10, 100, 21);
  auto *okButton = Add<TButton>(form, 10, 40, 75, 25);
  auto *cancelButton = Add<TButton>(form, 90, 40, 75, 25);
  okButton->SetDefault(true);
  cancelButton->SetCancel(true);
  std::vector<std::string> clicks;
  okButton->OnClick = [&](TObject *) { clicks.push_back("ok"); };
  cancelButton->OnClick = [&](TObject *) { clicks.push_back("cancel"); };
  form->Show();
  edit->SetFocus();
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);
  PumpUntil([&] { return clicks.size() == 2; }, 2000);
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
  EXPECT_EQ((GetWindowLongW(okButton->Handle(), GWL_STYLE) & 0x0F), BS_DEFPUSHBUTTON);
  cancelButton->SetFocus(); // the focused button takes the default frame
  EXPECT_EQ((GetWindowLongW(cancelButton->Handle(), GWL_STYLE) & 0x0F), BS_DEFPUSHBUTTON);
  EXPECT_EQ((GetWindowLongW(okButton->Handle(), GWL_STYLE) & 0x0F), BS_PUSHBUTTON);
}

TEST_F(FormsTest, AMultiLineEditLeavesTabAndEnterToTheFormUnlessItWantsThem) {
  auto *edit = Add<TMultiLineEdit>(form, 10, 10, 150, 21);
  auto *next = Add<TEdit>(form, 10, 40, 150, 21);
  auto *ok = Add<TButton>(form, 10, 70, 75, 25);
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](TObject *) { ++clicks; };
  form->Show();
  edit->SetText("C:\\Kelvora");
  edit->SetFocus();
  PressKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return next->Focused(); }, 2000));
  edit->SetFocus();
  PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }, 2000));
  EXPECT_EQ(edit->Text(), "C:\\Kelvora");
  EXPECT_TRUE(edit->Focused());
  auto *memo = Add<TMemo>(form, 170, 10, 100, 50); // wants Enter, not Tab
  memo->SetFocus();
  PressKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return !memo->Focused(); }, 2000));
  EXPECT_EQ(memo->Text(), "");

  edit->SetWantReturns(true);
  edit->SetWantTabs(true);
  edit->SetFocus();
  edit->SetSelStart(0);
  PressKey(VK_RETURN);
  PressKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "\r\n\tC:\\Kelvora"; }, 2000)) << edit->Text();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(edit->Focused());
}

TEST_F(FormsTest, AlignedAndAnchoredChildrenFollowTheParentsSize) {
  form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  form->SetClientSize(300, 200);
  auto *right = Add<TButton>(form, 0, 0, 40, 10);
  right->SetAlign(TAlign::alRight);
  auto *stretched = Add<TEdit>(form, 10, 10, 100, 21);
  stretched->SetAnchors(akLeft | akTop | akRight);
  auto *corner = Add<TButton>(form, 200, 150, 50, 25);
  corner->SetAnchors(akRight | akBottom);
  form->Show();
  EXPECT_EQ(right->Left(), 260);
  EXPECT_EQ(right->Height(), 200);
  form->SetClientSize(350, 220);
  EXPECT_EQ(form->ClientWidth(), 350);
  EXPECT_EQ(right->Left(), 310);
  EXPECT_EQ(right->Height(), 220);
  EXPECT_EQ(stretched->Width(), 150);
  EXPECT_EQ(stretched->Left(), 10);
  EXPECT_EQ(corner->Left(), 250);
  EXPECT_EQ(corner->Top(), 170);
}

TEST_F(FormsTest, EditsTellOfChangesAndKeepTheirTextWhenTheWindowIsMadeAgain) {
  auto *edit = Add<TEdit>(form, 10, 10, 100, 21);
  edit->SetMaxLength(5);
  int changes = 0;
  edit->OnChange = [&](TObject *) { ++changes; };
  int changedNotices = 0;
  TWindowHook counter;
  counter.Attach(edit->WindowHooks(), [&](TMessage &m, const TWindowHookNext &next) {
    if (m.Msg == CM_CHANGED) ++changedNotices;
    next(m);
  });
  form->Show();
  edit->SetText("Путь");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(changedNotices, 1);
  edit->SetSelStart(4);
  SendMessageW(edit->Handle(), WM_CHAR, 'x', 1);
  SendMessageW(edit->Handle(), WM_CHAR, 'y', 1); // beyond MaxLength
  EXPECT_EQ(edit->Text(), "Путьx");
  HWND before = edit->Handle();
  edit->SetAlignment(TAlignment::taRightJustify); // a style change: the window is made again
  EXPECT_NE(edit->Handle(), before);
  EXPECT_EQ(edit->Text(), "Путьx");
  EXPECT_TRUE(IsWindowVisible(edit->Handle()));
}

TEST_F(FormsTest, AVisibleFormMadeAgainForANewBorderStaysVisible) {
  form->Show();
  HWND before = form->Handle();
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  EXPECT_NE(form->Handle(), before);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
}

TEST_F(FormsTest, LabelsSizeToTheirTextAndKeepTheirRightEdgeWhenRightAligned) {
  auto *label = Add<TLabel>(form, 100, 10, 10, 10);
  label->SetCaption("Выберите папку для установки");
  int width = label->Width();
  EXPECT_GT(width, 100);
  EXPECT_GT(label->Height(), 5);
  label->SetCaption("Выберите");
  EXPECT_LT(label->Width(), width);
  label->SetAlignment(TAlignment::taRightJustify);
  int right = label->Left() + label->Width();
  label->SetCaption("Выберите папку");
  EXPECT_EQ(label->Left() + label->Width(), right);
  label->SetAutoSize(false);
  label->SetCaption("x");
  EXPECT_GT(label->Width(), 20);
}

} // namespace
