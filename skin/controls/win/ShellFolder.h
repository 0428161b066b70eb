#pragma once
// One item of the shell namespace as a folder tree node holds it: its identifier from the desktop (the
// full one) and the last part of it (relative to the folder that holds it), the shell folder that holds
// it and, for a folder, its own shell folder. Also the namespace look-ups the tree starts from.

#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

struct PidlFree {
  void operator()(ITEMIDLIST *pidl) const { CoTaskMemFree(pidl); }
};
using TacPidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

struct ComRelease {
  void operator()(IUnknown *object) const { object->Release(); }
};
template <class T> using TacComPtr = std::unique_ptr<T, ComRelease>;

// The path names a folder that exists.
bool IsExistingFolder(const std::string &path);

// The identifier of a shell special folder (CSIDL number); null when the system has none.
TacPidl SpecialFolderPidl(int csidl);
// A path as the desktop folder parses it; null when it names nothing.
TacPidl ParsePath(const std::string &path);
// The same item.
bool SamePidl(const ITEMIDLIST *a, const ITEMIDLIST *b);
// ancestor lies above item (or is item).
bool PidlLeadsTo(const ITEMIDLIST *ancestor, const ITEMIDLIST *item);

class TacShellFolder {
public:
  // The item of a full identifier (the desktop for an empty one); raises Exception when the shell cannot
  // reach it.
  explicit TacShellFolder(TacPidl full);
  // A child item of parent, from its identifier relative to parent.
  TacShellFolder(const TacShellFolder &parent, const ITEMIDLIST *relative);

  const ITEMIDLIST *Full() const { return full_.get(); }
  const ITEMIDLIST *Relative() const { return relative_; }
  IShellFolder *ParentFolder() const { return parentFolder_.get(); }
  // The item's own folder, bound on first use; null for an item that is no folder.
  IShellFolder *Folder() const;

  // The attributes of the mask that the item has.
  ULONG Attributes(ULONG mask) const;
  bool IsFolder() const { return Attributes(SFGAO_FOLDER) != 0; }
  // Its name as its folder gives it (SHGDN_ flags).
  std::string Name(DWORD flags) const;
  // The file-system path of the item; empty for a virtual item.
  std::string Path() const;

  // The identifiers (relative to this folder) of its items of the kinds (SHCONTF_ flags); none when it
  // is no folder or cannot be listed.
  std::vector<TacPidl> Items(DWORD kinds, HWND owner) const;
  // The folder's own order of two of its items (negative, 0, positive).
  int Compare(const ITEMIDLIST *a, const ITEMIDLIST *b) const;
  // Gives the item a new name; its new full identifier, or null when the shell refused.
  TacPidl Rename(HWND owner, const std::string &name) const;

private:
  TacPidl full_;
  const ITEMIDLIST *relative_ = nullptr; // inside full_
  TacComPtr<IShellFolder> parentFolder_;
  mutable TacComPtr<IShellFolder> folder_;
  mutable bool folderBound_ = false;
};
