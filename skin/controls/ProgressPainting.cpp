#include "skin/controls/ProgressPainting.h"

#include "skin/pixels/ImageCopy.h"

void PaintProgressBar(Image24 &cache, const TsItemData &trough, const TCacheInfo &parentCache, TPoint position,
                      const TsProgressLayout &layout, std::string_view progressSection) {
  if (cache.Empty()) return;
  PaintSkinItem(trough, parentCache, true, 0, TRect{0, 0, cache.Width(), cache.Height()}, position, cache, true);
  const int section = trough.Skin ? trough.Skin->SectionIndex(progressSection) : -1;
  if (section < 0) return;
  // The pieces stand on the trough just painted.
  const TCacheInfo onTrough{&cache, 0, 0, true};
  Image24 piece;
  for (const TRect &laidOut : layout.Pieces) {
    const TRect place = VisiblePart(laidOut, layout.Area);
    if (place.Width() <= 0 || place.Height() <= 0) continue;
    if (piece.Width() != place.Width() || piece.Height() != place.Height())
      piece = Image24(place.Width(), place.Height());
    const TRect whole{0, 0, place.Width(), place.Height()};
    PaintSkinItemByIndex(section, progressSection, onTrough, true, 0, whole, TPoint{place.Left, place.Top}, piece,
                         trough.Skin);
    CopyRect(cache, place.Left, place.Top, piece, whole);
  }
}
