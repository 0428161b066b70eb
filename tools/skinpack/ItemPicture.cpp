#include "tools/skinpack/ItemPicture.h"

#include "skin/pixels/ImageCopy.h"
#include "skin/render/ItemPainting.h"
#include "skin/render/MaskPainting.h"
#include "skin/render/SkinText.h"
#include "tools/skinpack/RenderPlatform.h"

ItemPicture::ItemPicture(const TsSkin &skin, Image24 picture, TColor parentColor, bool parentPaintsOwnBackground)
    : skin_(skin), picture_(std::move(picture)), parentColor_(parentColor),
      parentPaintsOwnBackground_(parentPaintsOwnBackground) {}

bool ItemPicture::Paint(std::string_view section, const TRect &rect, int state, std::string_view caption,
                        uint32_t flags, int indent) {
  TsItemData item;
  item.Skin = &skin_;
  item.SkinSection = std::string(section);
  ResolveIndexes(item);
  if (item.SectionIdx < 0) return false;
  item.Font = Font;
  const TColor parentColor = parentColor_;
  const bool ownBackground = parentPaintsOwnBackground_;
  item.Parent = TsParentLink{true, parentColor, [parentColor] { return std::optional<TColor>(parentColor); },
                             [ownBackground] { return ownBackground; }};
  // As a control decides: a see-through section shows the parent when the parent has a look of its own.
  item.ShowsParent = skin_.GeneralData[item.SectionIdx].Transparency > 0 && ownBackground;

  const TRect whole{0, 0, rect.Width(), rect.Height()};
  Image24 cache = NewRenderImage(rect.Width(), rect.Height());
  PaintSkinItem(item, TCacheInfo{&picture_, 0, 0, true}, true, state, whole, TPoint{rect.Left, rect.Top}, cache, true);
  const int glyph = skin_.ImageIndex(item.SectionIdx, item.SkinSection, "GLYPHMASK");
  if (skin_.IsValidImageIndex(glyph)) {
    const TsFrame f = StateFrame(skin_.Masks[glyph], state);
    DrawStateImage(cache, TPoint{(whole.Right - f.Width) / 2, (whole.Bottom - f.Height) / 2}, state, skin_, glyph, 1);
  }
  if (!caption.empty())
    if (auto canvas = TextCanvasFor(cache))
      WriteSkinText(*canvas, caption, true, state > 0, item, flags,
                    TRect{indent, 0, whole.Right - indent, whole.Bottom});
  CopyRect(picture_, rect.Left, rect.Top, cache, whole);
  return true;
}

void ItemPicture::Label(std::string_view text, const TRect &rect, std::string_view section, uint32_t flags) {
  auto canvas = TextCanvasFor(picture_);
  if (!canvas) return;
  canvas->Font = Font;
  WriteSkinTextByIndex(*canvas, text, true, &skin_, false, skin_.SectionIndex(section), flags, rect);
}
