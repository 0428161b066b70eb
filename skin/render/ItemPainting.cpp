#include "skin/render/ItemPainting.h"

#include <algorithm>

#include "skin/model/SystemColors.h"
#include "skin/pixels/Blending.h"
#include "skin/pixels/Gradient.h"
#include "skin/pixels/ImageCopy.h"
#include "skin/render/MaskPainting.h"
#include "skin/pixels/PixelAccess.h"

namespace {

constexpr TRect NothingLeft{-1, -1, -1, -1};
// A key whose high byte is 0xFF: every pixel takes part in BlendKeyed.
constexpr TColor EveryPixel = static_cast<TColor>(0xFF000000u);
constexpr int GripMode = 10;

TRect Inclusive(const TRect &r) { return TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}; }

bool LiesInside(const TRect &r, const Image24 &target) {
  return !target.Empty() && r.Left >= 0 && r.Top >= 0 && r.Right <= target.Width() && r.Bottom <= target.Height();
}

bool IsSet(TColor c) { return c != KeyColor; }

// The parent cache as seen from an image whose pixel (originX, originY) shows the item's top-left corner,
// which lies at p in the parent.
TCacheInfo SeenFrom(TCacheInfo ci, TPoint p, int originX, int originY) {
  ci.OffsetX += p.X - originX;
  ci.OffsetY += p.Y - originY;
  return ci;
}

// The values of a section that a state paints with; the shares limited to 0..100.
struct StateLook {
  TColor color;
  int transparency; // t: share of the parent's background
  int gradient;     // g: share of the gradient
  int picture;      // p: share of the pattern picture
  const std::string *gradientText;
  const TsGradArray *gradientSteps;
  const char *patternKey;

  StateLook(const TsGeneralData &gd, int state, const std::optional<TColor> &custom) {
    const bool normal = state == 0;
    color = ResolveSystemColor(normal ? gd.Color : gd.HotColor);
    transparency = std::clamp(normal ? gd.Transparency : gd.HotTransparency, 0, 100);
    gradient = std::clamp(normal ? gd.GradientPercent : gd.HotGradientPercent, 0, 100);
    picture = std::clamp(normal ? gd.ImagePercent : gd.HotImagePercent, 0, 100);
    gradientText = normal ? &gd.GradientData : &gd.HotGradientData;
    gradientSteps = normal ? &gd.GradientArray : &gd.HotGradientArray;
    patternKey = normal ? "PATTERN" : "HOTPATTERN";
    if (custom) {
      color = ResolveSystemColor(*custom);
      transparency = gradient = picture = 0;
    }
  }
};

// Item painters and part painters differ in a few rules of the background.
enum class Rules { Item, Part };

// The picture a background is drawn with: an image record or a JPEG of the pattern list.
struct PatternChoice {
  int image = -1;
  const Image24 *listPicture = nullptr;
};

PatternChoice ChoosePattern(const TsSkin &skin, int sectionIndex, std::string_view section, const StateLook &look,
                            int given, Rules rules) {
  if (look.picture <= 0) return {};
  if (rules == Rules::Part) return {skin.IsValidImageIndex(given) ? given : -1};
  if (skin.IsValidImageIndex(given)) return {skin.Masks[given].MaskType == 0 ? given : -1};
  if (given != -1) return {};
  if (int image = skin.ImageIndex(sectionIndex, section, look.patternKey); skin.IsValidImageIndex(image))
    return {image};
  if (int pattern = skin.PatternIndex(sectionIndex, section, look.patternKey); pattern >= 0)
    return {-1, skin.Patterns[pattern].Image.get()};
  return {};
}

// The fill of one background rectangle: picture, gradient and plain colour by their shares.
struct BackgroundFill {
  const TsSkin &skin;
  const StateLook &look;
  PatternChoice pattern;
  Rules rules;
  const TsFillColors &fills;

