#pragma once
// The look of a skinned progress bar, painted into its cache image: the trough from the bar's own
// section, then each progress piece from the progress section, painted where it goes so that it sees the
// fresh trough through its transparent parts.

#include <string_view>

#include "skin/controls/ProgressGeometry.h"
#include "skin/render/ItemPainting.h"

// trough: the bar's item data (its skin, section and parent); parentCache and position: the parent's
// cache and the bar's place in it. Pieces are cut to the layout's area; a progress section that the skin
// lacks shows the trough alone.
void PaintProgressBar(Image24 &cache, const TsItemData &trough, const TCacheInfo &parentCache, TPoint position,
                      const TsProgressLayout &layout, std::string_view progressSection);
