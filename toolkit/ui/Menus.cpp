#include "toolkit/ui/Menus.h"

#include <algorithm>
#include <map>

#include "toolkit/base/MetaClass.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ErrorPath.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

// Live items by command number. A namespace-scope object: it outlives the application and its forms,
// whose items leave it while they are freed.
std::map<UINT, TMenuItem *> g_items;
TMenuHook *g_hook = nullptr;

UINT NextCommand() {
  static UINT next = 100;
  // Commands travel in 16 bits: numbers are reused once they wrap, skipping those still taken.
  do
    next = next >= 0xFFFF ? 100 : next + 1;
  while (g_items.count(next));
  return next;
}

std::string KeyName(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) {
    std::string name = "F";
    name += std::to_string(key - VK_F1 + 1);
    return name;
  }
  switch (key) {
  case VK_BACK: return "BkSp";
  case VK_TAB: return "Tab";
  case VK_RETURN: return "Enter";
  case VK_ESCAPE: return "Esc";
  case VK_SPACE: return "Space";
  case VK_PRIOR: return "PgUp";
  case VK_NEXT: return "PgDn";
  case VK_END: return "End";
  case VK_HOME: return "Home";
  case VK_LEFT: return "Left";
  case VK_UP: return "Up";
  case VK_RIGHT: return "Right";
  case VK_DOWN: return "Down";
  case VK_INSERT: return "Ins";
  case VK_DELETE: return "Del";
  }
  return "";
}

} // namespace

TMenuHook *SetMenuHook(TMenuHook *hook) { return std::exchange(g_hook, hook); }

std::string ShortCutToText(int shortCut) {
  std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return "";
  std::string text;
  if (shortCut & 0x2000) text += "Shift+";
  if (shortCut & 0x4000) text += "Ctrl+";
  if (shortCut & 0x8000) text += "Alt+";
  return text + name;
}

// ============================================================================================ TMenuItem

const TMetaClass &TMenuItem::StaticMetaClass() {
  return DefineClass<TMenuItem, TComponent>("TMenuItem", [](TClassBuilder<TMenuItem> &c) {
    c.String("Caption", &TMenuItem::SetCaption);
    c.Int("ShortCut", &TMenuItem::SetShortCut);
    c.Bool("Visible", &TMenuItem::SetVisible);
    c.Bool("Enabled", &TMenuItem::SetEnabled);
    c.Bool("Checked", &TMenuItem::SetChecked);
    c.Bool("RadioItem", &TMenuItem::SetRadioItem);
    c.Bool("Default", &TMenuItem::SetDefault);
    c.Enum<TMenuBreak>("Break", &TMenuItem::SetBreak,
                       {{"mbNone", int(TMenuBreak::mbNone)},
                        {"mbBreak", int(TMenuBreak::mbBreak)},
                        {"mbBarBreak", int(TMenuBreak::mbBarBreak)}});
    c.Int("ImageIndex", &TMenuItem::SetImageIndex);
    c.String("Hint", &TMenuItem::SetHint);
    c.Event("OnClick", &TMenuItem::OnClick);
  });
}

TMenuItem::TMenuItem(TComponent *owner) : TComponent(owner), command_(NextCommand()) { g_items[command_] = this; }

TMenuItem::~TMenuItem() {
  ReleaseLinks();
  g_items.erase(command_);
  if (parent_) parent_->Remove(this);
  for (TMenuItem *item : std::vector<TMenuItem *>(items_))
    Remove(item);
}

