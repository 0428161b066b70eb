#pragma once
// The colour transform that a skin tool takes on its command line ("--hue N", "--saturation N"): skinpack
// render and render-sheet, the skin viewer. Whole numbers, an optional sign; the hue offset in degrees from
// -360 to 360, the saturation from -100 (gray) to 100.

#include <string_view>

#include "skin/model/ColorTransforms.h"

inline constexpr std::string_view HueOption = "--hue";
inline constexpr std::string_view SaturationOption = "--saturation";

// Each raises Exception with a message that names the option and what it takes.
int ParseHueOffset(std::string_view text);
int ParseSaturation(std::string_view text);
