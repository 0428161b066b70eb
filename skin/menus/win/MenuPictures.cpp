#include "skin/menus/win/MenuPictures.h"

#include <algorithm>

#include "skin/model/SystemColors.h"
#include "skin/pixels/Blending.h"
#include "skin/pixels/ImageCopy.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "skin/render/ItemPainting.h"
#include "skin/render/MaskPainting.h"
#include "skin/render/SkinText.h"

namespace {

constexpr const char *MenuSection = "MAINMENU";
constexpr const char *ItemSection = "MENUITEM";
constexpr const char *TitleSection = "TOOLBAR";
constexpr int ExtraPictureLift = 12;  // between the extra line's picture and the strip's foot
constexpr int ExtraTextGap = 20;      // between that picture and the text above it
constexpr int ExtraTextTurn = -2700;  // a quarter turn: the text runs upwards
constexpr int ShortCutInset = 8;      // between the shortcut and the item's right edge
constexpr double DisabledShare = 0.4; // of a disabled item's own picture
constexpr TColor EtchedShadow = 0x808080;
constexpr TColor EtchedLight = 0xFFFFFF;

TRect Moved(const TRect &r, TPoint by) { return {r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y}; }

TCacheInfo BackgroundAt(const Image24 &background, TPoint offset) {
  return TCacheInfo{&background, offset.X, offset.Y, true};
}

void PaintExtraLine(const TsSkin &skin, const TsMenuBackgroundLook &look, Image24 &background) {
  const TsExtraLine &line = *look.ExtraLine;
  const int index = skin.SectionIndex(line.Section);
  if (!skin.IsValidSectionIndex(index)) return;
  const int border = look.SkinBorder;
  Image24 strip = CreateDib24(look.ExtraLineWidth, look.Size.Height - 2 * border);
  if (strip.Empty()) return;
  PaintSkinItemByIndex(index, line.Section, BackgroundAt(background, {border, border}), false, 0,
                       {0, 0, strip.Width(), strip.Height()}, {0, 0}, strip, &skin);
  int textOffset = ExtraPictureLift;
  if (!line.Picture.Empty()) {
    CopyKeyed(strip, line.Picture, (strip.Width() - line.Picture.Width()) / 2,
              strip.Height() - ExtraPictureLift - line.Picture.Height(), KeyColor);
    textOffset = line.Picture.Height() + ExtraTextGap;
  }
  if (!line.Text.empty()) {
    GdiTextCanvas canvas(strip);
    canvas.Font = look.ExtraLineFont;
    canvas.Font.Bold = false;
    canvas.Font.Escapement = ExtraTextTurn;
    canvas.Font.Color = ResolveSystemColor(skin.GeneralData[static_cast<size_t>(index)].FontColor[0]);
    const int textHeight = canvas.TextHeight(line.Text);
    canvas.DrawAt(line.Text, {(strip.Width() - textHeight) / 2, strip.Height() - textOffset});
  }
  CopyRect(background, border, border, strip, {0, 0, strip.Width(), strip.Height()});
}

void PaintIconColumn(const TsSkin &skin, const TsMenuBackgroundLook &look, Image24 &background) {
  const int index = skin.SectionIndex(look.IconLineSection);
  if (!skin.IsValidSectionIndex(index)) return;
  const int border = look.SkinBorder;
  Image24 column = CreateDib24(look.IconColumnWidth, look.Size.Height - 2 * border);
  if (column.Empty()) return;
  const TPoint at{look.ExtraLineWidth + border, border};
  PaintSkinItemByIndex(index, look.IconLineSection, BackgroundAt(background, at), false, 0,
                       {0, 0, column.Width(), column.Height()}, {0, 0}, column, &skin);
  CopyRect(background, at.X, at.Y, column, {0, 0, column.Width(), column.Height()});
}

int CheckGlyphIndex(const TsSkin &skin, bool radio) {
  if (radio) return skin.ImageIndexByName("GLOBALINFO", "RADIOCHECKED");
  const int check = skin.ImageIndexByName("GLOBALINFO", "CHECK");
  return skin.IsValidImageIndex(check) ? check : skin.ImageIndexByName("GLOBALINFO", "BOXCHECKED");
}

int DividerIndex(const TsSkin &skin) {
  const int divider = skin.ImageIndexByName("DIVIDERV", "BORDERSMASK");
  return skin.IsValidImageIndex(divider) ? divider : skin.ImageIndexByName("TRACKBAR", "SLIDERCHANNEL");
}

void EtchFrame(Image24 &picture) {
  const int w = picture.Width(), h = picture.Height();
  FillRectColor(picture, {0, 0, w, 1}, EtchedShadow);
  FillRectColor(picture, {0, 0, 1, h}, EtchedShadow);
  FillRectColor(picture, {0, h - 1, w, h}, EtchedLight);
  FillRectColor(picture, {w - 1, 0, w, h}, EtchedLight);
}

void WriteCaptionAndShortCut(const TsSkin &skin, const TsMenuItemLook &look, Image24 &picture) {
  const int section = skin.SectionIndex(ItemSection);
  const bool active = look.Enabled && (look.Selected || look.HotTracked);
  GdiTextCanvas canvas(picture);
  canvas.Font = look.Font;
  const TsMenuItemLayout &layout = look.Layout;
  const TRect captionRect{look.GlyphWidth + 2 * layout.Margin + layout.Spacing, 0, picture.Width(), picture.Height()};
  uint32_t flags = look.Caption.RightAligned ? TextFlags::Right : look.Alignment;
  flags |= TextFlags::ExpandTabs | TextFlags::SingleLine | TextFlags::VCenter | TextFlags::NoClip;
  if (look.HidePrefix) flags |= DT_HIDEPREFIX;
  WriteSkinTextByIndex(canvas, look.Caption.Text, true, &skin, active, section, flags, captionRect);
  if (look.ShortCut.empty()) return;
  const int right = picture.Width() - ShortCutInset;
  const TRect keysRect{right - canvas.TextWidth(look.ShortCut), 0, right, picture.Height()};
  WriteSkinTextByIndex(canvas, look.ShortCut, true, &skin, active, section, TextFlags::SingleLine | TextFlags::VCenter,
                       keysRect);
}

} // namespace

