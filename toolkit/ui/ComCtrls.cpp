#include "toolkit/ui/ComCtrls.h"

#include <algorithm>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/win/Win32Text.h"

const TMetaClass &TProgressBar::StaticMetaClass() {
  return DefineClass<TProgressBar, TWinControl>("TProgressBar", [](TClassBuilder<TProgressBar> &c) {
    c.Int("Min", &TProgressBar::SetMin);
    c.Int("Max", &TProgressBar::SetMax);
    c.Int("Position", &TProgressBar::SetPosition);
    c.Int("Step", &TProgressBar::SetStep);
    c.Bool("Smooth", &TProgressBar::SetSmooth);
    c.Enum<TProgressBarOrientation>("Orientation", &TProgressBar::SetOrientation,
                                    {{"pbHorizontal", int(TProgressBarOrientation::pbHorizontal)},
                                     {"pbVertical", int(TProgressBarOrientation::pbVertical)}});
  });
}

TProgressBar::TProgressBar(TComponent *owner) : TWinControl(owner) {
  SetTabStop(false);
  SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams &p) {
  TWinControl::CreateParams(p);
  p.baseClass = PROGRESS_CLASSW;
  if (smooth_) p.style |= PBS_SMOOTH;
  if (orientation_ == TProgressBarOrientation::pbVertical) p.style |= PBS_VERTICAL;
  if (BorderWidth() > 0) p.style |= WS_BORDER;
}

