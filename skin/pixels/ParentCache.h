#pragma once
// The reference through which an item reaches the cached background of the parent it stands on.

#include <cstdint>

#include "skin/pixels/Image24.h"

struct TCacheInfo {
  const Image24 *Bitmap = nullptr; // the parent's cache image
  int32_t OffsetX = 0;             // where the current item lies inside it
  int32_t OffsetY = 0;
  bool Valid = false; // the image may be used
};
