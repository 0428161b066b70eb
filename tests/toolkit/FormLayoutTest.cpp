#include <gtest/gtest.h>

#include "toolkit/base/MetaClass.h"
#include "toolkit/testing/ScriptedPrompts.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

class TLayoutForm : public TForm {
  TK_CLASS(TLayoutForm)
public:
  explicit TLayoutForm(TComponent *owner) : TForm(owner) {}
  TLabel *Label1 = nullptr;
  TEdit *Edit1 = nullptr;
  TMemo *Memo1 = nullptr;
  TProgressBar *ProgressBar1 = nullptr;
  TButton *Button1 = nullptr;
  TTimer *Timer1 = nullptr;
  std::vector<std::string> events;

  void FormCreate(TObject *) {
    events.push_back("create");
    Memo1->Clear();
  }
  void FormShow(TObject *) { events.push_back("show"); }
  void Button1Click(TObject *) { events.push_back("click"); }
  void Timer1Timer(TObject *) { events.push_back("timer"); }
};

const TMetaClass &TLayoutForm::StaticMetaClass() {
  return DefineClass<TLayoutForm, TForm>("TLayoutForm", [](TClassBuilder<TLayoutForm> &c) {
    c.Field("Label1", &TLayoutForm::Label1);
    c.Field("Edit1", &TLayoutForm::Edit1);
    c.Field("Memo1", &TLayoutForm::Memo1);
    c.Field("ProgressBar1", &TLayoutForm::ProgressBar1);
    c.Field("Button1", &TLayoutForm::Button1);
    c.Field("Timer1", &TLayoutForm::Timer1);
    c.Handler("FormCreate", &TLayoutForm::FormCreate);
    c.Handler("FormShow", &TLayoutForm::FormShow);
    c.Handler("Button1Click", &TLayoutForm::Button1Click);
    c.Handler("Timer1Timer", &TLayoutForm::Timer1Timer);
  });
}

constexpr const char *kLayout = R"(object Form1 : TLayoutForm {
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = "Установка программы Kelvora [iKey / e-Kalit]"
  ClientWidth = 440
  ClientHeight = 213
  Color = clBtnFace
  Font.Name = "MS Sans Serif"
  Font.Height = -11
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  ActiveControl = Button1
  object Label1 : TLabel {
    Left = 8  Top = 2  Width = 158  Height = 13
    Caption = "Выберите папку для установки"
    Font.Color = 5391682
  }
  object Edit1 : TEdit {
    Left = 8 Top = 18 Width = 345 Height = 21
    AutoSize = false
    Color = 16118514
    MaxLength = 255
    TabOrder = 0
  }
  object ProgressBar1 : TProgressBar {
    Left = 8 Top = 192 Width = 425 Height = 16
    Max = 7
    TabOrder = 1
  }
  object Memo1 : TMemo {
    Left = 8 Top = 43 Width = 425 Height = 145
    Lines = ("Memo1")
    TabOrder = 2
  }
  object Button1 : TButton {
    Left = 357 Top = 18 Width = 75 Height = 21
    Caption = "Установка"
    TabOrder = 3
    OnClick = Button1Click
  }
  object Timer1 : TTimer {
    Enabled = false
    Interval = 100
    OnTimer = Timer1Timer
  }
})";

TEST(FormLayout, InstallerLikeFormReadsAndShows) {
  ScriptedPrompts prompts;
  Application->Initialize();
  auto *form = Application->CreateForm<TLayoutForm>(kLayout);
  ASSERT_NE(form->Label1, nullptr);
  EXPECT_EQ(form->events, std::vector<std::string>{"create"});
  EXPECT_EQ(form->Memo1->Lines().Count(), 0);
  EXPECT_EQ(form->ClientWidth(), 440);
  EXPECT_EQ(form->ClientHeight(), 213);
  form->Show();
  EXPECT_EQ(form->ClientWidth(), 440);
  EXPECT_EQ(form->Caption(), "Установка программы Kelvora [iKey / e-Kalit]");
  form->Memo1->Lines().Add("one");
  form->Memo1->Lines().Add("two");
  EXPECT_EQ(form->Memo1->Lines().Count(), 2);
  EXPECT_EQ(form->Memo1->Lines().Get(1), "two");
  form->ProgressBar1->SetPosition(3);
  EXPECT_EQ(form->ProgressBar1->Position(), 3);
  SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->events.back(), "click");
  EXPECT_EQ(prompts.Asked().size(), 0u);
  form->Free();
}

} // namespace
