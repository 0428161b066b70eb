#include "skin/controls/EditBorder.h"

namespace {
int BorderShare(const TsEditFrameStyle &s) { return s.BorderStyle ? 1 + (s.Ctl3D ? 1 : 0) : 0; }
int Bevels(const TsEditFrameStyle &s) { return (s.BevelInner ? 1 : 0) + (s.BevelOuter ? 1 : 0); }
} // namespace

int EditFrameWidth(const TsEditFrameStyle &style) { return style.BorderStyle ? BorderShare(style) : Bevels(style); }

int EditTextInset(const TsEditFrameStyle &style) {
  return BorderShare(style) + (style.BevelKindSet ? Bevels(style) : 0);
}
