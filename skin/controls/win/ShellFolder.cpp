#include "skin/controls/win/ShellFolder.h"

#include <shlwapi.h>

#include "toolkit/base/Exceptions.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

TacComPtr<IShellFolder> Desktop() {
  IShellFolder *desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) throw Exception("The shell's desktop folder is not available");
  return TacComPtr<IShellFolder>(desktop);
}

std::string TakeString(STRRET &value, const ITEMIDLIST *item) {
  wchar_t *text = nullptr;
  if (FAILED(StrRetToStrW(&value, item, &text)) || !text) return {};
  std::string result = Narrow(text);
  CoTaskMemFree(text);
  return result;
}

} // namespace

bool IsExistingFolder(const std::string &path) { return !path.empty() && IsDirectory(path); }

TacPidl SpecialFolderPidl(int csidl) {
  ITEMIDLIST *pidl = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl))) return nullptr;
  return TacPidl(pidl);
}

TacPidl ParsePath(const std::string &path) {
  if (path.empty()) return nullptr;
  std::wstring wide = Wide(path);
  ITEMIDLIST *pidl = nullptr;
  if (FAILED(Desktop()->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr))) return nullptr;
  return TacPidl(pidl);
}

bool SamePidl(const ITEMIDLIST *a, const ITEMIDLIST *b) { return ILIsEqual(a, b) != FALSE; }

bool PidlLeadsTo(const ITEMIDLIST *ancestor, const ITEMIDLIST *item) {
  return SamePidl(ancestor, item) || ILIsParent(ancestor, item, FALSE);
}

TacShellFolder::TacShellFolder(TacPidl full) : full_(std::move(full)) {
  if (!full_) throw Exception("No shell item");
  IShellFolder *parent = nullptr;
  LPCITEMIDLIST last = nullptr;
  if (FAILED(SHBindToParent(full_.get(), IID_IShellFolder, reinterpret_cast<void **>(&parent), &last)) || !parent)
    throw Exception("The shell cannot reach the item");
  parentFolder_.reset(parent);
  relative_ = last;
}

TacShellFolder::TacShellFolder(const TacShellFolder &parent, const ITEMIDLIST *relative)
    : TacShellFolder(TacPidl(ILCombine(parent.Full(), relative))) {}

IShellFolder *TacShellFolder::Folder() const {
  if (folderBound_) return folder_.get();
  folderBound_ = true;
  if (full_->mkid.cb == 0) {
    folder_ = Desktop();
  } else if (IsFolder()) {
    IShellFolder *own = nullptr;
    if (SUCCEEDED(parentFolder_->BindToObject(relative_, nullptr, IID_IShellFolder, reinterpret_cast<void **>(&own))))
      folder_.reset(own);
  }
  return folder_.get();
}

ULONG TacShellFolder::Attributes(ULONG mask) const {
  if (full_->mkid.cb == 0) return mask & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER);
  ULONG attributes = mask;
  LPCITEMIDLIST item = relative_;
  if (FAILED(parentFolder_->GetAttributesOf(1, &item, &attributes))) return 0;
  return attributes & mask;
}

std::string TacShellFolder::Name(DWORD flags) const {
  STRRET value{};
  if (FAILED(parentFolder_->GetDisplayNameOf(relative_, flags, &value))) return {};
  return TakeString(value, relative_);
}

std::string TacShellFolder::Path() const {
  wchar_t path[MAX_PATH] = {};
  return SHGetPathFromIDListW(full_.get(), path) ? Narrow(path) : std::string();
}

std::vector<TacPidl> TacShellFolder::Items(DWORD kinds, HWND owner) const {
  std::vector<TacPidl> items;
  IShellFolder *folder = Folder();
  IEnumIDList *raw = nullptr;
  if (!folder || folder->EnumObjects(owner, kinds, &raw) != S_OK || !raw) return items;
  TacComPtr<IEnumIDList> list(raw);
  ITEMIDLIST *item = nullptr;
  while (list->Next(1, &item, nullptr) == S_OK)
    items.emplace_back(item);
  return items;
}

int TacShellFolder::Compare(const ITEMIDLIST *a, const ITEMIDLIST *b) const {
  IShellFolder *folder = Folder();
  if (!folder) return 0;
  const HRESULT order = folder->CompareIDs(0, a, b);
  return FAILED(order) ? 0 : static_cast<short>(HRESULT_CODE(order));
}

TacPidl TacShellFolder::Rename(HWND owner, const std::string &name) const {
  ITEMIDLIST *renamed = nullptr;
  if (FAILED(parentFolder_->SetNameOf(owner, relative_, Wide(name).c_str(), SHGDN_INFOLDER, &renamed)) || !renamed)
    return nullptr;
  TacPidl relative(renamed);
  TacPidl parent(ILClone(full_.get()));
  ILRemoveLastID(parent.get());
  return TacPidl(ILCombine(parent.get(), relative.get()));
}
