#pragma once
// Painting one skin item: a skin section for one state (0 normal, 1 active, 2 pressed) with its background
// (plain colour, gradient, pattern picture, see-through share of the parent's background), its border mask
// and its corner pictures. Every skinned control repaints its cache image with these, the frame and scroll
// bars use the variants that take a section by index.
//
// The painters work on the loaded skin (a null skin means no manager or no skin: nothing is drawn).
// PaintSkinItem works out the colours that stand in for the parent (TsFillColors) itself; the painters
// below it take them as an argument, none by default.

#include <optional>
#include <string>
#include <string_view>

#include "skin/model/Skin.h"
#include "skin/pixels/ParentCache.h"
#include "skin/render/FillColors.h"
#include "skin/render/ParentLink.h"
#include "skin/pixels/TextCanvas.h"

// What item painting reads from a control's skin data and from the control itself.
struct TsItemData {
  const TsSkin *Skin = nullptr; // the manager's skin
  std::string SkinSection;
  int SectionIdx = -1;
  int BorderImageIdx = -1;
  int PatternIdx = -1;
  int HotPatternIdx = -1;
  // The control's own colour (a frame's: the form's) when the skin data's CustomColor is set.
  std::optional<TColor> CustomColor;
  // The control's font; with CustomFont its colour is kept instead of the section's.
  TsFont Font;
  bool CustomFont = false;
  // The control's look depends on its parent's background (see-through or disabled over a parent that
  // paints a background of its own).
  bool ShowsParent = false;
  TsParentLink Parent;
};

// Binds the item data to its SkinSection in its Skin as a control does: the section index, the
// "BORDERSMASK" image and the "PATTERN" and "HOTPATTERN" textures of the section or its parents.
void ResolveIndexes(TsItemData &data);

// The colours that stand in for the parent while an item is painted over the parent cache ci: without a
// usable cache the parent's own colour for both; with one, the parent's effective colour for the
// see-through parts of an item that does not show its parent anyway.
TsFillColors ItemFillColors(const TsItemData &data, const TCacheInfo &ci);

// The whole item over r of target: background, border mask (fill: with its centre), corner pictures.
// p is the item's place in its parent, whose cache ci may show through; useParent lets key-coloured border
// pixels show it too.
void PaintSkinItem(const TsItemData &data, TCacheInfo ci, bool fill, int state, TRect r, TPoint p, Image24 &target,
                   bool useParent);

// The same for a section given by index and name, with the section's own "BORDERSMASK", and the fill
// colours the caller gives.
void PaintSkinItemByIndex(int sectionIndex, std::string_view section, TCacheInfo ci, bool fill, int state, TRect r,
                          TPoint p, Image24 &target, const TsSkin *skin, int patternIndex = -1,
                          int hotPatternIndex = -1, const TsFillColors &fills = {});

// Background and the given border of a part (scroll bar parts): the given pattern indexes as they are, no
// corner pictures, no fill colour for the see-through copy.
void PaintSkinPart(int sectionIndex, int borderIndex, int patternIndex, int hotPatternIndex, std::string_view section,
                   TCacheInfo ci, bool fill, int state, TRect r, TPoint p, Image24 &target, const TsSkin *skin,
                   const TsFillColors &fills = {});

// The background of the skin data's section (with its custom colour, if any).
void PaintControlBackground(const TsItemData &data, const TCacheInfo &ci, int state, Image24 &target, TPoint p, TRect r,
                            const TsFillColors &fills = {});

// The background of a section for a state. A custom colour replaces the section's and takes away its
// gradient, picture and see-through shares. A pattern index of -1 looks the section's pattern up. The fill
// colour, when set, stands in for the parent's background.
void PaintItemBackground(int sectionIndex, std::string_view section, const TCacheInfo &ci,
                         std::optional<TColor> customColor, int hotPatternIndex, int patternIndex, const TsSkin *skin,
                         Image24 &target, TPoint p, TRect r, int state, const TsFillColors &fills = {});

// Draws a texture over r by its mode: own, when given and not empty, is tiled over all of r; otherwise the
// record's rectangle of the master bitmap is tiled or stretched as the mode says. r becomes the area left
// for the plain colour, or (-1, -1, -1, -1) when nothing is left.
void DrawTexture(Image24 &canvas, TRect &r, const Image24 *own, int mode, const TsSkin *skin, const TsMaskData *rec);

enum TsDisabledKind : unsigned { dkGrayed = 1, dkBlended = 2 };

// Greys (dkGrayed) and/or fades towards the parent (dkBlended) a finished cache image; without a parent
// cache it fades towards fill, or the parent's colour when fill is none.
void PaintDisabled(Image24 &cache, unsigned kinds, const TsParentLink &parent, TPoint p, const TCacheInfo &ci,
                   TColor fill = KeyColor);

// The parent's effective background colour, converted to RGB (none without a parent).
TColor AskParentColor(const TsParentLink &parent);

// A skinned control's answer when its children ask for its effective background colour: its own colour
// (the control's when custom, else the section's), its parent's answer when it is fully see-through, or
// the parent's answer and the section's colour mixed by its Transparency taken as a weight out of 256.
// Converted to RGB.
TColor SkinnedQueryColorAnswer(const TsGeneralData &section, bool customColor, TColor controlColor,
                               const TsParentLink &parent);
