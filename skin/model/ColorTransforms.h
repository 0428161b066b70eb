#pragma once
// Recolouring a loaded skin in memory: its hue turned by some degrees, then its colours made more or less
// saturated. Works on the freshly loaded pictures and records; the skin's files stay as they are, and a
// skin goes back to its own colours only by loading it again.
//
// The key colour is never recoloured and never produced: in pictures it marks see-through pixels, in the
// records it means "not set" (a BorderColor of 0xFF00FF draws no border, a colour answer of 0xFF00FF is
// no answer). Gray colours have no hue and no saturation and keep their values.

#include "skin/model/Skin.h"

struct TsColorTransform {
  int HueOffset = 0;  // degrees added to every hue
  int Saturation = 0; // -100 turns every colour gray; positive values make colours stronger
  bool Empty() const { return HueOffset == 0 && Saturation == 0; }
};

// One RGB colour (0x00BBGGRR) with its hue turned by hueOffset degrees; gray colours come back unchanged.
TColor RotateHue(TColor rgb, int hueOffset);
// One RGB colour moved towards its gray average (saturation below 0) or away from it (above 0). Amounts
// beyond 100 either way wrap around: 101 acts as 0, 150 as 49.
TColor ChangeSaturation(TColor rgb, int saturation);

// Every pixel of the image except key-coloured and gray ones.
void RecolorImage(Image24 &image, const TsColorTransform &transform);

// The master bitmap, every image record's own picture, the colours of every general data record (Color,
// HotColor, the text and contour colours, both gradients) and Shadow1Color and BorderColor of the skin
// data. Record colours that are none (-1) or not set (the key colour) stay as they are; system colours
// are taken at their current RGB values. JPEG patterns, ShadowColor, BorderColor1 and BorderColor2 keep
// their colours.
void RecolorSkin(TsSkin &skin, const TsColorTransform &transform);
