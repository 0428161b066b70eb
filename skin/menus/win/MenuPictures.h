#pragma once
// The pictures of a skinned popup menu: the background of the whole menu window — the "MAINMENU" section
// with the extra line and the icon column over it — and each item painted over its share of that
// background, so that the items and the window's frame are of one piece.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/menus/MenuMetrics.h"
#include "skin/model/Skin.h"
#include "skin/pixels/Image24.h"
#include "skin/pixels/TextCanvas.h"

// The strip down the left side of a menu: a section, a picture at its foot and a text running upwards.
struct TsExtraLine {
  std::string Section = "EXTRALINE";
  bool Show = true;
  Image24 Picture;
  std::string Text;
};

struct TsMenuBackgroundLook {
  TSize Size;             // of the menu window
  int SkinBorder = 0;     // the skin's border inside the background
  int ExtraLineWidth = 0; // 0: no extra line
  const TsExtraLine *ExtraLine = nullptr;
  TsFont ExtraLineFont;
  int IconColumnWidth = 0;
  std::string IconLineSection;
};

// "MAINMENU" over the whole window (the skin's global colour without that section), the extra line and the
// icon column inside the skin's border.
Image24 PaintMenuBackground(const TsSkin &skin, const TsMenuBackgroundLook &look);

// The transparent runs of the corners of "MAINMENU"'s border, top and bottom, to be cut out of the window.
std::vector<TRect> MenuRegionRuns(const TsSkin &skin, TSize size);

// Where an item lies: Item in the coordinates of the surface it is drawn on, whose pixel (x, y) lies over
// pixel (x + Origin.X, y + Origin.Y) of the background.
struct TsMenuItemPlace {
  const Image24 &Background;
  TPoint Origin;
  TRect Item;
  int ExtraLine = 0; // the item's share of the extra line (items of the first column)
};

// The background under a rectangle of the surface.
Image24 BackgroundPiece(const TsMenuItemPlace &place, const TRect &r);

// A divider: the skin's divider picture ("DIVIDERV", else the trackbar's channel) right of the icon column
// over the background, or an etched frame round the item without either.
Image24 PaintDividerPicture(const TsSkin &skin, const TsMenuItemPlace &place, const TsMenuItemLayout &layout,
                            int iconColumnWidth);

// A title item: the "TOOLBAR" section beside the extra line with the caption centred in font.
Image24 PaintTitlePicture(const TsSkin &skin, const TsMenuItemPlace &place, std::string_view caption,
                          const TsFont &font);

struct TsMenuItemLook {
  TsMenuCaption Caption;
  std::string ShortCut;
  TsFont Font;
  uint32_t Alignment = TextFlags::Left;
  bool Enabled = true;
  bool Selected = false;
  bool HotTracked = false;
  bool Checked = false;
  bool Radio = false;
  bool HidePrefix = false;
  int GlyphWidth = 16; // of the menu's first item: the captions of a menu line up
  TsMenuItemLayout Layout;
  // Draws the item's icon into the picture; none when empty.
  std::function<void(Image24 &picture)> DrawIcon;
};

// An ordinary item as wide as the item less its share of the extra line: "MENUITEM" over the background
// (active while selected), the check mark, the icon, the caption and the shortcut ending 8 pixels before the
// right edge.
Image24 PaintItemPicture(const TsSkin &skin, const TsMenuItemPlace &place, const TsMenuItemLook &look);

// A disabled item keeps 0.4 of its picture over 0.6 of the background under it.
void FadeDisabledPicture(Image24 &picture, const TsMenuItemPlace &place);

// Copies the from rectangle of image to dc with its top-left corner at to.
void CopyImageToDC(HDC dc, const Image24 &image, const TRect &from, TPoint to);
