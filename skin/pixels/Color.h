#pragma once
// Windows colour values as the painting core uses them: red in the low byte, then green, then blue.
// The same type as the toolkit's colour values: signed, so that -1 can mean none in skin options.

#include <cstdint>

using TColor = int32_t;

// Transparent in every skin picture; also "none" in the painting core's colour variables.
constexpr TColor KeyColor = 0xFF00FF;

constexpr uint8_t RedOf(TColor c) { return static_cast<uint8_t>(c); }
constexpr uint8_t GreenOf(TColor c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t BlueOf(TColor c) { return static_cast<uint8_t>(c >> 16); }
constexpr TColor RgbColor(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<TColor>(red) | static_cast<TColor>(green) << 8 | static_cast<TColor>(blue) << 16;
}
