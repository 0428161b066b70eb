#pragma once
// The folder tree of the shell namespace: a skinned tree view that starts at a root (a special folder by
// name, such as "rfDesktop", or a path) and lists the items below each folder when its node is first
// expanded, sorted as the folder sorts them, with the system's small icons. Each node holds its shell item;
// a node's label can be edited to rename the item.
//
//   tree->SetRoot("C:");                  // raises "Error Setting Path" when it names nothing
//   tree->SelectPath("C:\\Program Files"); // expands the way down and selects the folder
//   std::string chosen = tree->SelectedPath();

#include <memory>
#include <string>
#include <unordered_map>

#include "skin/controls/FolderNames.h"
#include "skin/controls/win/ShellFolder.h"
#include "skin/controls/win/TreeView.h"

enum TacShellObjectType : uint32_t { otFolders = 1, otNonFolders = 2, otHidden = 4 };
using TacShellObjectTypes = uint32_t;

// (sender, folder, can add): may refuse a node while it is being added.
using TacAddFolderEvent = std::function<void(TObject *sender, TacShellFolder &folder, bool &canAdd)>;

class TacCustomShellTreeView : public TsTreeView {
  TK_CLASS(TacCustomShellTreeView)
public:
  explicit TacCustomShellTreeView(TComponent *owner);
  ~TacCustomShellTreeView() override;

  const std::string &Root() const { return root_; }
  // A new root (compared without regard to case) rebuilds the tree; a root that names nothing raises
  // "Error Setting Path" and leaves the root and the tree as they were.
  void SetRoot(const std::string &root);
  TacShellObjectTypes ObjectTypes() const { return objectTypes_; }
  void SetObjectTypes(TacShellObjectTypes types) { objectTypes_ = types; }
  TacShowExtension ShowExt = TacShowExtension::seSystem;
  bool UseShellImages() const { return useShellImages_; }
  void SetUseShellImages(bool use);
  // Kept for layouts; the tree does not watch the file system.
  bool AutoRefresh = false;
  TacAddFolderEvent OnAddFolder;

  // The shell item of a node; null for a node the tree did not make.
  TacShellFolder *Folder(TTreeNode *node) const;
  // The file-system path of the selected node; empty without a selection or for a virtual folder.
  std::string SelectedPath() const;
  // Selects the folder of a path, expanding the nodes on the way; raises "Error Setting Path" when the
  // path names nothing.
  void SelectPath(const std::string &path);
  // Lists a folder node's children anew, keeping what was expanded and selected under it.
  void RefreshNode(TTreeNode *node);

protected:
  void WndProc(TMessage &m) override;
  void CreateHandleDone() override;
  void NodeDeleting(TTreeNode *node) override;

private:
  // The root's item; null when the text names nothing.
  TacPidl ResolveRoot(const std::string &root) const;
  void Build(TacPidl root);
  // A node for the item under parent (a top node without parent), or none when OnAddFolder refuses it.
  TTreeNode *AddNode(TTreeNode *parent, TTreeNode *before, std::unique_ptr<TacShellFolder> folder);
  void Describe(TTreeNode *node, const TacShellFolder &folder);
  // Lists the items of a folder node that has none listed yet.
  void ListChildren(TTreeNode *node);
  void Expanding(TTreeNode *node);
  // The node of an item, from start down: the nodes on the way are listed and expanded. The deepest node
  // on the way when the item itself is not found; null when start does not lead to it.
  TTreeNode *NodeOf(const ITEMIDLIST *item, TTreeNode *start);
  void LabelEdited(TMessage &m);
  void FollowTreeColor();

  std::string root_ = "rfDesktop";
  TacShellObjectTypes objectTypes_ = otFolders;
  bool useShellImages_ = true;
  bool building_ = false;
  std::unordered_map<TTreeNode *, std::unique_ptr<TacShellFolder>> folders_;
  std::unique_ptr<TImageList> shellImages_;
  // The shared icon list's own background colour, given back when the tree goes.
  std::optional<COLORREF> imagesBackground_;
  // A renamed node whose parent is listed again once the edit notification is over.
  TTreeNode *renamedNode_ = nullptr;
};

class TsShellTreeView : public TacCustomShellTreeView {
  TK_CLASS(TsShellTreeView)
public:
  explicit TsShellTreeView(TComponent *owner) : TacCustomShellTreeView(owner) {}
};