  // ci is the parent cache as seen from image.
  void Paint(Image24 &image, const TRect &r, const TCacheInfo &ci) const {
    const bool pictureDrawn = PaintPicture(image, r, ci);
    if (look.gradient > 0) PaintGradient(image, r, pictureDrawn);
    const int s = look.picture + look.gradient;
    const TColor plain = IsSet(fills.Fill) && look.transparency != 0 ? fills.Fill : look.color;
    if (s == 0 || (rules == Rules::Part && s > 100))
      FillRectColor(image, r, plain);
    else if (s < 100)
      BlendRectColor(image, Inclusive(r), s, look.color);
  }

  bool PaintPicture(Image24 &image, const TRect &r, const TCacheInfo &ci) const {
    if (look.picture <= 0) return false;
    TRect left = r;
    if (pattern.listPicture) {
      DrawTexture(image, left, pattern.listPicture, 0, nullptr, nullptr);
    } else if (skin.IsValidImageIndex(pattern.image)) {
      const TsMaskData &rec = skin.Masks[pattern.image];
      if (rec.MaskType > 0)
        DrawMaskedTexture(image, left, ci, rec.StretchMode, skin, pattern.image, fills.KeyFill);
      else
        DrawTexture(image, left, rec.Image.get(), rec.StretchMode, &skin, &rec);
    } else {
      // No picture to be found: its share shows the plain colour.
      FillRectColor(image, r, look.color);
      return false;
    }
    if (left.Right != -1) FillRectColor(image, left, look.color);
    return true;
  }

  // The section's gradient text decides: without one the share is the plain colour; a text without steps
  // ("N/A") paints no gradient at all.
  void PaintGradient(Image24 &image, const TRect &r, bool overPicture) const {
    const bool gradient = !look.gradientText->empty();
    if (!overPicture) {
      if (gradient)
        FillGradient(image, r, *look.gradientSteps);
      else
        FillRectColor(image, r, look.color);
      return;
    }
    // Nothing to lay over the picture (a blank image blended in would darken it).
    if (gradient && look.gradientSteps->empty()) return;
    Image24 layer(r.Width(), r.Height());
    if (gradient)
      FillGradient(layer, TRect{0, 0, r.Width(), r.Height()}, *look.gradientSteps);
    else
      layer.Fill(look.color);
    const uint8_t pictureShare =
        rules == Rules::Item ? ClampByte(look.picture * 255 / 100) : static_cast<uint8_t>(look.picture * 256 / 100);
    BlendImageAt(image, layer, pictureShare, TPoint{r.Left, r.Top}, TRect{0, 0, r.Width() - 1, r.Height()});
  }
};

// The parent's background under r: the fill colour when set (item rules), else the parent's cached pixels.
void ShowParent(Image24 &target, const TRect &r, const TCacheInfo &ci, TPoint p, Rules rules, TColor fill) {
  if (rules == Rules::Item && IsSet(fill)) {
    FillRectColor(target, r, fill);
  } else if (ci.Bitmap) {
    const int x = ci.OffsetX + p.X, y = ci.OffsetY + p.Y;
    CopyRect(target, r.Left, r.Top, *ci.Bitmap, TRect{x, y, x + r.Width(), y + r.Height()});
  }
}

// A masked pattern of the normal state laid over the finished background (grips show the parent between
// their dots).
void OverlayMaskedPattern(const TsSkin &skin, int patternIndex, int hotPatternIndex, Image24 &target, const TRect &r,
                          const TCacheInfo &ci, TColor keyFill) {
  auto overlay = [&](int index) {
    const TsMaskData &rec = skin.Masks[index];
    TRect area = r;
    DrawMaskedTexture(target, area, rec.StretchMode == GripMode ? ci : TCacheInfo{}, rec.StretchMode, skin, index,
                      keyFill);
  };
  if (skin.IsValidImageIndex(patternIndex) && skin.Masks[patternIndex].MaskType > 0)
    overlay(patternIndex);
  else if (skin.IsValidImageIndex(hotPatternIndex) && skin.Masks[hotPatternIndex].MaskType > 0 &&
           skin.Masks[hotPatternIndex].StretchMode == GripMode)
    overlay(hotPatternIndex);
}

