#pragma once
// The default pictures of edit buttons, read once at start-up from the program's bitmap resources "SF",
// "SR", "SD", "SE" and "SC" and looked up by glyph kind ("BTN_OPENFILE", "BTN_OPENFOLDER", "BTN_DATE",
// "BTN_ELLIPSIS", "BTN_CALC"). A picture that cannot be read is left out: its kind has no glyph.

#include <string>

#include "skin/pixels/Image24.h"

void LoadDefaultGlyphs();
// The picture of a glyph kind (exact text); null when there is none.
const Image24 *DefaultGlyph(const std::string &kind);
