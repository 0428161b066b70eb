#pragma once
// The arithmetic of skinned popup menus: what kind an item is by its caption, the text it is measured by,
// its size, the size of a whole menu, the captions of title items and of right-aligned items, and the
// width of the skin's border inside the menu background.

#include <string>
#include <string_view>
#include <vector>

#include "skin/model/Skin.h"
#include "skin/pixels/Geometry.h"

// "-" is a divider; a longer caption that begins and ends with "-" is a title; anything else is ordinary.
enum class TsMenuItemKind { Title = 0, Divider = 1, Ordinary = 2 };
TsMenuItemKind MenuItemKind(std::string_view caption);

// Ordinary items: the caption followed directly by the shortcut text; titles: the caption between two
// "-"; dividers: nothing.
std::string MeasuredText(TsMenuItemKind kind, std::string_view caption, std::string_view shortCut);

struct TsMenuItemLayout {
  int Margin = 3;  // inner margin of items
  int Spacing = 6; // gap between the icon and the caption
};

// An item's size: as wide as two glyphs, its text, three margins, the spacing and its share of the extra
// line; dividers 2 high, titles 1.25 letter heights (rounded, ties to even) and two margins, ordinary items
// as much or the glyph's height if that is more, and two margins.
TSize PopupItemSize(TsMenuItemKind kind, int textWidth, int letterHeight, TSize glyph, const TsMenuItemLayout &layout,
                    int extraLineWidth);

struct TsMenuItemBox {
  TSize Size;
  bool StartsColumn = false; // the item begins a new column (a menu break)
};
// The size of a menu from its visible items, where no menu window tells it: the columns side by side, each
// as wide as its widest item and 12, with 4 between columns, and as high as the highest column.
TSize PopupMenuSize(const std::vector<TsMenuItemBox> &items);

// The width of the skin's border inside the menu background: the BorderWidth of the "MAINMENU" section's
// own "BORDERSMASK" record (3 when it gives none), 0 without that record.
int MenuSkinBorderWidth(const TsSkin &skin);

std::string WithoutAmpersands(std::string_view text);

// What a title item shows: its caption without the "-" signs, the first word between them.
std::string TitleCaption(std::string_view caption);

// An ordinary item's caption as drawn: one that begins with the character 8 loses it, gets six blanks and
// is right-aligned.
struct TsMenuCaption {
  std::string Text;
  bool RightAligned = false;
};
TsMenuCaption MenuCaption(std::string_view caption);
