#pragma once
// Menus: items in a tree (TMenuItem), the popup menu that shows them (TPopupMenu), the dispatch of the
// menu messages (command, measure, draw) that the owner window receives to the items, and the hook through
// which a skin learns of every menu.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/ui/Controls.h"

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

// "Alt+F4" for 0x8073: the modifiers Shift, Ctrl, Alt, then the key's name; "" for 0.
std::string ShortCutToText(int shortCut);

// The state an item is drawn in: the system's owner-draw state flags.
enum TOwnerDrawStateFlag : uint32_t {
  odSelected = ODS_SELECTED,
  odGrayed = ODS_GRAYED,
  odDisabled = ODS_DISABLED,
  odChecked = ODS_CHECKED,
  odFocused = ODS_FOCUS,
  odDefault = ODS_DEFAULT,
  odHotLight = ODS_HOTLIGHT, // hot-tracked
  odInactive = ODS_INACTIVE,
  odNoAccel = ODS_NOACCEL, // accelerator marks are hidden
};
using TOwnerDrawState = uint32_t;

using TMenuMeasureItemEvent = std::function<void(TObject *sender, TCanvas &canvas, int &width, int &height)>;
using TMenuDrawItemEvent = std::function<void(TObject *sender, TCanvas &canvas, RECT rect, TOwnerDrawState state)>;

// The measuring and drawing a skin puts in for items that have no handlers of their own.
struct TMenuItemPainter {
  TMenuMeasureItemEvent Measure;
  TMenuDrawItemEvent Draw;
};

class TMenu;
class TPopupMenu;
class TImageList;

// An item of a menu. Items belong (as components) to the menu or form that made them and are freed by
// it; the tree only links them. A caption of "-" makes a separator.
class TMenuItem : public TComponent {
  TK_CLASS(TMenuItem)
public:
  explicit TMenuItem(TComponent *owner);
  ~TMenuItem() override;

  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption) { caption_ = caption; }
  bool IsLine() const { return caption_ == "-"; }
  int ShortCut() const { return shortCut_; }
  void SetShortCut(int shortCut) { shortCut_ = shortCut; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) { checked_ = v; }
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool v) { radioItem_ = v; }
  bool Default() const { return default_; }
  void SetDefault(bool v) { default_ = v; }
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak v) { break_ = v; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) { imageIndex_ = v; }
  const std::string &Hint() const { return hint_; }
  void SetHint(const std::string &hint) { hint_ = hint; }
  TBitmap &Bitmap() { return bitmap_; }

  // The sub-items, in order.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem *Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem *Parent() const { return parent_; }
  int IndexOf(const TMenuItem *item) const;
  void Add(TMenuItem *item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem *item);
  // Unlinks the item (it stays alive; its owner frees it).
  void Remove(TMenuItem *item);
  // Unlinks and frees the item at index.
  void Delete(int index);
  // The menu this item belongs to; null while unlinked.
  TMenu *Menu() const;

  // The command number the system reports for this item.
  UINT Command() const { return command_; }
  TNotifyEvent OnClick;
  // Owner drawing, the program's: size and paint the item when its menu's OwnerDraw is on.
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;
  // Owner drawing, a skin's: used where the program set no handler of its own, and making the item
  // owner-drawn whatever its menu's OwnerDraw says. Setting and clearing it never touches the program's.
  void SetPainter(TMenuItemPainter painter) { painter_ = std::move(painter); }
  void ClearPainter() { painter_ = {}; }
  bool HasPainter() const { return painter_.Measure || painter_.Draw; }

  virtual void Click();
  virtual void MeasureItem(TCanvas &canvas, int &width, int &height);
  virtual void DrawItem(TCanvas &canvas, RECT rect, TOwnerDrawState state);

  void SetParentComponent(TComponent *parent) override;

private:
  friend class TMenu;
  // Appends this item's entries (and its sub-menu) to the system menu being built.
  void AppendTo(HMENU menu, bool ownerDraw);

  std::string caption_, hint_;
  int shortCut_ = 0, imageIndex_ = -1;
  bool visible_ = true, enabled_ = true, checked_ = false, radioItem_ = false, default_ = false;
  TMenuBreak break_ = TMenuBreak::mbNone;
  TBitmap bitmap_;
  TMenuItemPainter painter_;
  TMenuItem *parent_ = nullptr;
  TMenu *menu_ = nullptr;
  std::vector<TMenuItem *> items_;
  UINT command_;
};

class TMenu : public TComponent {
  TK_CLASS(TMenu)
public:
  explicit TMenu(TComponent *owner);
  ~TMenu() override;

  // The root whose sub-items the menu shows.
  TMenuItem &Items() { return *items_; }
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool v) { ownerDraw_ = v; }
  // The pictures the items' ImageIndex refers to; none by default.
  TImageList *Images() const { return images_; }
  void SetImages(TImageList *images);
  void Notification(TComponent *component, TOperation operation) override;
  // The window that receives the menu's messages; when none is set, Application->ActiveFormHandle().
  HWND WindowHandle() const { return windowHandle_; }
  void SetWindowHandle(HWND window) { windowHandle_ = window; }
  // A system menu built from the items as they are now (rebuilt on every call).
  HMENU Handle();

private:
  TMenuItem *items_;
  TImageList *images_ = nullptr;
  bool ownerDraw_ = false;
  HWND windowHandle_ = nullptr;
  HMENU handle_ = nullptr;
};

class TPopupMenu : public TMenu {
  TK_CLASS(TPopupMenu)
public:
  explicit TPopupMenu(TComponent *owner) : TMenu(owner) {}
  // Shows the menu at the screen point and returns once it closes; the chosen item's OnClick runs
  // from the command message that follows.
  virtual void Popup(int x, int y);
  TNotifyEvent OnPopup;
  TComponent *PopupComponent = nullptr;
};

// Where a skin learns of the program's menus: an item linked into or unlinked from any item tree (also
// while being freed), and a popup menu about to open. One hook at a time; a skin installs it while it is
// active.
class TMenuHook {
public:
  virtual ~TMenuHook() = default;
  virtual void ItemAdded(TMenuItem &item) = 0;
  // Called while the item is still linked.
  virtual void ItemRemoved(TMenuItem &item) = 0;
  // After OnPopup, before the menu is built for the system.
  virtual void PopupOpening(TPopupMenu &menu) = 0;
};
// Installs the hook (null for none) and returns the one it replaces.
TMenuHook *SetMenuHook(TMenuHook *hook);

// The menu messages a window receives, handed to the items they concern; false when none does.
bool DispatchMenuCommand(UINT command);
bool DispatchMeasureItem(MEASUREITEMSTRUCT &measure);
bool DispatchDrawItem(const DRAWITEMSTRUCT &draw);
