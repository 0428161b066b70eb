#pragma once
// One skinned scroll bar, or the box where two bars meet, drawn into an image of its size from the skin's
// scroll-bar sections: the track before the middle of the thumb ("SCROLLBAR1H"/"V") and after it
// ("SCROLLBAR2H"/"V"), the arrows ("SCROLLBTN...") with their glyphs, the thumb ("SCROLLSLIDER...") with
// its grip, and a disabled bar faded into what it stands on.

#include <optional>

#include "skin/adapters/ScrollBarGeometry.h"
#include "skin/model/QuickIndexes.h"
#include "skin/model/Skin.h"
#include "skin/pixels/ParentCache.h"

struct TacBarLook {
  bool Vertical = false;
  TacScrollRange Range;
  // The arrow length of the thumb arithmetic, and the length the arrows are drawn with.
  int ArrowLength = 0;
  int PictureArrowLength = 0;
  // Available, and its window enabled.
  bool Enabled = true;
  // Drawn pressed (while the mouse holds it and stays over it), and hot.
  TacScrollPart Pressed = spNone;
  TacScrollPart Hot = spNone;
  // A thumb being dragged: drawn pressed where it was dragged to (from the bar's start).
  std::optional<int> DraggedThumbStart;
  // What the bar stands on, and the bar's place in it.
  TCacheInfo Background;
  TPoint Position;
};

// Nothing without the "SCROLLBAR1H" section, or for a bar one pixel thick or less.
void PaintScrollBar(Image24 &bar, const TsSkin &skin, const TsQuickIndexes &indexes, const TacBarLook &look);

// The box shows what lies behind it (the skin's global colour when that is not known) and, when it is the
// corner of the parent's client area, the size grip of "GLOBALINFO" in its bottom-right corner.
void PaintBarBox(Image24 &box, const TsSkin &skin, const TCacheInfo &background, TPoint position, bool grip);
