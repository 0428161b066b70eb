#pragma once
// Common controls: the progress bar, image lists and the tree view.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/Controls.h"

#include <commctrl.h>

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
  TK_CLASS(TProgressBar)
public:
  explicit TProgressBar(TComponent *owner);

  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  // Read from the window when it exists, so a hook that changed it is seen.
  int Position() const;
  // Sent to the window as PBM_SETPOS, which the window's hooks see and which repaints it.
  void SetPosition(int v);
  int Step() const { return step_; }
  void SetStep(int v);
  void StepIt();
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation v);

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateHandleDone() override;

private:
  int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
  bool smooth_ = false;
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
};

// An image list: its own, or a foreign one (the shell's shared icons) that it only uses and never frees.
class TImageList : public TComponent {
  TK_CLASS(TImageList)
public:
  explicit TImageList(TComponent *owner) : TComponent(owner) {}
  ~TImageList() override;

  HIMAGELIST Handle() const { return handle_; }
  // Takes a list; a shared one is never destroyed here.
  void SetHandle(HIMAGELIST list, bool shared);
  bool ShareImages() const { return shared_; }
  // Starts an own empty list of images of this size (24-bit colour with a mask).
  void CreateSize(int width, int height);
  int AddIcon(HICON icon);
  // Makes the image at imageIndex overlay number overlay (0 to 14), which tree nodes name as OverlayIndex.
  bool Overlay(int imageIndex, int overlay);
  int Count() const;
  int Width() const;
  int Height() const;
  TColor BkColor() const;
  void SetBkColor(TColor color);
  void Draw(TCanvas &canvas, int x, int y, int index, bool enabled = true);

private:
  HIMAGELIST handle_ = nullptr;
  bool shared_ = false;
};

class TTreeView;
class TTreeNodes;

class TTreeNode {
public:
  TTreeNode(TTreeNodes &owner, TTreeNode *parent) : owner_(owner), parent_(parent) {}
  TTreeNode(const TTreeNode &) = delete;
  TTreeNode &operator=(const TTreeNode &) = delete;

  const std::string &Text() const { return text_; }
  void SetText(const std::string &text);
  void *Data() const { return data_; }
  void SetData(void *data) { data_ = data; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);
  // The overlay image drawn over the node's image: its number in the image list (TImageList::Overlay), -1 for
  // none.
  int OverlayIndex() const { return overlayIndex_; }
  void SetOverlayIndex(int index);
  // Shows the expand button even before children are added (they may be added when expanding).
  bool HasChildren() const { return hasChildren_ || !children_.empty(); }
  void SetHasChildren(bool v);
  bool Expanded() const;
  void Expand(bool recurse = false);
  void Collapse(bool recurse = false);
  void SetExpanded(bool v) { v ? Expand() : Collapse(); }
  bool Selected() const;
  void SetSelected(bool v);
  void MakeVisible();

  TTreeNode *Parent() const { return parent_; }
  int Count() const { return static_cast<int>(children_.size()); }
  TTreeNode *Item(int index) const { return children_.at(static_cast<size_t>(index)); }
  int Index() const;
  int Level() const { return parent_ ? parent_->Level() + 1 : 0; }
  TTreeNode *GetFirstChild() const { return children_.empty() ? nullptr : children_.front(); }
  TTreeView *TreeView() const;
  HTREEITEM ItemId() const { return item_; }

  // Starts editing the label in place; false when the tree does not allow it.
  bool EditText();
  // Ends an edit of this node's label, keeping the new text unless cancelled.
  void EndEdit(bool cancel);
  bool IsEditing() const;
  // Deletes this node and its children.
  void Delete();

private:
  friend class TTreeNodes;
  friend class TTreeView;
  void Sync(UINT mask) const;

  TTreeNodes &owner_;
  TTreeNode *parent_;
  std::vector<TTreeNode *> children_;
  std::string text_;
  void *data_ = nullptr;
  int imageIndex_ = -1, selectedIndex_ = -1, overlayIndex_ = -1;
  bool hasChildren_ = false;
  HTREEITEM item_ = nullptr;
};

// The nodes of a tree view. They live here, so they survive when the tree's window is made again.
class TTreeNodes {
public:
  explicit TTreeNodes(TTreeView &tree) : tree_(tree) {}
  ~TTreeNodes();
  TTreeNodes(const TTreeNodes &) = delete;
  TTreeNodes &operator=(const TTreeNodes &) = delete;