Image24 PaintMenuBackground(const TsSkin &skin, const TsMenuBackgroundLook &look) {
  Image24 background = CreateDib24(look.Size.Width, look.Size.Height);
  const int section = skin.SectionIndex(MenuSection);
  if (background.Empty()) return background;
  if (!skin.IsValidSectionIndex(section)) {
    background.Fill(skin.GlobalColor());
    return background;
  }
  PaintSkinItemByIndex(section, MenuSection, {}, false, 0, {0, 0, look.Size.Width, look.Size.Height}, {0, 0},
                       background, &skin);
  if (look.ExtraLineWidth > 0 && look.ExtraLine) PaintExtraLine(skin, look, background);
  PaintIconColumn(skin, look, background);
  return background;
}

std::vector<TRect> MenuRegionRuns(const TsSkin &skin, TSize size) {
  std::vector<TRect> runs;
  const int index = skin.ImageIndex(skin.SectionIndex(MenuSection), MenuSection, "BORDERSMASK");
  if (!skin.IsValidImageIndex(index)) return runs;
  CornerKeyRuns(runs, size.Width, skin, index, false, 0);
  CornerKeyRuns(runs, size.Width, skin, index, true, size.Height - skin.Masks[static_cast<size_t>(index)].WB);
  return runs;
}

Image24 BackgroundPiece(const TsMenuItemPlace &place, const TRect &r) {
  Image24 piece = CreateDib24(r.Width(), r.Height());
  CopyRect(piece, 0, 0, place.Background, Moved(r, place.Origin));
  return piece;
}