void PaintBackground(const TsSkin &skin, int sectionIndex, std::string_view section, const TCacheInfo &ci,
                     const std::optional<TColor> &custom, int hotPatternIndex, int patternIndex, Image24 &target,
                     TPoint p, const TRect &r, int state, Rules rules, const TsFillColors &fills) {
  const StateLook look(skin.GeneralData[sectionIndex], state, custom);
  const BackgroundFill fill{
      skin, look, ChoosePattern(skin, sectionIndex, section, look, state == 0 ? patternIndex : hotPatternIndex, rules),
      rules, fills};
  // The parent's own cache is already the background under the item.
  const bool intoParent = ci.Bitmap == &target;
  if (!ci.Valid || look.transparency == 0) {
    fill.Paint(target, r, SeenFrom(ci, p, r.Left, r.Top));
  } else if (look.transparency == 100) {
    if (!intoParent) ShowParent(target, r, ci, p, rules, fills.Fill);
  } else {
    Image24 own(r.Width(), r.Height());
    fill.Paint(own, TRect{0, 0, r.Width(), r.Height()}, SeenFrom(ci, p, 0, 0));
    if (!intoParent) ShowParent(target, r, ci, p, rules, fills.Fill);
    BlendImageAt(target, own, ClampByte(look.transparency * 255 / 100), TPoint{r.Left, r.Top},
                 TRect{0, 0, r.Width(), r.Height()});
  }
  if (rules == Rules::Item && state == 0)
    OverlayMaskedPattern(skin, patternIndex, hotPatternIndex, target, r, SeenFrom(ci, p, r.Left, r.Top), fills.KeyFill);
}

// "IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT" and "IMGBTMRIGHT" of the section, each in its corner of r (the
// bottom-left one at column 0).
void DrawCornerPictures(const TsSkin &skin, int sectionIndex, std::string_view section, int state, const TRect &r,
                        Image24 &target) {
  struct Corner {
    const char *key;
    bool right, bottom;
  };
  static constexpr Corner corners[] = {{"IMGTOPLEFT", false, false},
                                       {"IMGTOPRIGHT", true, false},
                                       {"IMGBTMLEFT", false, true},
                                       {"IMGBTMRIGHT", true, true}};
  for (const Corner &corner : corners) {
    const int index = skin.ImageIndex(sectionIndex, section, corner.key);
    if (!skin.IsValidImageIndex(index)) continue;
    const TsFrame f = StateFrame(skin.Masks[index], state);
    const int x = corner.right ? r.Right - f.Width : corner.bottom ? 0 : r.Left;
    const int y = corner.bottom ? r.Bottom - f.Height : r.Top;
    DrawStateImage(target, TPoint{x, y}, state, skin, index, 1);
  }
}

// The parent's answer when asked for its effective background colour, else its own colour; RGB.
TColor ParentBackgroundColor(const TsParentLink &parent) {
  if (!parent.Exists) return KeyColor;
  const std::optional<TColor> answer = parent.QueryColor ? parent.QueryColor() : std::nullopt;
  return ResolveSystemColor(answer && IsSet(*answer) ? *answer : parent.Color);
}

bool CanPaint(const TsSkin *skin, int sectionIndex, const TRect &r, const Image24 &target) {
  return skin && skin->IsValidSectionIndex(sectionIndex) && LiesInside(r, target);
}

} // namespace

void ResolveIndexes(TsItemData &data) {
  data.SectionIdx = data.Skin ? data.Skin->SectionIndex(data.SkinSection) : -1;
  if (data.SectionIdx < 0) {
    data.PatternIdx = data.HotPatternIdx = -1;
    return;
  }
  data.BorderImageIdx = data.Skin->ImageIndex(data.SectionIdx, data.SkinSection, "BORDERSMASK");
  data.PatternIdx = data.Skin->TextureIndex(data.SectionIdx, data.SkinSection, "PATTERN");
  data.HotPatternIdx = data.Skin->TextureIndex(data.SectionIdx, data.SkinSection, "HOTPATTERN");
}

