#pragma once
// Writing PNG files (8-bit RGB, no interlacing) over zlib: for the skin renderer, the documentation's
// pictures and tests that want to look at what was painted.

#include <cstdint>
#include <vector>

#include "skin/pixels/Image24.h"

// The PNG file of an image; raises EPictureError for an empty image.
std::vector<uint8_t> WritePng(const Image24 &image);