void TProgressBar::CreateHandleDone() {
  SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageW(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
  SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int v) {
  min_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TProgressBar::SetMax(int v) {
  max_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int TProgressBar::Position() const {
  if (!HandleAllocated()) return position_;
  return static_cast<int>(SendMessageW(const_cast<TProgressBar *>(this)->Handle(), PBM_GETPOS, 0, 0));
}

void TProgressBar::SetPosition(int v) {
  position_ = v < min_ ? min_ : v > max_ ? max_ : v;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetStep(int v) {
  step_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

void TProgressBar::StepIt() { SetPosition(Position() + step_); }

void TProgressBar::SetSmooth(bool v) {
  if (v == smooth_) return;
  smooth_ = v;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  RecreateWnd();
}

// ========================================================================================== TImageList

const TMetaClass &TImageList::StaticMetaClass() { return DefineClass<TImageList, TComponent>("TImageList"); }

TImageList::~TImageList() {
  ReleaseLinks();
  SetHandle(nullptr, true);
}

void TImageList::SetHandle(HIMAGELIST list, bool shared) {
  if (handle_ && !shared_ && handle_ != list) ImageList_Destroy(handle_);
  handle_ = list;
  shared_ = shared;
}

void TImageList::CreateSize(int width, int height) {
  HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 0, 4);
  if (!list) throw Exception("Cannot create an image list");
  SetHandle(list, false);
}

int TImageList::AddIcon(HICON icon) { return handle_ ? ImageList_AddIcon(handle_, icon) : -1; }

bool TImageList::Overlay(int imageIndex, int overlay) {
  return handle_ && ImageList_SetOverlayImage(handle_, imageIndex, overlay + 1);
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::Width() const {
  int width = 0, height = 0;
  if (handle_) ImageList_GetIconSize(handle_, &width, &height);
  return width;
}

int TImageList::Height() const {
  int width = 0, height = 0;
  if (handle_) ImageList_GetIconSize(handle_, &width, &height);
  return height;
}

TColor TImageList::BkColor() const {
  if (!handle_) return clNone;
  COLORREF color = ImageList_GetBkColor(handle_);
  return color == CLR_NONE ? clNone : static_cast<TColor>(color);
}

void TImageList::SetBkColor(TColor color) {
  if (handle_) ImageList_SetBkColor(handle_, color == clNone ? CLR_NONE : ColorToRGB(color));
}

void TImageList::Draw(TCanvas &canvas, int x, int y, int index, bool enabled) {
  if (!handle_ || index < 0 || index >= Count()) return;
  IMAGELISTDRAWPARAMS params{};
  params.cbSize = sizeof params;
  params.himl = handle_;
  params.i = index;
  params.hdcDst = canvas.Handle();
  params.x = x;
  params.y = y;
  params.rgbBk = CLR_NONE;
  params.rgbFg = CLR_DEFAULT;
  params.fStyle = ILD_TRANSPARENT;
  params.fState = enabled ? ILS_NORMAL : ILS_SATURATE;
  ImageList_DrawIndirect(&params);
}

// =========================================================================================== TTreeNode

TTreeView *TTreeNode::TreeView() const { return &owner_.tree_; }

int TTreeNode::Index() const {
  const auto &siblings = parent_ ? parent_->children_ : owner_.roots_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TTreeNode::Sync(UINT mask) const {
  TTreeView &tree = owner_.tree_;
  if (!item_ || !tree.HandleAllocated()) return;
  std::wstring text = Wide(text_);
  TVITEMW item{};
  item.mask = mask | TVIF_HANDLE;
  item.hItem = item_;
  item.pszText = text.data();
  item.iImage = imageIndex_;
  item.iSelectedImage = selectedIndex_;
  item.cChildren = HasChildren() ? 1 : 0;
  item.state = INDEXTOOVERLAYMASK(overlayIndex_ + 1);
  item.stateMask = TVIS_OVERLAYMASK;
  SendMessageW(tree.Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetText(const std::string &text) {
  text_ = text;
  Sync(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int index) {
  imageIndex_ = index;
  Sync(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int index) {
  selectedIndex_ = index;
  Sync(TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetOverlayIndex(int index) {
  overlayIndex_ = index;
  Sync(TVIF_STATE);
}

void TTreeNode::SetHasChildren(bool v) {
  hasChildren_ = v;
  Sync(TVIF_CHILDREN);
}

bool TTreeNode::Expanded() const {
  TTreeView &tree = owner_.tree_;
  if (!item_ || !tree.HandleAllocated()) return false;
  return (SendMessageW(tree.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

void TTreeNode::Expand(bool recurse) {
  TTreeView &tree = owner_.tree_;
  if (item_ && HasChildren()) SendMessageW(tree.Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
  if (recurse)
    for (TTreeNode *child : std::vector<TTreeNode *>(children_))
      child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  TTreeView &tree = owner_.tree_;
  if (item_) SendMessageW(tree.Handle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
  if (recurse)
    for (TTreeNode *child : children_)
      child->Collapse(true);
}

bool TTreeNode::Selected() const { return owner_.tree_.Selected() == this; }

void TTreeNode::SetSelected(bool v) {
  TTreeView &tree = owner_.tree_;
  if (v)
    tree.SetSelected(this);
  else if (Selected())
    tree.SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
  if (item_) SendMessageW(owner_.tree_.Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
}

bool TTreeNode::EditText() {
  TTreeView &tree = owner_.tree_;
  if (!item_ || tree.ReadOnly()) return false;
  tree.SetFocus();
  return SendMessageW(tree.Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item_)) != 0;
}

void TTreeNode::EndEdit(bool cancel) {
  if (!IsEditing()) return;
  // Not every tree window leaves the text out of a cancelled edit's notice: remember the request.
  owner_.tree_.editCancelled_ = cancel;
  SendMessageW(owner_.tree_.Handle(), TVM_ENDEDITLABELNOW, cancel, 0);
  owner_.tree_.editCancelled_ = false;
}

bool TTreeNode::IsEditing() const { return owner_.tree_.editing_ == this && owner_.tree_.IsEditing(); }

void TTreeNode::Delete() { owner_.Delete(this); }

// ========================================================================================== TTreeNodes

TTreeNodes::~TTreeNodes() = default;

TTreeNode *TTreeNodes::InsertNode(TTreeNode *parent, size_t position, const std::string &text) {
  storage_.push_back(std::make_unique<TTreeNode>(*this, parent));
  TTreeNode *node = storage_.back().get();
  node->text_ = text;
  auto &siblings = Siblings(parent);
  siblings.insert(siblings.begin() + static_cast<ptrdiff_t>(std::min(position, siblings.size())), node);
  if (parent && parent->item_ && parent->children_.size() == 1) parent->Sync(TVIF_CHILDREN);
  if (tree_.HandleAllocated() && (!parent || parent->item_)) CreateItem(node);
  return node;
}

TTreeNode *TTreeNodes::Add(TTreeNode *sibling, const std::string &text) {
  TTreeNode *parent = sibling ? sibling->parent_ : nullptr;
  return InsertNode(parent, Siblings(parent).size(), text);
}

TTreeNode *TTreeNodes::AddChild(TTreeNode *parent, const std::string &text) {
  return InsertNode(parent, Siblings(parent).size(), text);
}

TTreeNode *TTreeNodes::AddChildFirst(TTreeNode *parent, const std::string &text) { return InsertNode(parent, 0, text); }

TTreeNode *TTreeNodes::Insert(TTreeNode *sibling, const std::string &text) {
  if (!sibling) return Add(nullptr, text);
  return InsertNode(sibling->parent_, static_cast<size_t>(sibling->Index()), text);
}

void TTreeNodes::CreateItem(TTreeNode *node) {
  auto &siblings = Siblings(node->parent_);
  auto at = std::find(siblings.begin(), siblings.end(), node);
  HTREEITEM after = TVI_FIRST;
  for (auto it = at; it != siblings.begin();)
    if ((*--it)->item_) {
      after = (*it)->item_;
      break;
    }
  std::wstring text = Wide(node->text_);
  TVINSERTSTRUCTW insert{};
  insert.hParent = node->parent_ ? node->parent_->item_ : TVI_ROOT;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN | TVIF_STATE;
  insert.item.pszText = text.data();
  insert.item.iImage = node->imageIndex_;
  insert.item.iSelectedImage = node->selectedIndex_;
  insert.item.cChildren = node->HasChildren() ? 1 : 0;
  insert.item.lParam = reinterpret_cast<LPARAM>(node);
  insert.item.state = INDEXTOOVERLAYMASK(node->overlayIndex_ + 1);
  insert.item.stateMask = TVIS_OVERLAYMASK;
  node->item_ =
      reinterpret_cast<HTREEITEM>(SendMessageW(tree_.Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  for (TTreeNode *child : node->children_)
    CreateItem(child);
}

void TTreeNodes::ForgetItems(std::vector<TTreeNode *> &nodes) {
  for (TTreeNode *node : nodes) {
    node->item_ = nullptr;
    ForgetItems(node->children_);
  }
}

void TTreeNodes::Delete(TTreeNode *node) {
  if (!node) return;
  for (TTreeNode *child : std::vector<TTreeNode *>(node->children_))
    Delete(child);
  if (tree_.OnDeletion) tree_.OnDeletion(&tree_, node);
  tree_.NodeDeleting(node);
  if (tree_.editing_ == node) tree_.editing_ = nullptr;
  if (tree_.selectedWhileHidden_ == node) tree_.selectedWhileHidden_ = nullptr;
  if (node->item_ && tree_.HandleAllocated())
    SendMessageW(tree_.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
  auto &siblings = Siblings(node->parent_);
  siblings.erase(std::find(siblings.begin(), siblings.end(), node));
  if (node->parent_ && node->parent_->children_.empty()) node->parent_->Sync(TVIF_CHILDREN);
  storage_.erase(std::find_if(storage_.begin(), storage_.end(), [node](const auto &p) { return p.get() == node; }));
}

void TTreeNodes::Clear() {
  BeginUpdate();
  while (!roots_.empty())
    Delete(roots_.back());
  EndUpdate();
}

void TTreeNodes::Flatten(const std::vector<TTreeNode *> &nodes, std::vector<TTreeNode *> &out) const {
  for (TTreeNode *node : nodes) {
    out.push_back(node);
    Flatten(node->children_, out);
  }
}

int TTreeNodes::Count() const { return static_cast<int>(storage_.size()); }

TTreeNode *TTreeNodes::Item(int index) const {
  std::vector<TTreeNode *> all;
  Flatten(roots_, all);
  return all.at(static_cast<size_t>(index));
}

TTreeNode *TTreeNodes::FindNode(HTREEITEM item) const {
  if (!item) return nullptr;
  for (const auto &node : storage_)
    if (node->item_ == item) return node.get();
  return nullptr;
}

void TTreeNodes::BeginUpdate() {
  if (updateCount_++ == 0 && tree_.HandleAllocated()) SendMessageW(tree_.Handle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && tree_.HandleAllocated()) {
    SendMessageW(tree_.Handle(), WM_SETREDRAW, TRUE, 0);
    tree_.Invalidate();
  }
}

// =========================================================================================== TTreeView

const TMetaClass &TTreeView::StaticMetaClass() {
  return DefineClass<TTreeView, TWinControl>("TTreeView", [](TClassBuilder<TTreeView> &c) {
    c.Int("Indent", &TTreeView::SetIndent);
    c.Bool("ShowRoot", &TTreeView::SetShowRoot);
    c.Bool("ShowLines", &TTreeView::SetShowLines);
    c.Bool("ShowButtons", &TTreeView::SetShowButtons);
    c.Bool("ReadOnly", &TTreeView::SetReadOnly);
    c.Bool("HideSelection", &TTreeView::SetHideSelection);
    c.Bool("RightClickSelect", &TTreeView::SetRightClickSelect);
    c.Reference<TImageList>("Images", &TTreeView::SetImages);
  });
}

TTreeView::TTreeView(TComponent *owner) : TWinControl(owner), items_(*this) {
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() { ReleaseLinks(); }

void TTreeView::CreateParams(TCreateParams &p) {
  TWinControl::CreateParams(p);
  p.baseClass = WC_TREEVIEWW;
  p.exStyle |= WS_EX_CLIENTEDGE;
  if (showLines_) p.style |= TVS_HASLINES;
  if (showButtons_) p.style |= TVS_HASBUTTONS;
  if (showRoot_) p.style |= TVS_LINESATROOT;
  if (!readOnly_) p.style |= TVS_EDITLABELS;
  if (!hideSelection_) p.style |= TVS_SHOWSELALWAYS;
}

void TTreeView::CreateHandleDone() {
  SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
  if (images_) SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_->Handle()));
  SendMessageW(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
  for (TTreeNode *node : items_.roots_)
    items_.CreateItem(node);
  if (TTreeNode *selected = std::exchange(selectedWhileHidden_, nullptr)) SetSelected(selected);
}

void TTreeView::DestroyWnd() {
  selectedWhileHidden_ = Selected();
  editing_ = nullptr;
  TWinControl::DestroyWnd();
  items_.ForgetItems(items_.roots_);
}

void TTreeView::ColorChanged() {
  TWinControl::ColorChanged();
  if (HandleAllocated()) SendMessageW(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
}

void TTreeView::FontChanged() {
  TWinControl::FontChanged();
  if (HandleAllocated()) SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
}

TTreeNode *TTreeView::Selected() const {
  if (!HandleAllocated()) return selectedWhileHidden_;
  HWND window = const_cast<TTreeView *>(this)->Handle();
  return items_.FindNode(reinterpret_cast<HTREEITEM>(SendMessageW(window, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TTreeView::SetSelected(TTreeNode *node) {
  if (!HandleAllocated()) {
    selectedWhileHidden_ = node;
    return;
  }
  SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

TTreeNode *TTreeView::TopItem() const {
  if (!HandleAllocated()) return items_.GetFirstNode();
  HWND window = const_cast<TTreeView *>(this)->Handle();
  return items_.FindNode(reinterpret_cast<HTREEITEM>(SendMessageW(window, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TTreeView::SetTopItem(TTreeNode *node) {
  if (node && node->item_)
    SendMessageW(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node->item_));
}

void TTreeView::SetIndent(int v) {
  indent_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(v), 0);
}

void TTreeView::SetShowRoot(bool v) {
  if (v == showRoot_) return;
  showRoot_ = v;
  RecreateWnd();
}

void TTreeView::SetShowLines(bool v) {
  if (v == showLines_) return;
  showLines_ = v;
  RecreateWnd();
}

void TTreeView::SetShowButtons(bool v) {
  if (v == showButtons_) return;
  showButtons_ = v;
  RecreateWnd();
}

void TTreeView::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  RecreateWnd();
}

void TTreeView::SetHideSelection(bool v) {
  if (v == hideSelection_) return;
  hideSelection_ = v;
  RecreateWnd();
}

void TTreeView::SetImages(TImageList *images) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  if (HandleAllocated())
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TTreeView::Notification(TComponent *component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) SetImages(nullptr);
}

TTreeNode *TTreeView::GetNodeAt(int x, int y) const {
  if (!HandleAllocated()) return nullptr;
  TVHITTESTINFO hit{};
  hit.pt = {x, y};
  HWND window = const_cast<TTreeView *>(this)->Handle();
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(window, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)) ? items_.FindNode(item) : nullptr;
}

bool TTreeView::IsEditing() const {
  return HandleAllocated() && SendMessageW(const_cast<TTreeView *>(this)->Handle(), TVM_GETEDITCONTROL, 0, 0) != 0;
}

namespace {
struct SortContext {
  const std::vector<TTreeNode *> *order;
};
int CALLBACK CompareByOrder(LPARAM a, LPARAM b, LPARAM context) {
  const auto &order = *reinterpret_cast<SortContext *>(context)->order;
  auto position = [&](LPARAM node) {
    return std::find(order.begin(), order.end(), reinterpret_cast<TTreeNode *>(node)) - order.begin();
  };
  return static_cast<int>(position(a) - position(b));
}
} // namespace

void TTreeView::SortLevel(std::vector<TTreeNode *> &nodes, TTreeNode *parent, const TTVCompare &compare, bool recurse) {
  std::stable_sort(nodes.begin(), nodes.end(), [&](TTreeNode *a, TTreeNode *b) { return compare(a, b) < 0; });
  if (HandleAllocated() && (!parent || parent->item_)) {
    // The window sorts by the order worked out here, so both agree even for a comparer that is not
    // consistent; the callback itself cannot throw.
    SortContext context{&nodes};
    TVSORTCB sort{parent ? parent->item_ : TVI_ROOT, CompareByOrder, reinterpret_cast<LPARAM>(&context)};
    SendMessageW(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
  }
  if (recurse)
    for (TTreeNode *node : nodes)
      SortLevel(node->children_, node, compare, true);
}

void TTreeView::CustomSort(const TTVCompare &compare, TTreeNode *parent, bool recurse) {
  SortLevel(items_.Siblings(parent), parent, compare, recurse);
}

void TTreeView::Notify(NMHDR &header, LRESULT &result) {
  switch (header.code) {
  case TVN_SELCHANGEDW: {
    auto &info = reinterpret_cast<NMTREEVIEWW &>(header);
    if (OnChange) OnChange(this, items_.FindNode(info.itemNew.hItem));
    break;
  }
  case TVN_ITEMEXPANDINGW: {
    auto &info = reinterpret_cast<NMTREEVIEWW &>(header);
    bool allow = true;
    TTreeNode *node = items_.FindNode(info.itemNew.hItem);
    if (info.action & TVE_EXPAND) {
      if (OnExpanding) OnExpanding(this, node, allow);
    } else if (OnCollapsing) {
      OnCollapsing(this, node, allow);
    }
    result = allow ? FALSE : TRUE;
    break;
  }
  case TVN_ITEMEXPANDEDW: {
    auto &info = reinterpret_cast<NMTREEVIEWW &>(header);
    if (OnExpanded && (info.action & TVE_EXPAND)) OnExpanded(this, items_.FindNode(info.itemNew.hItem));
    break;
  }
  case TVN_BEGINLABELEDITW: {
    auto &info = reinterpret_cast<NMTVDISPINFOW &>(header);
    TTreeNode *node = items_.FindNode(info.item.hItem);
    bool allow = !readOnly_;
    if (OnEditing) OnEditing(this, node, allow);
    if (allow) editing_ = node;
    result = allow ? FALSE : TRUE;
    break;
  }
  case TVN_ENDLABELEDITW: {
    auto &info = reinterpret_cast<NMTVDISPINFOW &>(header);
    TTreeNode *node = items_.FindNode(info.item.hItem);
    editing_ = nullptr;
    if (!node || !info.item.pszText || editCancelled_) break; // cancelled
    std::string text = Narrow(info.item.pszText);
    if (OnEdited) OnEdited(this, node, text);
    node->text_ = text;
    node->Sync(TVIF_TEXT);
    result = FALSE; // the node already holds the final text
    break;
  }
  case NM_RCLICK:
    if (rightClickSelect_) {
      POINT p;
      GetCursorPos(&p);
      ::ScreenToClient(Handle(), &p);
      if (TTreeNode *node = GetNodeAt(p.x, p.y)) SetSelected(node);
    }
    break;
  }
}

void TTreeView::WndProc(TMessage &m) {
  if (m.Msg == CN_NOTIFY) {
    LRESULT result = 0;
    Notify(*reinterpret_cast<NMHDR *>(m.LParam), result);
    m.Result = result;
    return;
  }
  TWinControl::WndProc(m);
}
