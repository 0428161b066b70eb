#include "tools/skinview/PreviewForm.h"

#include "toolkit/ui/StdCtrls.h"

namespace {

constexpr const char *PreviewLayout = R"(object PreviewForm : TForm {
  ClientWidth = 452
  ClientHeight = 268
  Position = poScreenCenter
  BorderStyle = bsSizeable
  BorderIcons = [biSystemMenu, biMinimize, biMaximize]
  Font.Height = -11
  Font.Name = "MS Sans Serif"
  object sSkinProvider1 : TsSkinProvider { }
  object sLabel1 : TsLabel { Left = 8 Top = 8 Width = 300 Height = 13 Caption = "Label in the skin's colours" }
  object sEdit1 : TsEdit { Left = 8 Top = 26 Width = 340 Height = 21 Text = "Edit" TabOrder = 0 }
  object sMemo1 : TsMemo { Left = 8 Top = 54 Width = 340 Height = 150 ScrollBars = ssVertical TabOrder = 1 }
  object sButton1 : TsButton { Left = 362 Top = 26 Width = 82 Height = 25 Caption = "Normal" TabOrder = 2 }
  object sButton2 : TsButton { Left = 362 Top = 58 Width = 82 Height = 25 Caption = "Default" Default = true
    TabOrder = 3 }
  object sButton3 : TsButton { Left = 362 Top = 90 Width = 82 Height = 25 Caption = "Disabled" Enabled = false
    TabOrder = 4 }
  object sProgressBar1 : TsProgressBar { Left = 8 Top = 214 Width = 340 Height = 16 Max = 100 Position = 65
    Smooth = true }
  object sProgressBar2 : TsProgressBar { Left = 8 Top = 240 Width = 340 Height = 16 Max = 100 Position = 40 }
  object sProgressBar3 : TsProgressBar { Left = 372 Top = 124 Width = 16 Height = 132 Max = 100 Position = 70
    Orientation = pbVertical Smooth = true }
  object sProgressBar4 : TsProgressBar { Left = 416 Top = 124 Width = 16 Height = 132 Max = 100 Position = 45
    Orientation = pbVertical }
})";

constexpr int MemoLines = 30;

} // namespace

TForm *CreatePreviewForm(const std::string &caption) {
  TForm *form = Application->CreateForm<TForm>(PreviewLayout);
  form->SetCaption(caption);
  TStrings &lines = form->FindComponent<TCustomMemo>("sMemo1")->Lines();
  for (int i = 1; i <= MemoLines; ++i)
    lines.Add("Memo line " + std::to_string(i) + (i == 1 ? ": scroll down for more" : ""));
  return form;
}
