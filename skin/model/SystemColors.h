#pragma once
// System colour values (high bit set, the system colour index in the low byte) and their RGB values.
// Portable code sees the standard Windows colours; the Windows program installs the live lookup.

#include <cstdint>

#include "skin/pixels/Color.h"

// A system colour value with the given system colour index (as GetSysColor numbers them).
constexpr TColor SystemColorValue(int index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index)); }

// The RGB value of a system colour index (the Windows function GetSysColor has this shape).
using SystemColorLookup = TColor (*)(int index);
// Null restores the standard colours.
void SetSystemColorLookup(SystemColorLookup lookup);

// A system colour value becomes its current RGB value; any other value is returned as it is.
TColor ResolveSystemColor(TColor color);
