#include "skin/controls/BoundLabelPlacement.h"

#include <algorithm>

BoundLabelPlace PlaceBoundLabel(TsCaptionLayout layout, const TRect &control, int labelWidth, int labelHeight,
                                int indent, int maxWidth) {
  BoundLabelPlace place;
  int width = labelWidth, height = labelHeight;
  if (maxWidth != 0) {
    place.AutoSize = false;
    place.WordWrap = true;
    width = maxWidth;
    height = std::max(labelHeight, control.Height());
  }
  int left = control.Left, top = control.Top - labelHeight - indent;
  switch (layout) {
  case TsCaptionLayout::sclLeft:
    left = control.Left - labelWidth - indent - 4;
    top = control.Top + (control.Height() - labelHeight) / 2 - 1;
    break;
  case TsCaptionLayout::sclTopLeft: break;
  case TsCaptionLayout::sclTopCenter: left = control.Left + (control.Width() - labelWidth) / 2; break;
  case TsCaptionLayout::sclTopRight: left = control.Left + control.Width() - labelWidth; break;
  }
  place.Bounds = TRect{left, top, left + width, top + height};
  return place;
}

TsLabelAlignment BoundLabelAlignment(TsCaptionLayout layout) {
  switch (layout) {
  case TsCaptionLayout::sclTopLeft: return TsLabelAlignment::Left;
  case TsCaptionLayout::sclTopCenter: return TsLabelAlignment::Center;
  default: return TsLabelAlignment::Right;
  }
}
