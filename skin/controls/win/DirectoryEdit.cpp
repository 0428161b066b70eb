#include "skin/controls/win/DirectoryEdit.h"

#include <shlobj.h>

#include "skin/controls/win/PathDialog.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

constexpr int FileDirEditKind = 132;
constexpr int DirectoryEditKind = 134;

int CALLBACK PreselectFolder(HWND dialog, UINT msg, LPARAM, LPARAM folder) {
  if (msg == BFFM_INITIALIZED && folder) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
  return 0;
}

} // namespace

const TMetaClass &TsFileDirEdit::StaticMetaClass() {
  return DefineClass<TsFileDirEdit, TsCustomComboEdit>(
      "TsFileDirEdit", [](TClassBuilder<TsFileDirEdit> &c) { c.Event("OnDropFiles", &TsFileDirEdit::OnDropFiles); });
}

TsFileDirEdit::TsFileDirEdit(TComponent *owner) : TsCustomComboEdit(owner) {
  SkinData.ControlKind = FileDirEditKind;
  SetMaxLength(255);
}

const TMetaClass &TsDirectoryEdit::StaticMetaClass() {
  return DefineClass<TsDirectoryEdit, TsFileDirEdit>("TsDirectoryEdit", [](TClassBuilder<TsDirectoryEdit> &c) {
    c.String("InitialDir", [](TsDirectoryEdit &e, const std::string &v) { e.InitialDir = v; });
    c.Set("DialogOptions", [](TsDirectoryEdit &e, uint32_t v) { e.DialogOptions = v; },
          {{"sdAllowCreate", sdAllowCreate}, {"sdPerformCreate", sdPerformCreate}, {"sdPrompt", sdPrompt}});
    c.Bool("MultipleDirs", [](TsDirectoryEdit &e, bool v) { e.MultipleDirs = v; });
    c.Bool("NoChangeDir", [](TsDirectoryEdit &e, bool v) { e.NoChangeDir = v; });
    c.String("Root", [](TsDirectoryEdit &e, const std::string &v) { e.Root = v; });
  });
}

TsDirectoryEdit::TsDirectoryEdit(TComponent *owner) : TsFileDirEdit(owner) {
  SkinData.ControlKind = DirectoryEditKind;
  SetGlyphKind("BTN_OPENFOLDER");
}

std::string TsDirectoryEdit::StartFolder() const {
  const std::string path = Text().empty() ? InitialDir : Text();
  return IsExistingFolder(path) ? path : std::string();
}

void TsDirectoryEdit::ButtonClick() {
  if (ReadOnly()) return;
  TsFileDirEdit::ButtonClick();
  const std::string start = StartFolder();
  if (!start.empty() && !NoChangeDir && !SetCurrentDirectoryW(Wide(start).c_str()))
    throw EInOutError(static_cast<int>(GetLastError()));
  if (SkinData.UsesSkin())
    BrowseSkinned(start);
  else
    BrowseWithSystem(start);
}

void TsDirectoryEdit::BrowseSkinned(const std::string &start) {
  const TPathDialogForm::Owned dialog = TPathDialogForm::Make();
  dialog->SetCaption("Select directory");
  dialog->sBitBtn1->SetCaption("OK");
  dialog->sBitBtn2->SetCaption("Cancel");
  dialog->sBitBtn3->SetCaption("Create");
  dialog->sBitBtn3->SetVisible((DialogOptions & sdAllowCreate) != 0);
  // The tree's label keeps the layout's blank caption: an empty one would show the component's name.
  dialog->sShellTreeView1->SetRoot(Root);
  if (!start.empty()) dialog->sShellTreeView1->SelectPath(start);
  if (dialog->ShowModal() != mrOk) return;
  const std::string chosen = dialog->sShellTreeView1->SelectedPath();
  if (!IsExistingFolder(chosen)) return;
  InitialDir = chosen;
  SetText(chosen);
}

void TsDirectoryEdit::BrowseWithSystem(const std::string &start) {
  const TacPidl root = IsExistingFolder(Root) ? ParsePath(Root) : nullptr;
  const std::wstring preselect = Wide(start);
  wchar_t shown[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = Application->ActiveFormHandle();
  info.pidlRoot = root.get();
  info.pszDisplayName = shown;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = PreselectFolder;
  info.lParam = preselect.empty() ? 0 : reinterpret_cast<LPARAM>(preselect.c_str());
  // The chosen item's identifier is freed here, as the root's is by its owner.
  const TacPidl chosen(SHBrowseForFolderW(&info));
  wchar_t path[MAX_PATH] = {};
  if (chosen && SHGetPathFromIDListW(chosen.get(), path)) {
    const std::string folder = Narrow(path);
    SetText(MultipleDirs && !Text().empty() ? Text() + ";" + folder : folder);
    if (IsExistingFolder(folder)) InitialDir = folder;
  }
  if (CanFocus()) SetFocus();
}
