#pragma once
// The pictures of the BlueGauze skin: the master bitmap that most sections point into, and the large
// button border that has a picture of its own.

#include "skin/pixels/Image24.h"
#include "tools/skingen/Atlas.h"

namespace skingen {

constexpr int MasterWidth = 156;
constexpr int MasterHeight = 292;

struct SkinPictures {
  Image24 master;
  Image24 buttonHuge; // 288 x 192: three 96 x 96 frames above their masks
  Atlas atlas{MasterWidth, MasterHeight};
};

// Frame sizes the options refer to.
constexpr int TitleButtonWidth = 21, TitleButtonHeight = 18;
constexpr int SmallTitleButtonWidth = 15, SmallTitleButtonHeight = 13;

SkinPictures DrawPictures();

} // namespace skingen
