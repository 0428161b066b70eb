#include "skin/controls/win/PathDialog.h"

#include "skin/controls/FolderNames.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

constexpr const char *PathDialogLayout = R"(object PathDialogForm : TPathDialogForm {
  Caption = "Select directory"
  Width = 319
  Height = 397
  BorderStyle = bsSizeToolWin
  Position = poScreenCenter
  Scaled = false
  Constraints.MinWidth = 275
  Constraints.MinHeight = 250
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = "MS Sans Serif"
  Font.Style = []
  OnCreate = FormCreate
  object sShellTreeView1 : TsShellTreeView {
    Left = 8
    Top = 20
    Width = 295
    Height = 299
    TabOrder = 0
    Indent = 19
    ShowRoot = false
    ObjectTypes = [otFolders]
    Root = "rfDesktop"
    UseShellImages = true
    AutoRefresh = false
    ShowExt = seSystem
    SkinData.SkinSection = "EDIT"
    BoundLabel.Active = true
    BoundLabel.Caption = " "
    BoundLabel.Indent = 4
    BoundLabel.Layout = sclTopLeft
    OnChange = sShellTreeView1Change
  }
  object sBitBtn1 : TsBitBtn {
    Left = 137
    Top = 328
    Width = 75
    Height = 25
    Caption = "OK"
    Default = true
    ModalResult = 1
    TabOrder = 1
    SkinData.SkinSection = "BUTTON"
    ShowFocus = false
    OnClick = sBitBtn1Click
  }
  object sBitBtn2 : TsBitBtn {
    Left = 214
    Top = 328
    Width = 75
    Height = 25
    Caption = "Cancel"
    Cancel = true
    ModalResult = 2
    TabOrder = 2
    SkinData.SkinSection = "BUTTON"
    ShowFocus = false
    OnClick = sBitBtn2Click
  }
  object sBitBtn3 : TsBitBtn {
    Left = 12
    Top = 328
    Width = 75
    Height = 25
    Caption = "Create"
    Enabled = false
    TabOrder = 3
    SkinData.SkinSection = "BUTTON"
    ShowFocus = false
    OnClick = sBitBtn3Click
  }
  object sEdit1 : TsEdit {
    Left = 8
    Top = 288
    Width = 289
    Height = 21
    Visible = false
    SkinData.SkinSection = "EDIT"
    TabOrder = 4
  }
  object sSkinProvider1 : TsSkinProvider {
    CaptionAlignment = taCenter
    SkinData.SkinSection = "DIALOG"
    GripMode = gmRightBottom
    ShowAppIcon = false
  }
})";

bool SamePath(const std::string &a, const std::string &b) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, Wide(a).c_str(), -1, Wide(b).c_str(), -1) == CSTR_EQUAL;
}

} // namespace

const TMetaClass &TPathDialogForm::StaticMetaClass() {
  return DefineClass<TPathDialogForm, TForm>("TPathDialogForm", [](TClassBuilder<TPathDialogForm> &c) {
    c.Field("sShellTreeView1", &TPathDialogForm::sShellTreeView1);
    c.Field("sBitBtn1", &TPathDialogForm::sBitBtn1);
    c.Field("sBitBtn2", &TPathDialogForm::sBitBtn2);
    c.Field("sBitBtn3", &TPathDialogForm::sBitBtn3);
    c.Field("sEdit1", &TPathDialogForm::sEdit1);
    c.Handler("FormCreate", &TPathDialogForm::FormCreate);
    c.Handler("sShellTreeView1Change", &TPathDialogForm::sShellTreeView1Change);
    c.Handler("sBitBtn1Click", &TPathDialogForm::sBitBtn1Click);
    c.Handler("sBitBtn2Click", &TPathDialogForm::sBitBtn2Click);
    c.Handler("sBitBtn3Click", &TPathDialogForm::sBitBtn3Click);
  });
}

TPathDialogForm::Owned TPathDialogForm::Make() {
  Owned dialog(TComponent::Create<TPathDialogForm>(Application));
  dialog->ReadLayout(PathDialogLayout);
  return dialog;
}

void TPathDialogForm::FormCreate(TObject *) {
  sShellTreeView1->SetAnchors(akLeft | akTop | akRight | akBottom);
  sBitBtn1->SetAnchors(akRight | akBottom);
  sBitBtn2->SetAnchors(akRight | akBottom);
  sBitBtn3->SetAnchors(akLeft | akBottom);
  sShellTreeView1->UpdateAdapter();
}

void TPathDialogForm::sShellTreeView1Change(TObject *, TTreeNode *) {
  const bool folder = IsExistingFolder(sShellTreeView1->SelectedPath());
  sBitBtn1->SetEnabled(folder);
  sBitBtn3->SetEnabled(folder);
}

void TPathDialogForm::sBitBtn1Click(TObject *) {
  if (!sShellTreeView1->IsEditing()) return;
  // The name being typed is kept; the dialog stays for a second OK.
  if (TTreeNode *node = sShellTreeView1->Selected()) node->EndEdit(false);
  sShellTreeView1->SetFocus();
  SetModalResult(mrNone);
}

void TPathDialogForm::sBitBtn2Click(TObject *) {
  if (!sShellTreeView1->IsEditing()) return;
  if (TTreeNode *node = sShellTreeView1->Selected()) node->EndEdit(true);
  SetModalResult(mrNone);
}

void TPathDialogForm::sBitBtn3Click(TObject *) {
  const std::string parent = sShellTreeView1->SelectedPath();
  std::string candidate;
  for (int n = 1; candidate.empty() || IsExistingFolder(candidate); ++n)
    candidate = NewFolderCandidate(parent, n);
  CreateDirectoryW(Wide(candidate).c_str(), nullptr);
  if (!IsExistingFolder(candidate)) {
    MessageDlg("Directory " + candidate + " can`t be created!", TMsgDlgType::mtError, mbOK);
    return;
  }
  sShellTreeView1->RefreshNode(sShellTreeView1->Selected());
  sShellTreeView1->UpdateAdapter();
  TTreeNode *selected = sShellTreeView1->Selected();
  for (int i = 0; selected && i < selected->Count(); ++i) {
    TTreeNode *child = selected->Item(i);
    TacShellFolder *folder = sShellTreeView1->Folder(child);
    if (!folder || !SamePath(folder->Path(), candidate)) continue;
    sShellTreeView1->SetSelected(child);
    sShellTreeView1->SetFocus();
    child->Expand();
    child->EditText();
    sShellTreeView1->SelectPath(candidate);
    return;
  }
}
