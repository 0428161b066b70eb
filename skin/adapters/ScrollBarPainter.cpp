#include "skin/adapters/ScrollBarPainter.h"

#include <string_view>

#include "skin/pixels/Blending.h"
#include "skin/pixels/ImageCopy.h"
#include "skin/render/ItemPainting.h"
#include "skin/render/MaskPainting.h"

namespace {

constexpr std::string_view BarSections[] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
constexpr std::string_view ButtonSections[] = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
constexpr std::string_view SliderSections[] = {"SCROLLSLIDERV", "SCROLLSLIDERH"};

// A part of the bar: its section (by quick index and name) and where it lies along the bar.
struct Part {
  const TsSectionQuickIndexes &indexes;
  std::string_view name;
  int from;
  int to;
  int state;
};

class BarCanvas {
public:
  BarCanvas(Image24 &bar, const TsSkin &skin, const TacBarLook &look) : bar_(bar), skin_(skin), look_(look) {}

  int Length() const { return look_.Vertical ? bar_.Height() : bar_.Width(); }

  // Each part is painted in an image of its own, so its border and its background see the parent at the
  // same place, then copied into the bar; a glyph is centred on it.
  void Paint(const Part &part, int glyph = -1) {
    const TRect r = Along(part.from, part.to);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    Image24 piece(r.Width(), r.Height());
    const TPoint p{look_.Position.X + r.Left, look_.Position.Y + r.Top};
    PaintSkinPart(part.indexes.Section, part.indexes.BordersMask, part.indexes.Pattern, part.indexes.HotPattern,
                  part.name, look_.Background, true, part.state, TRect{0, 0, r.Width(), r.Height()}, p, piece, &skin_);
    if (skin_.IsValidImageIndex(glyph)) {
      const TPoint size = skin_.ImageFrameSize(glyph);
      DrawStateImage(piece, TPoint{(r.Width() - size.X) / 2, (r.Height() - size.Y) / 2}, part.state, skin_, glyph, 1);
    }
    CopyRect(bar_, r.Left, r.Top, piece, TRect{0, 0, r.Width(), r.Height()});
  }

private:
  TRect Along(int from, int to) const {
    return look_.Vertical ? TRect{0, from, bar_.Width(), to} : TRect{from, 0, to, bar_.Height()};
  }

  Image24 &bar_;
  const TsSkin &skin_;
  const TacBarLook &look_;
};

int PartState(const TacBarLook &look, TacScrollPart part) {
  if (look.Pressed == part) return 2;
  return look.Hot == part ? 1 : 0;
}

// A disabled bar keeps 40 % of itself over what it stands on, or over the track's colour.
void FadeDisabled(Image24 &bar, const TsSkin &skin, const TsQuickIndexes &indexes, const TacBarLook &look) {
  const TCacheInfo &ci = look.Background;
  if (ci.Valid && ci.Bitmap) {
    const int x = ci.OffsetX + look.Position.X, y = ci.OffsetY + look.Position.Y;
    constexpr TColor everyPixel = static_cast<TColor>(0xFF000000u);
    BlendKeyed(bar, 0, 0, everyPixel, 0.4, TRect{x, y, x + bar.Width() - 1, y + bar.Height() - 1}, *ci.Bitmap);
    return;
  }
  const TColor color = skin.GeneralData[static_cast<size_t>(indexes.ScrollBars[0].Section)].Color;
  BlendRectColor(bar, TRect{0, 0, bar.Width() - 1, bar.Height() - 1}, 40, color);
}

} // namespace

void PaintScrollBar(Image24 &bar, const TsSkin &skin, const TsQuickIndexes &indexes, const TacBarLook &look) {
  if (!skin.IsValidSectionIndex(indexes.ScrollBars[0].Section)) return;
  if ((look.Vertical ? bar.Width() : bar.Height()) <= 1) return;
  BarCanvas canvas(bar, skin, look);
  const int length = canvas.Length();
  const int v = look.Vertical ? 1 : 0;
  const TsSectionQuickIndexes &before = indexes.ScrollBars[v], &after = indexes.ScrollBars[2 + v];
  const TsSectionQuickIndexes &up = indexes.ScrollButtons[look.Vertical ? 0 : 2];
  const TsSectionQuickIndexes &down = indexes.ScrollButtons[look.Vertical ? 1 : 3];
  const std::string_view upName = ButtonSections[look.Vertical ? 0 : 2],
                         downName = ButtonSections[look.Vertical ? 1 : 3];
  // Arrows too long for the bar take half of it each, and there is no thumb.
  const bool arrowsFit = ArrowsFit(length, look.PictureArrowLength);
  const int arrow = arrowsFit ? look.PictureArrowLength : length / 2;
  TacThumb thumb = ThumbOf(look.Range, length, look.ArrowLength);
  if (look.DraggedThumbStart) thumb.Start = *look.DraggedThumbStart;
  const bool thumbFits = arrowsFit && HasThumb(thumb, length, look.ArrowLength);
  const int middle = thumbFits ? thumb.Start + thumb.Length / 2 : length / 2;
  canvas.Paint({before, BarSections[v], 0, middle, look.Pressed == spPageUp ? 2 : 0});
  canvas.Paint({after, BarSections[2 + v], middle, length, look.Pressed == spPageDown ? 2 : 0});
  canvas.Paint({up, upName, 0, arrow, PartState(look, spLineUp)}, up.GlyphMask);
  canvas.Paint({down, downName, length - arrow, length, PartState(look, spLineDown)}, down.GlyphMask);
  if (look.Enabled && thumbFits) {
    const TsSectionQuickIndexes &slider = indexes.ScrollSliders[look.Vertical ? 0 : 1];
    const int state = look.DraggedThumbStart ? 2 : look.Hot == spThumb ? 1 : 0;
    canvas.Paint({slider, SliderSections[look.Vertical ? 0 : 1], thumb.Start, thumb.Start + thumb.Length, state},
                 slider.GlyphMask);
  }
  if (!look.Enabled) FadeDisabled(bar, skin, indexes, look);
}

void PaintBarBox(Image24 &box, const TsSkin &skin, const TCacheInfo &background, TPoint position, bool grip) {
  if (background.Valid && background.Bitmap) {
    const int x = background.OffsetX + position.X, y = background.OffsetY + position.Y;
    CopyRect(box, 0, 0, *background.Bitmap, TRect{x, y, x + box.Width(), y + box.Height()});
  } else {
    FillRectColor(box, TRect{0, 0, box.Width(), box.Height()}, skin.GlobalColor());
  }
  if (!grip) return;
  const int index = skin.ImageIndexByName("GLOBALINFO", "GRIPIMAGE");
  if (!skin.IsValidImageIndex(index)) return;
  const TPoint size = skin.ImageFrameSize(index);
  DrawStateImage(box, TPoint{box.Width() - size.X, box.Height() - size.Y}, 0, skin, index, 1);
}
