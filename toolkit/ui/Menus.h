#pragma once
// Menus: items in a tree (TMenuItem), the popup menu that shows them (TPopupMenu), and the dispatch of
// the menu messages (command, measure, draw) that the owner window receives to the items.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/ui/Controls.h"

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

// "Alt+F4" for 0x8073: the modifiers Shift, Ctrl, Alt, then the key's name; "" for 0.
std::string ShortCutToText(int shortCut);

using TMenuMeasureItemEvent = std::function<void(TObject *sender, TCanvas &canvas, int &width, int &height)>;
using TMenuDrawItemEvent = std::function<void(TObject *sender, TCanvas &canvas, RECT rect, bool selected)>;

class TMenu;

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
  // Owner drawing (used when the menu's OwnerDraw is on): size and paint the item.
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

  virtual void Click();
  virtual void MeasureItem(TCanvas &canvas, int &width, int &height);
  virtual void DrawItem(TCanvas &canvas, RECT rect, bool selected);

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
  // The window that receives the menu's messages; when none is set, Application->ActiveFormHandle().
  HWND WindowHandle() const { return windowHandle_; }
  void SetWindowHandle(HWND window) { windowHandle_ = window; }
  // A system menu built from the items as they are now (rebuilt on every call).
  HMENU Handle();

private:
  TMenuItem *items_;
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

// The menu messages a window receives, handed to the items they concern; false when none does.
bool DispatchMenuCommand(UINT command);
bool DispatchMeasureItem(MEASUREITEMSTRUCT &measure);
bool DispatchDrawItem(const DRAWITEMSTRUCT &draw);