Image24 PaintDividerPicture(const TsSkin &skin, const TsMenuItemPlace &place, const TsMenuItemLayout &layout,
                            int iconColumnWidth) {
  Image24 picture = BackgroundPiece(place, place.Item);
  if (picture.Empty()) return picture;
  const int index = DividerIndex(skin);
  if (!skin.IsValidImageIndex(index)) {
    EtchFrame(picture);
    return picture;
  }
  const int xl = place.ExtraLine;
  TRect line{xl + layout.Margin + layout.Spacing, 0, picture.Width() - layout.Margin, picture.Height()};
  if (line.Left < xl + iconColumnWidth) line.Left = xl + iconColumnWidth + 2;
  DrawBorderMask(picture, line, true, BackgroundAt(picture, {0, 0}), skin, index, 0, true);
  return picture;
}

Image24 PaintTitlePicture(const TsSkin &skin, const TsMenuItemPlace &place, std::string_view caption,
                          const TsFont &font) {
  Image24 picture = BackgroundPiece(place, place.Item);
  if (picture.Empty()) return picture;
  const int xl = place.ExtraLine;
  const int section = skin.SectionIndex(TitleSection);
  if (skin.IsValidSectionIndex(section))
    PaintSkinItemByIndex(section, TitleSection, BackgroundAt(place.Background, place.Origin), true, 0,
                         {xl + 1, 1, picture.Width() - 1, picture.Height() - 1}, {xl + place.Item.Left, place.Item.Top},
                         picture, &skin);
  GdiTextCanvas canvas(picture);
  canvas.Font = font;
  WriteSkinTextByIndex(canvas, TitleCaption(caption), true, &skin, false, section,
                       TextFlags::Center | TextFlags::VCenter | TextFlags::SingleLine,
                       {xl, 0, picture.Width(), picture.Height()});
  return picture;
}

Image24 PaintItemPicture(const TsSkin &skin, const TsMenuItemPlace &place, const TsMenuItemLook &look) {
  const TRect &r = place.Item;
  Image24 picture = BackgroundPiece(place, {r.Left + place.ExtraLine, r.Top, r.Right, r.Bottom});
  if (picture.Empty()) return picture;
  const int state = look.Enabled && look.Selected ? 1 : 0;
  const int section = skin.SectionIndex(ItemSection);
  if (skin.IsValidSectionIndex(section))
    PaintSkinItemByIndex(section, ItemSection, BackgroundAt(place.Background, place.Origin), true, state,
                         {0, 0, picture.Width(), picture.Height()}, {place.ExtraLine + r.Left, r.Top}, picture, &skin);
  const int check = look.Checked ? CheckGlyphIndex(skin, look.Radio) : -1;
  if (skin.IsValidImageIndex(check))
    DrawStateImage(picture, {look.Layout.Margin, (picture.Height() - skin.ImageFrameSize(check).Y) / 2}, state, skin,
                   check, 1);
  if (look.DrawIcon) look.DrawIcon(picture);
  WriteCaptionAndShortCut(skin, look, picture);
  return picture;
}

void FadeDisabledPicture(Image24 &picture, const TsMenuItemPlace &place) {
  const TPoint at{place.Item.Left + place.ExtraLine + place.Origin.X, place.Item.Top + place.Origin.Y};
  const TRect under{at.X, at.Y, at.X + picture.Width() - 1, at.Y + picture.Height() - 1}; // inclusive
  BlendKeyed(picture, 0, 0, KeyColor, DisabledShare, under, place.Background);
}

void CopyImageToDC(HDC dc, const Image24 &image, const TRect &from, TPoint to) {
  if (image.Empty() || from.Width() <= 0 || from.Height() <= 0) return;
  const ImageSurface surface(image);
  BitBlt(dc, to.X, to.Y, from.Width(), from.Height(), surface.Handle(), from.Left, from.Top, SRCCOPY);
}
