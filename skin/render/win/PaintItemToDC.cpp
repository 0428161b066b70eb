#include "skin/render/win/PaintItemToDC.h"

#include "skin/pixels/win/DibStorage.h"

void PaintSkinItemToDC(int sectionIndex, std::string_view section, const TCacheInfo &ci, const TsSkin *skin, HDC dc,
                       TPoint p, const RECT &r, int state, bool fill) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (!skin || !skin->IsValidSectionIndex(sectionIndex) || r.left < 0 || r.top < 0 || width <= 0 || height <= 0) return;
  const int saved = SaveDC(dc);
  Image24 image = CreateDib24(width, height);
  PaintSkinItemByIndex(sectionIndex, section, ci, fill, state, TRect{0, 0, width, height}, p, image, skin);
  {
    const ImageSurface surface(image);
    BitBlt(dc, r.left, r.top, width, height, surface.Handle(), 0, 0, SRCCOPY);
  }
  RestoreDC(dc, saved);
}
