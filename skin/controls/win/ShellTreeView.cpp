#include "skin/controls/win/ShellTreeView.h"

#include <shellapi.h>

#include "skin/engine/win/SkinDelivery.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

// Posted to the tree: the parent of a renamed node is listed again.
constexpr UINT RefreshRenamedParent = WM_APP + 0x2A1;

const char *const ErrorSettingPath = "Error Setting Path";

// The tree is held in one update, without painting, for a while.
class TreeUpdate {
public:
  explicit TreeUpdate(TsTreeView &tree) : tree_(tree) {
    tree_.Items().BeginUpdate();
    tree_.SkinData.SuspendPaint();
  }
  ~TreeUpdate() {
    tree_.SkinData.ResumePaint();
    tree_.Items().EndUpdate();
  }
  TreeUpdate(const TreeUpdate &) = delete;
  TreeUpdate &operator=(const TreeUpdate &) = delete;

private:
  TsTreeView &tree_;
};

// The wait cursor for a while.
class WaitCursor {
public:
  WaitCursor() : old_(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~WaitCursor() { Screen->SetCursor(old_); }
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;

private:
  TCursor old_;
};

DWORD ListedKinds(TacShellObjectTypes types) {
  return ((types & otFolders) ? SHCONTF_FOLDERS : 0) | ((types & otNonFolders) ? SHCONTF_NONFOLDERS : 0) |
         ((types & otHidden) ? SHCONTF_INCLUDEHIDDEN : 0);
}

TacPidl ClonePidl(const ITEMIDLIST *pidl) { return TacPidl(ILClone(pidl)); }

} // namespace

const TMetaClass &TacCustomShellTreeView::StaticMetaClass() {
  return DefineClass<TacCustomShellTreeView, TsTreeView>("TacCustomShellTreeView");
}

const TMetaClass &TsShellTreeView::StaticMetaClass() {
  return DefineClass<TsShellTreeView, TacCustomShellTreeView>("TsShellTreeView", [](TClassBuilder<TsShellTreeView> &c) {
    c.String("Root", &TsShellTreeView::SetRoot);
    c.Set("ObjectTypes", &TsShellTreeView::SetObjectTypes,
          {{"otFolders", otFolders}, {"otNonFolders", otNonFolders}, {"otHidden", otHidden}});
    c.Enum<TacShowExtension>("ShowExt", [](TsShellTreeView &t, TacShowExtension v) { t.ShowExt = v; },
                             {{"seSystem", int(TacShowExtension::seSystem)},
                              {"seShow", int(TacShowExtension::seShow)},
                              {"seHide", int(TacShowExtension::seHide)}});
    c.Bool("UseShellImages", &TsShellTreeView::SetUseShellImages);
    c.Bool("AutoRefresh", [](TsShellTreeView &t, bool v) { t.AutoRefresh = v; });
    c.Event("OnChange", &TsShellTreeView::OnChange);
    c.Event("OnAddFolder", &TsShellTreeView::OnAddFolder);
  });
}

TacCustomShellTreeView::TacCustomShellTreeView(TComponent *owner) : TsTreeView(owner) {}

TacCustomShellTreeView::~TacCustomShellTreeView() {
  ReleaseLinks();
  if (imagesBackground_ && shellImages_) ImageList_SetBkColor(shellImages_->Handle(), *imagesBackground_);
}

void TacCustomShellTreeView::SetRoot(const std::string &root) {
  if (root.size() == root_.size() &&
      CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, root.c_str(), -1, root_.c_str(), -1) == CSTR_EQUAL)
    return;
  if (!HandleAllocated()) {
    root_ = root;
    return;
  }
  TacPidl resolved = ResolveRoot(root);
  if (!resolved) throw Exception(ErrorSettingPath);
  root_ = root;
  Build(std::move(resolved));
}

void TacCustomShellTreeView::SetUseShellImages(bool use) {
  useShellImages_ = use;
  if (!use) {
    SetImages(nullptr);
    return;
  }
  if (shellImages_) return;
  SHFILEINFOW info{};
  auto list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (!list) return;
  shellImages_ = std::make_unique<TImageList>(nullptr);
  shellImages_->SetHandle(list, true);
  SetImages(shellImages_.get());
}

TacPidl TacCustomShellTreeView::ResolveRoot(const std::string &root) const {
  if (const std::optional<int> special = RootFolderNumber(root)) return SpecialFolderPidl(*special);
  if (root.empty()) return nullptr;
  const std::wstring text = Wide(RootPathText(root));
  wchar_t full[MAX_PATH] = {};
  if (!GetFullPathNameW(text.c_str(), MAX_PATH, full, nullptr)) return nullptr;
  return ParsePath(Narrow(full));
}

void TacCustomShellTreeView::CreateHandleDone() {
  TsTreeView::CreateHandleDone();
  if (building_ || Items().Count() > 0) return;
  if (TacPidl root = ResolveRoot(root_)) Build(std::move(root));
}

