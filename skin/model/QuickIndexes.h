#pragma once
// Section and image indexes that painters of check boxes, combo boxes, tabs and scroll bars need so often
// that they are found once per skin. All are -1 when absent or when no skin is loaded.

#include <array>
#include <cstdint>

#include "skin/model/Skin.h"

struct TsSectionQuickIndexes {
  int16_t Section = -1;
  int16_t BordersMask = -1;
  int16_t GlyphMask = -1;
  int16_t Pattern = -1;
  int16_t HotPattern = -1;
};

struct TsQuickIndexes {
  int16_t GlobalInfo = -1;
  // "GLOBALINFO" pictures of check boxes, radio buttons and small check boxes: checked, unchecked, grayed.
  std::array<int16_t, 3> CheckBox{-1, -1, -1};
  std::array<int16_t, 3> RadioButton{-1, -1, -1};
  std::array<int16_t, 3> SmallBox{-1, -1, -1};
  int32_t ComboButton = -1;
  int16_t ComboButtonBorder = -1;
  int16_t ComboButtonPattern = -1;
  int16_t ComboButtonHotPattern = -1;
  int32_t ComboBoxGlyph = -1;
  // "TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT": section and "BORDERSMASK".
  std::array<TsSectionQuickIndexes, 4> Tabs;
  // "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT".
  std::array<TsSectionQuickIndexes, 4> ScrollButtons;
  // "SCROLLSLIDERV", "SCROLLSLIDERH".
  std::array<TsSectionQuickIndexes, 2> ScrollSliders;
  // "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V" (no glyph).
  std::array<TsSectionQuickIndexes, 4> ScrollBars;
};

// The indexes of skin; a null skin (the skin was removed) gives all -1.
TsQuickIndexes ComputeQuickIndexes(const TsSkin *skin);
