#pragma once
// Where a bound label stands beside its control, and how its text is aligned.

#include "skin/pixels/Geometry.h"

enum class TsCaptionLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };
enum class TsLabelAlignment { Left, Center, Right };

struct BoundLabelPlace {
  TRect Bounds;          // in the parent's coordinates
  bool AutoSize = true;  // off with a maximum width
  bool WordWrap = false; // on with a maximum width
};

// control: the control's bounds; labelWidth and labelHeight: the label's size as its text needs it.
BoundLabelPlace PlaceBoundLabel(TsCaptionLayout layout, const TRect &control, int labelWidth, int labelHeight,
                                int indent, int maxWidth);
TsLabelAlignment BoundLabelAlignment(TsCaptionLayout layout);