  // A node after the last sibling of sibling (a top node when sibling is null).
  TTreeNode *Add(TTreeNode *sibling, const std::string &text);
  TTreeNode *AddChild(TTreeNode *parent, const std::string &text);
  TTreeNode *AddChildFirst(TTreeNode *parent, const std::string &text);
  // A node before sibling, on its level.
  TTreeNode *Insert(TTreeNode *sibling, const std::string &text);
  void Delete(TTreeNode *node);
  void Clear();
  // All nodes, top to bottom as an expanded tree lists them.
  int Count() const;
  TTreeNode *Item(int index) const;
  TTreeNode *GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
  int RootCount() const { return static_cast<int>(roots_.size()); }
  TTreeNode *Root(int index) const { return roots_.at(static_cast<size_t>(index)); }
  TTreeNode *FindNode(HTREEITEM item) const;
  TTreeView &Owner() const { return tree_; }

  void BeginUpdate();
  void EndUpdate();

private:
  friend class TTreeView;
  friend class TTreeNode;
  TTreeNode *InsertNode(TTreeNode *parent, size_t position, const std::string &text);
  std::vector<TTreeNode *> &Siblings(TTreeNode *parent) { return parent ? parent->children_ : roots_; }
  // Puts a node (and its children) into the tree's window.
  void CreateItem(TTreeNode *node);
  void ForgetItems(std::vector<TTreeNode *> &nodes);
  void Flatten(const std::vector<TTreeNode *> &nodes, std::vector<TTreeNode *> &out) const;

  TTreeView &tree_;
  std::vector<TTreeNode *> roots_;
  std::vector<std::unique_ptr<TTreeNode>> storage_;
  int updateCount_ = 0;
};

using TTVChangedEvent = std::function<void(TObject *sender, TTreeNode *node)>;
using TTVExpandingEvent = std::function<void(TObject *sender, TTreeNode *node, bool &allow)>;
using TTVEditingEvent = std::function<void(TObject *sender, TTreeNode *node, bool &allow)>;
using TTVEditedEvent = std::function<void(TObject *sender, TTreeNode *node, std::string &text)>;
using TTVCompare = std::function<int(TTreeNode *a, TTreeNode *b)>;

class TTreeView : public TWinControl {
  TK_CLASS(TTreeView)
public:
  explicit TTreeView(TComponent *owner);
  ~TTreeView() override;

  TTreeNodes &Items() { return items_; }
  TTreeNode *Selected() const;
  void SetSelected(TTreeNode *node);
  TTreeNode *TopItem() const;
  void SetTopItem(TTreeNode *node);
  int Indent() const { return indent_; }
  void SetIndent(int v);
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool v);
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool v);
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool v);
  // False allows editing labels in place.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  bool RightClickSelect() const { return rightClickSelect_; }
  void SetRightClickSelect(bool v) { rightClickSelect_ = v; }
  TImageList *Images() const { return images_; }
  void SetImages(TImageList *images);
  // Sorts the children of parent (the top nodes when null), also deeper when recurse.
  void CustomSort(const TTVCompare &compare, TTreeNode *parent = nullptr, bool recurse = false);
  // The node under the client point, or null.
  TTreeNode *GetNodeAt(int x, int y) const;
  bool IsEditing() const;

  TTVChangedEvent OnChange;
  TTVExpandingEvent OnExpanding;
  TTVExpandingEvent OnCollapsing;
  TTVChangedEvent OnExpanded;
  TTVEditingEvent OnEditing;
  TTVEditedEvent OnEdited;
  TTVChangedEvent OnDeletion;

  void Notification(TComponent *component, TOperation operation) override;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void WndProc(TMessage &message) override;
  // Colour and font colour reach the window whenever they change.
  void ColorChanged() override;
  void FontChanged() override;
  // A node is about to go (its children went before it), with or without the window: what a descendant
  // keeps per node is freed here.
  virtual void NodeDeleting(TTreeNode *) {}

private:
  friend class TTreeNodes;
  friend class TTreeNode;
  void SortLevel(std::vector<TTreeNode *> &nodes, TTreeNode *parent, const TTVCompare &compare, bool recurse);
  void Notify(NMHDR &header, LRESULT &result);

  TTreeNodes items_;
  TImageList *images_ = nullptr;
  TTreeNode *selectedWhileHidden_ = nullptr;
  int indent_ = 19;
  bool showRoot_ = true, showLines_ = true, showButtons_ = true, readOnly_ = false, hideSelection_ = true;
  bool rightClickSelect_ = false;
  TTreeNode *editing_ = nullptr;
  bool editCancelled_ = false;
};
