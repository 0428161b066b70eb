#pragma once
// A skin item painted straight onto a device context, through a temporary image of its size.

#include <windows.h>

#include <string_view>

#include "skin/render/ItemPainting.h"

// PaintSkinItemByIndex into a new image as large as r, copied to r of dc. Nothing for an invalid section,
// a negative left or top, or an empty r.
void PaintSkinItemToDC(int sectionIndex, std::string_view section, const TCacheInfo &ci, const TsSkin *skin, HDC dc,
                       TPoint p, const RECT &r, int state, bool fill);