TsFillColors ItemFillColors(const TsItemData &data, const TCacheInfo &ci) {
  TsFillColors fills;
  if (!ci.Valid && data.Parent.Exists)
    fills.KeyFill = fills.Fill = ResolveSystemColor(data.Parent.Color);
  else if (ci.Valid && !data.ShowsParent)
    fills.Fill = AskParentColor(data.Parent);
  return fills;
}

void PaintSkinItem(const TsItemData &data, TCacheInfo ci, bool fill, int state, TRect r, TPoint p, Image24 &target,
                   bool useParent) {
  if (!CanPaint(data.Skin, data.SectionIdx, r, target)) return;
  const TsFillColors fills = ItemFillColors(data, ci);
  PaintControlBackground(data, ci, state, target, p, r, fills);
  ci.OffsetX += p.X;
  ci.OffsetY += p.Y;
  DrawBorderMask(target, r, fill, ci, *data.Skin, data.BorderImageIdx, state, useParent, fills.KeyFill);
  DrawCornerPictures(*data.Skin, data.SectionIdx, data.SkinSection, state, r, target);
}

void PaintSkinItemByIndex(int sectionIndex, std::string_view section, TCacheInfo ci, bool fill, int state, TRect r,
                          TPoint p, Image24 &target, const TsSkin *skin, int patternIndex, int hotPatternIndex,
                          const TsFillColors &fills) {
  if (!CanPaint(skin, sectionIndex, r, target) || r.Width() <= 0 || r.Height() <= 0) return;
  PaintBackground(*skin, sectionIndex, section, ci, std::nullopt, hotPatternIndex, patternIndex, target, p, r, state,
                  Rules::Item, fills);
  DrawCornerPictures(*skin, sectionIndex, section, state, r, target);
  ci.OffsetX += p.X;
  ci.OffsetY += p.Y;
  DrawBorderMask(target, r, fill, ci, *skin, skin->ImageIndexByName(section, "BORDERSMASK"), state, true,
                 fills.KeyFill);
}

void PaintSkinPart(int sectionIndex, int borderIndex, int patternIndex, int hotPatternIndex, std::string_view section,
                   TCacheInfo ci, bool fill, int state, TRect r, TPoint p, Image24 &target, const TsSkin *skin,
                   const TsFillColors &fills) {
  if (!CanPaint(skin, sectionIndex, r, target)) return;
  PaintBackground(*skin, sectionIndex, section, ci, std::nullopt, hotPatternIndex, patternIndex, target, p, r, state,
                  Rules::Part, fills);
  ci.OffsetX += p.X;
  ci.OffsetY += p.Y;
  DrawBorderMask(target, r, fill, ci, *skin, borderIndex, state, true, fills.KeyFill);
}

void PaintControlBackground(const TsItemData &data, const TCacheInfo &ci, int state, Image24 &target, TPoint p, TRect r,
                            const TsFillColors &fills) {
  PaintItemBackground(data.SectionIdx, data.SkinSection, ci, data.CustomColor, data.HotPatternIdx, data.PatternIdx,
                      data.Skin, target, p, r, state, fills);
}

void PaintItemBackground(int sectionIndex, std::string_view section, const TCacheInfo &ci,
                         std::optional<TColor> customColor, int hotPatternIndex, int patternIndex, const TsSkin *skin,
                         Image24 &target, TPoint p, TRect r, int state, const TsFillColors &fills) {
  if (!CanPaint(skin, sectionIndex, r, target)) return;
  PaintBackground(*skin, sectionIndex, section, ci, customColor, hotPatternIndex, patternIndex, target, p, r, state,
                  Rules::Item, fills);
}