int TMenuItem::IndexOf(const TMenuItem *item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Insert(int index, TMenuItem *item) {
  if (!item || item == this) throw Exception("Menu item cannot be inserted here");
  for (TMenuItem *p = this; p; p = p->parent_)
    if (p == item) throw Exception("Menu item cannot be inserted into itself");
  if (index < 0 || index > Count()) throw std::out_of_range("Menu index out of bounds");
  if (item->parent_) item->parent_->Remove(item);
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (g_hook) g_hook->ItemAdded(*item);
}

void TMenuItem::Remove(TMenuItem *item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  if (g_hook) g_hook->ItemRemoved(*item);
  items_.erase(std::find(items_.begin(), items_.end(), item));
  item->parent_ = nullptr;
}

void TMenuItem::Delete(int index) {
  TMenuItem *item = Items(index);
  Remove(item);
  if (item->Owner()) item->Free();
}

TMenu *TMenuItem::Menu() const {
  const TMenuItem *root = this;
  while (root->parent_)
    root = root->parent_;
  return root->menu_;
}

void TMenuItem::SetParentComponent(TComponent *parent) {
  // In a layout an item encloses its sub-items, and a menu encloses its top items.
  if (auto *item = dynamic_cast<TMenuItem *>(parent))
    item->Add(this);
  else if (auto *menu = dynamic_cast<TMenu *>(parent))
    menu->Items().Add(this);
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas &canvas, int &width, int &height) {
  if (OnMeasureItem) return OnMeasureItem(this, canvas, width, height);
  if (painter_.Measure) return painter_.Measure(this, canvas, width, height);
  if (IsLine()) {
    height = 8;
    return;
  }
  std::string text = caption_;
  if (shortCut_) text += "    " + ShortCutToText(shortCut_);
  width = canvas.TextWidth(text) + 2 * GetSystemMetrics(SM_CXMENUCHECK);
  height = std::max(canvas.TextHeight("Wg") + 4, GetSystemMetrics(SM_CYMENUCHECK));
}

void TMenuItem::DrawItem(TCanvas &canvas, RECT rect, TOwnerDrawState state) {
  if (OnDrawItem) return OnDrawItem(this, canvas, rect, state);
  if (painter_.Draw) return painter_.Draw(this, canvas, rect, state);
  const bool selected = state & odSelected;
  HDC dc = canvas.Handle();
  canvas.Brush().SetColor(selected ? clHighlight : clMenu);
  canvas.FillRect(rect);
  if (IsLine()) {
    RECT line{rect.left, (rect.top + rect.bottom) / 2 - 1, rect.right, (rect.top + rect.bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText));
  rect.left += GetSystemMetrics(SM_CXMENUCHECK);
  std::wstring caption = Wide(caption_);
  DrawTextW(dc, caption.c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER);
  if (shortCut_) {
    std::wstring keys = Wide(ShortCutToText(shortCut_));
    rect.right -= GetSystemMetrics(SM_CXMENUCHECK);
    DrawTextW(dc, keys.c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
}

void TMenuItem::AppendTo(HMENU menu, bool ownerDraw) {
  for (TMenuItem *item : items_) {
    if (!item->visible_) continue;
    std::wstring text = Wide(item->caption_);
    if (item->shortCut_) text += L"\t" + Wide(ShortCutToText(item->shortCut_));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
    info.fType = item->IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (ownerDraw || item->HasPainter()) info.fType |= MFT_OWNERDRAW;
    if (item->radioItem_) info.fType |= MFT_RADIOCHECK;
    if (item->break_ == TMenuBreak::mbBreak) info.fType |= MFT_MENUBREAK;
    if (item->break_ == TMenuBreak::mbBarBreak) info.fType |= MFT_MENUBARBREAK;
    info.fState =
        (item->checked_ ? MFS_CHECKED : 0) | (item->enabled_ ? 0 : MFS_GRAYED) | (item->default_ ? MFS_DEFAULT : 0);
    info.wID = item->command_;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    info.dwTypeData = text.data();
    if (!item->items_.empty()) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = CreatePopupMenu();
      item->AppendTo(info.hSubMenu, ownerDraw);
    }
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
  }
}

// ================================================================================================ TMenu

const TMetaClass &TMenu::StaticMetaClass() {
  return DefineClass<TMenu, TComponent>("TMenu", [](TClassBuilder<TMenu> &c) {
    c.Bool("OwnerDraw", &TMenu::SetOwnerDraw);
    c.Reference<TImageList>("Images", &TMenu::SetImages);
  });
}

TMenu::TMenu(TComponent *owner) : TComponent(owner), items_(TComponent::Create<TMenuItem>(this)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  ReleaseLinks();
  if (handle_) DestroyMenu(handle_);
}

void TMenu::SetImages(TImageList *images) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
}

void TMenu::Notification(TComponent *component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

HMENU TMenu::Handle() {
  if (handle_) DestroyMenu(handle_);
  handle_ = CreatePopupMenu();
  items_->AppendTo(handle_, ownerDraw_);
  return handle_;
}

const TMetaClass &TPopupMenu::StaticMetaClass() { return DefineClass<TPopupMenu, TMenu>("TPopupMenu"); }

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  if (g_hook) g_hook->PopupOpening(*this);
  HWND owner = WindowHandle() ? WindowHandle() : Application->ActiveFormHandle();
  HMENU menu = Handle();
  // The menu closes properly when clicked away only if its owner is the foreground window.
  SetForegroundWindow(owner);
  ModalLoopScope loop;
  TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

// ============================================================================================ Dispatch

bool DispatchMenuCommand(UINT command) {
  auto it = g_items.find(command);
  if (it == g_items.end() || !it->second->Menu()) return false;
  it->second->Click();
  return true;
}

bool DispatchMeasureItem(MEASUREITEMSTRUCT &measure) {
  if (measure.CtlType != ODT_MENU) return false;
  auto it = g_items.find(measure.itemID);
  if (it == g_items.end()) return false;
  MemoryDC dc;
  TCanvas canvas;
  CanvasHandleScope scope(canvas, dc.Get());
  int width = static_cast<int>(measure.itemWidth), height = static_cast<int>(measure.itemHeight);
  it->second->MeasureItem(canvas, width, height);
  measure.itemWidth = static_cast<UINT>(width);
  measure.itemHeight = static_cast<UINT>(height);
  return true;
}

bool DispatchDrawItem(const DRAWITEMSTRUCT &draw) {
  if (draw.CtlType != ODT_MENU) return false;
  auto it = g_items.find(draw.itemID);
  if (it == g_items.end()) return false;
  TCanvas canvas; // gives the device context back as it came
  CanvasHandleScope scope(canvas, draw.hDC);
  it->second->DrawItem(canvas, draw.rcItem, draw.itemState);
  return true;
}
