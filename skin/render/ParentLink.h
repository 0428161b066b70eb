#pragma once
// The parent a control stands on, as the item painters see it. A control's skin data fills it in from its
// parent control; the two queries stand for the skin command messages that ask the parent.

#include <functional>
#include <optional>

#include "skin/pixels/Color.h"

struct TsParentLink {
  // The control has a parent at all.
  bool Exists = false;
  // The parent's own colour; may be a system colour value.
  TColor Color = 0xFFFFFF;
  // The parent's effective background colour (its answer to AC_QUERYCOLOR); none when it does not answer.
  std::function<std::optional<TColor>()> QueryColor;
  // Whether the parent paints a gradient or picture of its own (its answer to AC_QUERYOWNBG).
  std::function<bool()> QueryOwnBackground;
};
