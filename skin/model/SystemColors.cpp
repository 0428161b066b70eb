#include "skin/model/SystemColors.h"

#include <array>

namespace {

// The standard colours of Windows 10, by system colour index.
constexpr std::array<TColor, 31> StandardColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000, 0xB4B4B4,
    0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969,
    0xE3E3E3, 0x000000, 0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};

TColor StandardColor(int index) {
  return index >= 0 && index < static_cast<int>(StandardColors.size()) ? StandardColors[index] : 0;
}

SystemColorLookup currentLookup = StandardColor;

} // namespace

void SetSystemColorLookup(SystemColorLookup lookup) { currentLookup = lookup ? lookup : StandardColor; }

TColor ResolveSystemColor(TColor color) {
  // Negative values, as the high bit marks system colours.
  return color < 0 ? currentLookup(color & 0xFF) : color;
}
