#pragma once
// The default glyphs of edit buttons (open file, open folder, date, ellipsis, calculator): one picture each,
// three frames side by side (normal, active, pressed), the picture above its mask, 17 rows a frame.

#include <string>
#include <vector>

#include "skin/pixels/Image24.h"

namespace skingen {

struct ButtonGlyph {
  std::string fileName; // the bitmap's file name, also its resource name ("SR.bmp" is resource "SR")
  Image24 picture;
};
std::vector<ButtonGlyph> DrawButtonGlyphs();

} // namespace skingen
