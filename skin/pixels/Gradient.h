#pragma once
// Colour gradients of skin sections: the gradient data text ("GRADIENTDATA", "HOTGRADIENTDATA"), the list
// it is parsed into, and the fill that paints the list into a rectangle of a 24-bit image.

#include <cstdint>
#include <string_view>
#include <vector>

#include "skin/pixels/Color.h"
#include "skin/pixels/Geometry.h"
#include "skin/pixels/Image24.h"

struct TsGradStep {
  TColor StartColor = 0;
  TColor EndColor = 0;
  uint8_t Percent = 0; // share of the rectangle, 0 to 100
  int32_t Mode = 0;    // 0 top to bottom, 1 left to right, 2 four corners; only the first step's counts
};

using TsGradArray = std::vector<TsGradStep>;

// Decimal integers separated by ";", in groups of five (start colour, end colour, percent, mode, unused);
// words left over after the last whole group are ignored. Raises EConvertError for a word that is no
// number. "N/A" and an empty text give an empty list.
void ParseGradient(std::string_view text, TsGradArray &list);

// Paints the list into the rectangle, limited to the image. Nothing for an empty list or an unknown mode.
void FillGradient(Image24 &image, TRect rect, const TsGradArray &list);