void DrawTexture(Image24 &canvas, TRect &r, const Image24 *own, int mode, const TsSkin *skin, const TsMaskData *rec) {
  if (own && !own->Empty()) {
    TileRect(canvas, r, *own, TRect{0, 0, own->Width(), own->Height()});
    r = NothingLeft;
    return;
  }
  if (!skin || !rec) return;
  const Image24 &master = skin->MasterBitmap;
  const TRect &tile = rec->R;
  const int w = tile.Width(), h = tile.Height();
  const TRect top{r.Left, r.Top, r.Right, std::min(r.Top + h, r.Bottom)};
  const TRect leftSide{r.Left, r.Top, std::min(r.Left + w, r.Right), r.Bottom};
  const TRect bottom{r.Left, std::max(r.Bottom - h, r.Top), r.Right, r.Bottom};
  const TRect rightSide{std::max(r.Right - w, r.Left), r.Top, r.Right, r.Bottom};
  switch (mode) {
  case 0: TileRect(canvas, r, master, tile), r = NothingLeft; break;
  case 1: StretchRect(canvas, r, master, tile, StretchQuality::Nearest), r = NothingLeft; break;
  case 2: TileRect(canvas, top, master, tile), r.Top = top.Bottom; break;
  case 3: TileRect(canvas, leftSide, master, tile), r.Left = leftSide.Right; break;
  case 4: StretchRect(canvas, top, master, tile, StretchQuality::Nearest), r.Top = top.Bottom; break;
  case 5: StretchRect(canvas, leftSide, master, tile, StretchQuality::Nearest), r.Left = leftSide.Right; break;
  case 6: TileRect(canvas, bottom, master, tile), r.Bottom = bottom.Top; break;
  case 7: TileRect(canvas, rightSide, master, tile), r.Right = rightSide.Left; break;
  case GripMode: {
    // Whole rows of tiles only, while another row would still fit above the bottom edge.
    int rowsEnd = r.Top;
    while (h > 0 && rowsEnd < r.Bottom - h)
      rowsEnd += h;
    TileRect(canvas, TRect{r.Left, r.Top, r.Right, rowsEnd}, master, tile);
    r = NothingLeft;
    break;
  }
  default:
    // Modes no skin uses: tiles down the right side, then the plain colour over everything.
    TileRect(canvas, rightSide, master, tile);
    break;
  }
}

void PaintDisabled(Image24 &cache, unsigned kinds, const TsParentLink &parent, TPoint p, const TCacheInfo &ci,
                   TColor fill) {
  if (kinds & dkGrayed) MakeGray(cache);
  if (!(kinds & dkBlended)) return;
  if (ci.Valid && ci.Bitmap) {
    const int x = ci.OffsetX + p.X, y = ci.OffsetY + p.Y;
    BlendKeyed(cache, 0, 0, EveryPixel, 0.4, TRect{x, y, x + cache.Width() - 1, y + cache.Height() - 1}, *ci.Bitmap);
  } else {
    BlendRectColor(cache, TRect{0, 0, cache.Width() - 1, cache.Height() - 1}, 50,
                   IsSet(fill) ? fill : ResolveSystemColor(parent.Color));
  }
}

TColor AskParentColor(const TsParentLink &parent) { return ParentBackgroundColor(parent); }

TColor SkinnedQueryColorAnswer(const TsGeneralData &section, bool customColor, TColor controlColor,
                               const TsParentLink &parent) {
  const int t = std::clamp(section.Transparency, 0, 100);
  if (t == 0) return ResolveSystemColor(customColor ? controlColor : section.Color);
  const TColor behind = parent.Exists ? ParentBackgroundColor(parent) : ResolveSystemColor(controlColor);
  if (t == 100) return behind;
  // A partly see-through section shows its own colour over the parent, whatever the control's colour.
  const TColor own = ResolveSystemColor(section.Color);
  TColor mixed = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int b = (behind >> shift) & 0xFF, o = (own >> shift) & 0xFF;
    mixed |= static_cast<TColor>(ClampByte(((b - o) * t + o * 256) >> 8)) << shift;
  }
  return mixed;
}
