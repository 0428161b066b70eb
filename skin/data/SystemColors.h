#pragma once
// System colour values (high bit set, the system colour index in the low byte) and their RGB values.
// Portable code sees the standard Windows colours; the Windows program installs the live lookup.

#include "skin/paint/Color.h"

constexpr TColor SystemColorFlag = 0x80000000u;
constexpr TColor clBtnFace = 0xFF00000Fu;
constexpr TColor clWindow = 0xFF000005u;

// The RGB value of a system colour index (the Windows function GetSysColor has this shape).
using SystemColorLookup = TColor (*)(int index);
// Null restores the standard colours.
void SetSystemColorLookup(SystemColorLookup lookup);

// A system colour value becomes its current RGB value; any other value is returned as it is.
TColor ResolveSystemColor(TColor color);
