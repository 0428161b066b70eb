#pragma once
// The "Select directory" dialog that a skinned folder edit opens: a resizable tool window with a shell
// folder tree and OK, Cancel and Create. OK returns the selected folder (result 1) and Cancel nothing
// (result 2); Create makes the first free "New folder<n>" under the selected folder and starts editing its
// name. OK and Create are enabled only while an existing file-system folder is selected. While a folder's
// name is being edited, OK commits the name and Cancel drops it; the dialog stays open either way.
//
//   std::unique_ptr<TPathDialogForm, ...> dialog = TPathDialogForm::Make();
//   dialog->sShellTreeView1->SetRoot("rfDesktop");
//   if (dialog->ShowModal() == mrOk) path = dialog->sShellTreeView1->SelectedPath();

#include <memory>

#include "skin/controls/win/BitBtn.h"
#include "skin/controls/win/Edit.h"
#include "skin/controls/win/ShellTreeView.h"
#include "toolkit/ui/Forms.h"

class TPathDialogForm : public TForm {
  TK_CLASS(TPathDialogForm)
public:
  explicit TPathDialogForm(TComponent *owner) : TForm(owner) {}

  struct FreeForm {
    void operator()(TPathDialogForm *form) const { form->Free(); }
  };
  using Owned = std::unique_ptr<TPathDialogForm, FreeForm>;
  // A dialog read from its stored layout, owned by the application until the pointer frees it.
  static Owned Make();

  void FormCreate(TObject *sender);
  void sShellTreeView1Change(TObject *sender, TTreeNode *node);
  void sBitBtn1Click(TObject *sender);
  void sBitBtn2Click(TObject *sender);
  void sBitBtn3Click(TObject *sender);

  TsShellTreeView *sShellTreeView1 = nullptr;
  TsBitBtn *sBitBtn1 = nullptr;
  TsBitBtn *sBitBtn2 = nullptr;
  TsBitBtn *sBitBtn3 = nullptr;
  TsEdit *sEdit1 = nullptr;
};