void TacCustomShellTreeView::Build(TacPidl root) {
  building_ = true;
  {
    TreeUpdate update(*this);
    Items().Clear();
    if (TTreeNode *top = AddNode(nullptr, nullptr, std::make_unique<TacShellFolder>(std::move(root)))) {
      top->Expand();
      SetSelected(top);
    }
  }
  building_ = false;
}

TacShellFolder *TacCustomShellTreeView::Folder(TTreeNode *node) const {
  const auto found = folders_.find(node);
  return found == folders_.end() ? nullptr : found->second.get();
}

TTreeNode *TacCustomShellTreeView::AddNode(TTreeNode *parent, TTreeNode *before,
                                           std::unique_ptr<TacShellFolder> folder) {
  if (OnAddFolder) {
    bool canAdd = true;
    OnAddFolder(this, *folder, canAdd);
    if (!canAdd) return nullptr;
  }
  TTreeNode *node = before   ? Items().Insert(before, "")
                    : parent ? Items().AddChild(parent, "")
                             : Items().Add(nullptr, "");
  TacShellFolder &item = *folder;
  folders_[node] = std::move(folder);
  Describe(node, item);
  return node;
}

void TacCustomShellTreeView::Describe(TTreeNode *node, const TacShellFolder &folder) {
  std::string text = folder.Name(SHGDN_INFOLDER);
  if (text.starts_with("::{")) text = folder.Name(SHGDN_NORMAL);
  const bool isFolder = folder.IsFolder();
  if (!isFolder) text = NodeTextOfFile(text, folder.Name(SHGDN_INFOLDER | SHGDN_FORPARSING), ShowExt);
  node->SetText(text);
  if (useShellImages_ && shellImages_ && Images() == shellImages_.get()) {
    SHFILEINFOW info{};
    const auto pidl = reinterpret_cast<LPCWSTR>(folder.Full());
    if (SHGetFileInfoW(pidl, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
      node->SetImageIndex(info.iIcon);
    if (SHGetFileInfoW(pidl, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON))
      node->SetSelectedIndex(info.iIcon);
  }
  bool children = false;
  if (isFolder)
    children = (objectTypes_ & otNonFolders) ? !folder.Items(ListedKinds(objectTypes_), nullptr).empty()
                                             : folder.Attributes(SFGAO_HASSUBFOLDER) != 0;
  node->SetHasChildren(children);
  node->SetOverlayIndex(folder.Attributes(SFGAO_SHARE) ? 0 : -1);
}

void TacCustomShellTreeView::ListChildren(TTreeNode *node) {
  TacShellFolder *folder = Folder(node);
  if (!folder || node->Count() > 0) return;
  const WaitCursor wait;
  {
    TreeUpdate update(*this);
    for (TacPidl &item : folder->Items(ListedKinds(objectTypes_), Application->Handle()))
      AddNode(node, nullptr, std::make_unique<TacShellFolder>(*folder, item.get()));
    CustomSort([this, folder](TTreeNode *a,
                              TTreeNode *b) { return folder->Compare(Folder(a)->Relative(), Folder(b)->Relative()); },
               node);
  }
  node->SetHasChildren(node->Count() > 0);
}

void TacCustomShellTreeView::Expanding(TTreeNode *node) {
  // Only a folder lists children; an item that is no folder is never run from here.
  TacShellFolder *folder = Folder(node);
  if (folder && folder->IsFolder() && node->HasChildren()) ListChildren(node);
}

std::string TacCustomShellTreeView::SelectedPath() const {
  TacShellFolder *folder = Folder(Selected());
  return folder ? folder->Path() : std::string();
}

TTreeNode *TacCustomShellTreeView::NodeOf(const ITEMIDLIST *item, TTreeNode *start) {
  TacShellFolder *folder = Folder(start);
  if (!folder || !PidlLeadsTo(folder->Full(), item)) return nullptr;
  TTreeNode *node = start;
  while (!SamePidl(Folder(node)->Full(), item)) {
    ListChildren(node);
    TTreeNode *next = nullptr;
    for (int i = 0; i < node->Count() && !next; ++i)
      if (TacShellFolder *child = Folder(node->Item(i)); child && PidlLeadsTo(child->Full(), item))
        next = node->Item(i);
    if (!next) break;
    node->Expand();
    node = next;
  }
  return node;
}

void TacCustomShellTreeView::SelectPath(const std::string &path) {
  wchar_t full[MAX_PATH] = {};
  const TacPidl item =
      GetFullPathNameW(Wide(path).c_str(), MAX_PATH, full, nullptr) ? ParsePath(Narrow(full)) : nullptr;
  if (!item) throw Exception(ErrorSettingPath);
  if (building_) return;
  // The tree is built with its window; a path chosen before the dialog shows needs it now.
  HandleNeeded();
  if (Items().RootCount() == 0) return;
  if (TacShellFolder *selected = Folder(Selected()); selected && SamePidl(selected->Full(), item.get())) return;
  TreeUpdate update(*this);
  if (TTreeNode *node = NodeOf(item.get(), Items().GetFirstNode())) {
    SetSelected(node);
    node->MakeVisible();
  }
}

void TacCustomShellTreeView::RefreshNode(TTreeNode *node) {
  TacShellFolder *old = Folder(node);
  if (!old || !old->IsFolder()) return;
  // What is to be found again, by item: the top item, the selection and the expanded nodes under the node.
  auto pidlOf = [this](TTreeNode *n) { return n && Folder(n) ? ClonePidl(Folder(n)->Full()) : nullptr; };
  const TacPidl top = pidlOf(TopItem()), selected = pidlOf(Selected());
  std::vector<TacPidl> expanded;
  std::function<void(TTreeNode *)> noteExpanded = [&](TTreeNode *n) {
    for (int i = 0; i < n->Count(); ++i)
      if (n->Item(i)->Expanded()) {
        expanded.push_back(pidlOf(n->Item(i)));
        noteExpanded(n->Item(i));
      }
  };
  noteExpanded(node);
  const bool wasExpanded = node->Expanded();

  const WaitCursor wait;
  TreeUpdate update(*this);
  TTreeNode *fresh = AddNode(node->Parent(), node, std::make_unique<TacShellFolder>(ClonePidl(old->Full())));
  node->Delete();
  if (!fresh) return;
  ListChildren(fresh);
  if (wasExpanded) fresh->Expand();
  for (const TacPidl &item : expanded)
    if (TTreeNode *again = NodeOf(item.get(), fresh); again && SamePidl(Folder(again)->Full(), item.get()))
      again->Expand();
  TTreeNode *root = Items().GetFirstNode();
  if (TTreeNode *again = selected ? NodeOf(selected.get(), root) : nullptr) SetSelected(again);
  if (TTreeNode *again = top ? NodeOf(top.get(), root) : nullptr) SetTopItem(again);
}

void TacCustomShellTreeView::NodeDeleting(TTreeNode *node) {
  if (renamedNode_ == node) renamedNode_ = nullptr;
  folders_.erase(node);
}

void TacCustomShellTreeView::LabelEdited(TMessage &m) {
  auto &info = *reinterpret_cast<NMTVDISPINFOW *>(m.LParam);
  TTreeNode *node = Items().FindNode(info.item.hItem);
  TacShellFolder *folder = Folder(node);
  if (!folder || !info.item.pszText || !*info.item.pszText) return TsTreeView::WndProc(m);
  // The program's OnEdited has its say first; the shell then renames the item, which the node follows.
  TTVEditedEvent programs = OnEdited;
  OnEdited = [this, programs, folder](TObject *sender, TTreeNode *edited, std::string &text) {
    if (programs) programs(sender, edited, text);
    if (text.empty() || text == edited->Text()) return;
    if (!folder->Attributes(SFGAO_CANRENAME)) {
      text = edited->Text();
      return;
    }
    TacPidl renamed = folder->Rename(Handle(), text);
    if (!renamed) throw Exception("Rename to " + text + " failed");
    folders_[edited] = std::make_unique<TacShellFolder>(std::move(renamed));
    renamedNode_ = edited;
    PostMessageW(Handle(), RefreshRenamedParent, 0, 0);
  };
  struct Restore {
    TTVEditedEvent &event;
    TTVEditedEvent saved;
    ~Restore() { event = std::move(saved); }
  } restore{OnEdited, programs};
  TsTreeView::WndProc(m);
}

void TacCustomShellTreeView::FollowTreeColor() {
  if (!shellImages_ || Images() != shellImages_.get()) return;
  const HIMAGELIST list = shellImages_->Handle();
  if (!imagesBackground_) imagesBackground_ = ImageList_GetBkColor(list);
  ImageList_SetBkColor(list, ColorToRGB(Color()));
}

void TacCustomShellTreeView::WndProc(TMessage &m) {
  if (m.Msg == CN_NOTIFY) {
    const auto &header = *reinterpret_cast<NMHDR *>(m.LParam);
    if (header.code == TVN_ENDLABELEDITW) return LabelEdited(m);
    if (header.code == TVN_ITEMEXPANDINGW) {
      const auto &info = *reinterpret_cast<NMTREEVIEWW *>(m.LParam);
      if (info.action & TVE_EXPAND) Expanding(Items().FindNode(info.itemNew.hItem));
    }
  }
  if (m.Msg == RefreshRenamedParent) {
    if (TTreeNode *renamed = std::exchange(renamedNode_, nullptr); renamed && renamed->Parent())
      RefreshNode(renamed->Parent());
    return;
  }
  TsTreeView::WndProc(m);
  if (m.Msg == WM_NCPAINT || (m.Msg == CM_SHOWINGCHANGED && Showing()) ||
      (m.Msg == SM_TESSORACMD && SkinCommandOf(m.WParam) == AC_SKINREFRESH))
    FollowTreeColor();
}
