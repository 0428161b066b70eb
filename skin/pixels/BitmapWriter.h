#pragma once
// Writing Windows bitmap files (bottom-up, uncompressed), for the skin generator and for tests.

#include <cstdint>
#include <vector>

#include "skin/pixels/Image24.h"

std::vector<uint8_t> WriteBitmap24(const Image24 &image);
// 8 bits per pixel with a 256-entry palette that starts with the image's colours in ascending order of
// their colour value; raises EPictureError when the image holds more than 256 colours.
std::vector<uint8_t> WriteBitmap8(const Image24 &image);
