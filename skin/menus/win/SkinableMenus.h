#pragma once
// The skinned-menu component that a skin manager owns. While the default manager has a skin in force and
// SkinnedPopups is on, it draws the items of the program's popup menus — the system menu of skinned frames
// among them — from the skin. It takes a menu over by giving each item its measure and draw painters
// (TMenuItem::SetPainter): the toolkit uses them only where the program set no handlers of its own and
// makes the item owner-drawn for them, and the component takes back exactly the painters it gave when the
// skin goes. Menus found among the application's components are taken over at once, items linked in later
// and menus about to pop up through the toolkit's menu hook.
//
// One menu is drawn at a time: it gets a background picture of its whole window, built with its first
// drawn item and kept until another menu is drawn, its window goes or the skin changes; every item is
// painted over its share of it. The menu window itself is handled by its TacMnuWnd (MenuWindow.h).

#include <functional>
#include <unordered_set>
#include <vector>

#include "skin/engine/SkinManager.h"
#include "skin/menus/MenuMetrics.h"
#include "skin/menus/win/MenuPictures.h"
#include "skin/menus/win/MenuWindow.h"
#include "toolkit/ui/Menus.h"

enum class TsMenuAlignment { Left, Right, Center };

// Called after an ordinary item is painted into its picture and before the picture reaches the menu, with
// a canvas over the picture and the picture's rectangle.
using TsMenuDrawItemEvent =
    std::function<void(TMenuItem *item, TCanvas &canvas, TsMenuItemKind kind, TOwnerDrawState state, RECT rect)>;

class TsSkinableMenus final : public TsManagerMenus, private TMenuHook, private TsMenuBackdrop {
public:
  explicit TsSkinableMenus(TsSkinManager &manager);
  ~TsSkinableMenus() override;
  TsSkinableMenus(const TsSkinableMenus &) = delete;
  TsSkinableMenus &operator=(const TsSkinableMenus &) = delete;

  TsMenuAlignment Alignment = TsMenuAlignment::Left; // of item captions
  int BorderWidth = 3;                               // of the menu window's border strips
  TsFont CaptionFont;                                // of title items
  int Margin = 3;                                    // inside items
  int Spacing = 6;                                   // between the icon and the caption
  TsMenuDrawItemEvent OnDrawItem;

  // The skin's border inside the menu background: measured from the skin when it reads -1, which every
  // announced skin sets, and kept until the next skin.
  int SkinBorderWidth();
  void SetSkinBorderWidth(int width) { skinBorderWidth_ = width; }

  // The component draws the program's menus now.
  bool Active() const { return active_; }

  // The painters of popup items.
  void MeasurePopupItem(TMenuItem &item, int &width, int &height);
  void DrawPopupItem(TMenuItem &item, TCanvas &canvas, RECT rect, TOwnerDrawState state);

  // Drops the background of the menu drawn last and what was asked for it.
  void ReleaseMenuState();

  void SkinAnnounced() override;
  void SkinStateChanged() override;

private:
  // The menu drawn now: its items' parent, its background and what belongs to it.
  struct MenuState {
    TMenuItem *Menu = nullptr;
    Image24 Background;
    HWND Window = nullptr; // the window the background was set up for
    int GlyphWidth = 16;   // of the menu's first item
    int IconColumnWidth = 0;
    bool ExtraLineAsked = false;
    TsExtraLine ExtraLine;
    std::vector<TRect> RegionRuns; // cut out of the window's outline
  };

  bool Wanted() const;
  void TakeOver();
  void GiveBack();
  void HookComponents(TComponent &owner);
  void HookTree(TMenuItem &root);
  void Hook(TMenuItem &item);

  void ItemAdded(TMenuItem &item) override;
  void ItemRemoved(TMenuItem &item) override;
  void PopupOpening(TPopupMenu &menu) override;
  const Image24 *BackgroundOf(HWND window) const override;
  void WindowGone(HWND window) override;

  TsMenuItemLayout Layout() const { return {Margin, Spacing}; }
  TsFont ItemFont(TMenuItem &item, bool bold) const;
  TSize GlyphSize(TMenuItem &item) const;
  void AskExtraLine(TMenuItem &menu);
  bool ExtraLineShown() const;
  // The item's share of the extra line: items of the first column have it.
  int ExtraLineShare(TMenuItem &item) const;
  TSize MeasuredSize(TMenuItem &item);
  // The menu's size from its items, where no menu window tells it.
  TSize MenuSizeOf(TMenuItem &menu);
  void BuildMenuBackground(TMenuItem &menu, TSize size, HWND window);
  void SetUpWindow(HWND window);
  void CopyFrameStrips(TMenuItem &item, const TsMenuItemPlace &place, HDC dc, const TsMenuSurface &surface);
  void PaintOrdinaryItem(TMenuItem &item, const TsMenuItemPlace &place, HDC dc, TOwnerDrawState state);

  TsSkinManager &manager_;
  bool active_ = false;
  TMenuHook *previousHook_ = nullptr;
  // The items that have the component's painters.
  std::unordered_set<TMenuItem *> painted_;
  int skinBorderWidth_ = -1;
  MenuState state_;
  bool settingUp_ = false; // a menu window is being set up
};

// Installs the factory through which every skin manager made afterwards owns a TsSkinableMenus.
void InstallSkinableMenus();
